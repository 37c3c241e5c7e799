#include "launcher/OutputView.h"

#include "launcher/OutputPalette.h"

#include <QContextMenuEvent>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QKeyEvent>
#include <QMenu>
#include <QPainter>
#include <QScrollBar>
#include <QTimer>
#include <QtMath>
#include <algorithm>
#include <climits>
#include <tuple>

namespace {

// About 30 refreshes a second.
constexpr int RefreshInterval = 33;
// Space left of the first column.
constexpr int Margin = 3;

enum FontVariant
{
    BoldFont = 1,
    ItalicFont = 2,
    UnderlineFont = 4
};

// The characters of a segment in the cells [first, last) of the line.
QString VisibleCharacters(const OutputSegment& segment, int first, int last)
{
    const int from = std::max(0, first - segment.Column);
    const int to = std::min(segment.Columns, last - segment.Column);
    if (from == 0 && to == segment.Columns)
        return segment.Characters;
    if (segment.Type == OutputSegment::InvalidBytes || segment.Characters.size() == segment.Columns)
        return segment.Characters.mid(from, to - from);
    // A cell per character, and characters past U+FFFF take two UTF-16 units.
    const QString& characters = segment.Characters;
    qsizetype begin = 0;
    for (int cell = 0; cell < from; ++cell)
        begin += characters.at(begin).isHighSurrogate() ? 2 : 1;
    qsizetype end = begin;
    for (int cell = from; cell < to; ++cell)
        end += characters.at(end).isHighSurrogate() ? 2 : 1;
    return characters.mid(begin, end - begin);
}

} // namespace

OutputView::OutputView(QWidget* parent)
    : QAbstractScrollArea(parent), refreshTimer(new QTimer(this))
{
    setFocusPolicy(Qt::StrongFocus);
    setAccessibleName(QStringLiteral("Output"));
    setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    viewport()->setCursor(Qt::IBeamCursor);
    refreshTimer->setSingleShot(true);
    refreshTimer->setInterval(RefreshInterval);
    connect(refreshTimer, &QTimer::timeout, this, &OutputView::Refresh);
    connect(verticalScrollBar(), &QScrollBar::valueChanged, this,
            [this](int value) { followEnd = value >= verticalScrollBar()->maximum(); });
    UpdateMetrics();
}

void OutputView::AppendBytes(const char* data, qsizetype size)
{
    output.Append(data, static_cast<std::size_t>(size));
    ScheduleRefresh();
}

void OutputView::AppendNote(const QString& text)
{
    output.AppendNote(text);
    ScheduleRefresh();
}

void OutputView::Clear()
{
    output.Clear();
    Refresh();
}

void OutputView::ScheduleRefresh()
{
    if (!refreshTimer->isActive())
        refreshTimer->start();
}

void OutputView::Refresh()
{
    refreshTimer->stop();
    const std::uint64_t dropped = output.DroppedLines();
    if (dropped < shownDropped || output.LineCount() == 0) {
        // Cleared: nothing of what was shown or selected is left.
        shownDropped = 0;
        shownNotice = 0;
        widestLine = 0;
        measuredFrom = 0;
        anchor = caret = Position();
        followEnd = true;
    }
    const bool follow = followEnd;
    const std::int64_t topLine = LineAtRow(verticalScrollBar()->value());
    shownDropped = dropped;
    shownNotice = dropped > 0 ? 1 : 0;
    MeasureNewLines();
    UpdateScrollBars();
    QScrollBar* bar = verticalScrollBar();
    if (follow) {
        bar->setValue(bar->maximum());
    } else {
        const std::int64_t row = topLine - static_cast<std::int64_t>(dropped) + shownNotice;
        bar->setValue(static_cast<int>(std::clamp<std::int64_t>(row, 0, bar->maximum())));
    }
    viewport()->update();
}

