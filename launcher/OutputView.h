#pragma once

#include "launcher/OutputLineLayout.h"
#include "launcher/TerminalOutput.h"

#include <QAbstractScrollArea>
#include <QFont>
#include <array>
#include <cstdint>
#include <optional>
#include <utility>

class OutputPalette;
class QTimer;

// The launcher's output pane: the program's output as a terminal shows it, with the launcher's
// notes between, in the system's fixed-pitch font. Appending only marks the pane for a refresh,
// which a timer runs at most about 30 times a second, so a program that writes fast cannot
// hold up the window. The pane follows the end while it is scrolled to the bottom and
// otherwise keeps showing the same lines as old ones are dropped. Text is selected with the
// mouse (Shift extends) or Ctrl+A; copying emits CopyRequested, and the window puts the text
// on the clipboard.
class OutputView : public QAbstractScrollArea
{
    Q_OBJECT

public:
    explicit OutputView(QWidget* parent = nullptr);

    TerminalOutput& Output() { return output; }
    const TerminalOutput& Output() const { return output; }
    void AppendBytes(const char* data, qsizetype size);
    void AppendNote(const QString& text);
    void Clear();

    QString SelectedText() const;
    void SelectAll();

    // The character cells that fit in the pane.
    int Columns() const;
    int Rows() const;

Q_SIGNALS:
    void CopyRequested(const QString& text);
    void SizeInCellsChanged(int columns, int rows);

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;
    void scrollContentsBy(int dx, int dy) override;
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // A place in the text: a line counted from the first the output ever had (so that it stays
    // put as lines are dropped) and a cell in it.
    struct Position
    {
        std::uint64_t Line = 0;
        int Column = 0;
    };

    void ScheduleRefresh();
    void Refresh();
    void MeasureNewLines();
    void UpdateScrollBars();
    void UpdateMetrics();
    void AnnounceSizeInCells();
    void CopySelection();

    // The line shown in a row of the pane, counted as Position::Line counts.
    std::int64_t LineAtRow(int row) const;
    Position PositionAt(const QPoint& point) const;
    std::pair<Position, Position> Selection() const;
    bool HasSelection() const;
    // The cells [first, second) of a line that are selected.
    std::pair<int, int> SelectedColumns(std::uint64_t line) const;

    int ColumnX(int column) const;
    const QFont& FontFor(const TerminalStyle& style, bool note) const;
    void DrawSegments(QPainter& painter, const std::vector<OutputSegment>& segments, int y,
                      const OutputPalette& colors, bool note, const QColor* selectedText) const;

    TerminalOutput output;
    QTimer* refreshTimer;

    // The output as of the last refresh, which the scroll bars show.
    std::uint64_t shownDropped = 0;
    int shownNotice = 0; // 1 while the first row says that lines were dropped
    bool followEnd = true;
    int widestLine = 0;
    std::uint64_t measuredFrom = 0;

    Position anchor;
    Position caret;
    bool selecting = false;

    mutable std::array<std::optional<QFont>, 8> fonts;
    int lineHeight = 1;
    int cellWidth = 1;
    int ascent = 0;
    std::pair<int, int> sizeInCells{-1, -1};
};