void OutputView::MeasureNewLines()
{
    const std::uint64_t dropped = output.DroppedLines();
    const std::uint64_t end = dropped + output.LineCount();
    for (std::uint64_t line = std::max(measuredFrom, dropped); line < end; ++line)
        widestLine = std::max(widestLine, LineColumns(output.Line(line - dropped)));
    // The last line may still grow.
    measuredFrom = end > 0 ? end - 1 : 0;
    widestLine = std::max(widestLine, static_cast<int>(output.DroppedLinesNotice().size()));
}

void OutputView::UpdateScrollBars()
{
    const std::size_t rows = output.LineCount() + static_cast<std::size_t>(shownNotice);
    const int shown = static_cast<int>(std::min<std::size_t>(rows, INT_MAX));
    verticalScrollBar()->setRange(0, std::max(0, shown - Rows()));
    verticalScrollBar()->setPageStep(std::max(1, Rows()));
    verticalScrollBar()->setSingleStep(1);
    const int width = viewport()->width();
    const long long textWidth = static_cast<long long>(widestLine) * cellWidth + 2 * Margin;
    horizontalScrollBar()->setRange(
        0, static_cast<int>(std::clamp<long long>(textWidth - width, 0, INT_MAX)));
    horizontalScrollBar()->setPageStep(std::max(1, width));
    horizontalScrollBar()->setSingleStep(cellWidth);
}

void OutputView::UpdateMetrics()
{
    // Characters are placed in whole-pixel cells. A glyph's own advance is
    // often a fraction wider or narrower, which over a line of text would
    // push the characters off their cells: the letter spacing makes up the
    // difference in every variant of the font.
    const QFontMetrics metrics(font());
    lineHeight = std::max(1, metrics.height());
    cellWidth = std::max(1, qCeil(QFontMetricsF(font()).horizontalAdvance(QLatin1Char('M'))));
    ascent = metrics.ascent();
    // Each variant is made when first drawn: loading the font files of all
    // of them would slow down the window's start.
    fonts = {};
}

int OutputView::Columns() const
{
    return std::max(0, viewport()->width() - Margin) / cellWidth;
}

int OutputView::Rows() const
{
    return viewport()->height() / lineHeight;
}

void OutputView::AnnounceSizeInCells()
{
    const std::pair<int, int> cells{Columns(), Rows()};
    if (cells == sizeInCells)
        return;
    sizeInCells = cells;
    Q_EMIT SizeInCellsChanged(cells.first, cells.second);
}

std::int64_t OutputView::LineAtRow(int row) const
{
    return static_cast<std::int64_t>(shownDropped) + row - shownNotice;
}

OutputView::Position OutputView::PositionAt(const QPoint& point) const
{
    const std::uint64_t dropped = output.DroppedLines();
    if (output.LineCount() == 0)
        return {dropped, 0};
    const int row = verticalScrollBar()->value() + std::max(0, point.y()) / lineHeight;
    const std::int64_t line = LineAtRow(row);
    if (line < static_cast<std::int64_t>(dropped))
        return {dropped, 0};
    const std::uint64_t last = dropped + output.LineCount() - 1;
    if (static_cast<std::uint64_t>(line) > last)
        return {last, LineColumns(output.Line(output.LineCount() - 1))};
    const int x = std::max(0, point.x() - Margin + horizontalScrollBar()->value());
    return {static_cast<std::uint64_t>(line), (x + cellWidth / 2) / cellWidth};
}

std::pair<OutputView::Position, OutputView::Position> OutputView::Selection() const
{
    const auto before = [](const Position& a, const Position& b) {
        return std::tie(a.Line, a.Column) < std::tie(b.Line, b.Column);
    };
    return before(caret, anchor) ? std::pair(caret, anchor) : std::pair(anchor, caret);
}

bool OutputView::HasSelection() const
{
    return anchor.Line != caret.Line || anchor.Column != caret.Column;
}

std::pair<int, int> OutputView::SelectedColumns(std::uint64_t line) const
{
    const auto [start, end] = Selection();
    if (line < start.Line || line > end.Line)
        return {0, 0};
    return {line == start.Line ? start.Column : 0, line == end.Line ? end.Column : INT_MAX};
}

QString OutputView::SelectedText() const
{
    const auto [start, end] = Selection();
    QString text;
    if (output.LineCount() == 0 || !HasSelection())
        return text;
    const std::uint64_t dropped = output.DroppedLines();
    const std::uint64_t first = std::max(start.Line, dropped);
    const std::uint64_t last = std::min(end.Line, dropped + output.LineCount() - 1);
    for (std::uint64_t line = first; line <= last; ++line) {
        if (line > first)
            text += QLatin1Char('\n');
        const auto [from, to] = SelectedColumns(line);
        AppendLineText(output.Line(line - dropped), from, to, text);
    }
    return text;
}

void OutputView::SelectAll()
{
    const std::uint64_t dropped = output.DroppedLines();
    anchor = {dropped, 0};
    caret = {dropped + std::max<std::size_t>(output.LineCount(), 1) - 1, INT_MAX};
    viewport()->update();
}

void OutputView::CopySelection()
{
    const QString text = SelectedText();
    if (!text.isEmpty())
        Q_EMIT CopyRequested(text);
}

bool OutputView::event(QEvent* event)
{
    if (event->type() == QEvent::ShortcutOverride) {
        // Copy and Select All are the pane's own while it has the focus.
        auto* key = static_cast<QKeyEvent*>(event);
        if (key->matches(QKeySequence::Copy) || key->matches(QKeySequence::SelectAll)) {
            event->accept();
            return true;
        }
    }
    return QAbstractScrollArea::event(event);
}

void OutputView::keyPressEvent(QKeyEvent* event)
{
    if (event->matches(QKeySequence::Copy))
        CopySelection();
    else if (event->matches(QKeySequence::SelectAll))
        SelectAll();
    else if (event->matches(QKeySequence::MoveToStartOfDocument))
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMinimum);
    else if (event->matches(QKeySequence::MoveToEndOfDocument))
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderToMaximum);
    else
        QAbstractScrollArea::keyPressEvent(event);
}

void OutputView::mousePressEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mousePressEvent(event);
        return;
    }
    caret = PositionAt(event->position().toPoint());
    if (!event->modifiers().testFlag(Qt::ShiftModifier))
        anchor = caret;
    selecting = true;
    viewport()->update();
}

void OutputView::mouseMoveEvent(QMouseEvent* event)
{
    if (!selecting || !event->buttons().testFlag(Qt::LeftButton))
        return;
    const QPoint point = event->position().toPoint();
    // Dragging past the top or bottom scrolls.
    if (point.y() < 0)
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepSub);
    else if (point.y() >= viewport()->height())
        verticalScrollBar()->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    caret = PositionAt(point);
    viewport()->update();
}

void OutputView::mouseReleaseEvent(QMouseEvent* event)
{
    if (event->button() != Qt::LeftButton) {
        QAbstractScrollArea::mouseReleaseEvent(event);
        return;
    }
    selecting = false;
    event->accept();
}

void OutputView::contextMenuEvent(QContextMenuEvent* event)
{
    QMenu menu(this);
    QAction* copy = menu.addAction(QStringLiteral("&Copy"));
    copy->setShortcut(QKeySequence::Copy);
    copy->setEnabled(HasSelection());
    connect(copy, &QAction::triggered, this, &OutputView::CopySelection);
    QAction* selectAll = menu.addAction(QStringLiteral("Select &All"));
    selectAll->setShortcut(QKeySequence::SelectAll);
    connect(selectAll, &QAction::triggered, this, &OutputView::SelectAll);
    menu.exec(event->globalPos());
}

void OutputView::resizeEvent(QResizeEvent* event)
{
    QAbstractScrollArea::resizeEvent(event);
    const bool follow = followEnd;
    UpdateScrollBars();
    if (follow)
        verticalScrollBar()->setValue(verticalScrollBar()->maximum());
    AnnounceSizeInCells();
}

void OutputView::changeEvent(QEvent* event)
{
    QAbstractScrollArea::changeEvent(event);
    if (event->type() == QEvent::FontChange) {
        UpdateMetrics();
        UpdateScrollBars();
        AnnounceSizeInCells();
        viewport()->update();
    }
}

void OutputView::scrollContentsBy(int, int)
{
    viewport()->update();
}

int OutputView::ColumnX(int column) const
{
    return Margin + column * cellWidth - horizontalScrollBar()->value();
}

const QFont& OutputView::FontFor(const TerminalStyle& style, bool note) const
{
    const std::size_t variant = (style.Has(TerminalStyle::Bold) ? BoldFont : 0) |
                                (style.Has(TerminalStyle::Italic) || note ? ItalicFont : 0) |
                                (style.Has(TerminalStyle::Underline) ? UnderlineFont : 0);
    std::optional<QFont>& cached = fonts[variant];
    if (!cached) {
        QFont variantFont = font();
        variantFont.setBold((variant & BoldFont) != 0);
        variantFont.setItalic((variant & ItalicFont) != 0);
        variantFont.setUnderline((variant & UnderlineFont) != 0);
        variantFont.setLetterSpacing(
            QFont::AbsoluteSpacing,
            cellWidth - QFontMetricsF(variantFont).horizontalAdvance(QLatin1Char('M')));
        cached = variantFont;
    }
    return *cached;
}

void OutputView::DrawSegments(QPainter& painter, const std::vector<OutputSegment>& segments, int y,
                              const OutputPalette& colors, bool note,
                              const QColor* selectedText) const
{
    const int firstColumn = std::max(0, horizontalScrollBar()->value() - Margin) / cellWidth;
    const int lastColumn = firstColumn + Columns() + 2;
    for (const OutputSegment& segment : segments) {
        if (segment.Column + segment.Columns <= firstColumn || segment.Column >= lastColumn)
            continue;
        const int x = ColumnX(segment.Column);
        const QColor background = colors.Background(segment.Style);
        if (selectedText == nullptr && background.isValid())
            painter.fillRect(x, y, segment.Columns * cellWidth, lineHeight, background);
        if (segment.Type == OutputSegment::Tab)
            continue;
        painter.setFont(FontFor(segment.Style, note));
        painter.setPen(selectedText != nullptr ? *selectedText
                       : note                  ? colors.Note()
                                               : colors.Foreground(segment.Style));
        const int first = std::max(firstColumn, segment.Column);
        painter.drawText(QPoint(ColumnX(first), y + ascent),
                         VisibleCharacters(segment, first, lastColumn));
    }
}

void OutputView::paintEvent(QPaintEvent*)
{
    QPainter painter(viewport());
    const OutputPalette colors(palette());
    painter.fillRect(viewport()->rect(), palette().color(QPalette::Base));
    const std::uint64_t dropped = output.DroppedLines();
    const int top = verticalScrollBar()->value();
    const QColor highlight = palette().color(QPalette::Highlight);
    const QColor highlightedText = palette().color(QPalette::HighlightedText);
    for (int row = top, y = 0; y < viewport()->height(); ++row, y += lineHeight) {
        if (row < shownNotice) {
            const QString notice = output.DroppedLinesNotice();
            DrawSegments(painter,
                         {{OutputSegment::Text, notice, 0, static_cast<int>(notice.size()), {}}}, y,
                         colors, true, nullptr);
            continue;
        }
        const std::int64_t line = LineAtRow(row);
        if (line < static_cast<std::int64_t>(dropped))
            continue;
        const auto index = static_cast<std::size_t>(line) - dropped;
        if (index >= output.LineCount())
            break;
        const TerminalLine& shown = output.Line(index);
        const std::vector<OutputSegment> segments = LayOutLine(shown);
        DrawSegments(painter, segments, y, colors, shown.IsNote(), nullptr);
        const auto [from, to] = SelectedColumns(static_cast<std::uint64_t>(line));
        if (from >= to)
            continue;
        const int left = ColumnX(from);
        const int right = to == INT_MAX ? viewport()->width() : ColumnX(to);
        const QRect selected(left, y, right - left, lineHeight);
        painter.save();
        painter.setClipRect(selected);
        painter.fillRect(selected, highlight);
        DrawSegments(painter, segments, y, colors, shown.IsNote(), &highlightedText);
        painter.restore();
    }
}
