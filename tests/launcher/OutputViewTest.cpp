#include "launcher/OutputView.h"

#include <QFontMetrics>
#include <QImage>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>
#include <QtMath>

namespace {

QByteArray NumberedLines(int first, int count)
{
    QByteArray bytes;
    for (int line = first; line < first + count; ++line)
        bytes += "line " + QByteArray::number(line) + "\r\n";
    return bytes;
}

void Append(OutputView& view, const QByteArray& bytes)
{
    view.AppendBytes(bytes.constData(), bytes.size());
}

} // namespace

class OutputViewTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void init();
    void cleanup();
    void selectAndCopy();
    void followsTheEndUntilScrolledUp();
    void keepsItsPlaceAsLinesDrop();
    void sizeInCells();
    void drawsColours();

private:
    // The middle of a character cell, as the mouse would point at it.
    int CellWidth() const;
    QPoint Cell(int column, int row) const;
    void Click(int column, int row, Qt::KeyboardModifiers modifiers = {});

    std::unique_ptr<OutputView> view;
};

void OutputViewTest::init()
{
    view = std::make_unique<OutputView>();
    view->resize(400, 300);
    view->show();
    QVERIFY(QTest::qWaitForWindowExposed(view.get()));
}

void OutputViewTest::cleanup()
{
    view.reset();
}

// Characters take whole-pixel cells, the glyph's advance rounded up.
int OutputViewTest::CellWidth() const
{
    return qCeil(QFontMetricsF(view->font()).horizontalAdvance(QLatin1Char('M')));
}

QPoint OutputViewTest::Cell(int column, int row) const
{
    const QFontMetrics metrics(view->font());
    const int width = CellWidth();
    return {column * width + width / 2 + 1, row * metrics.height() + metrics.height() / 2};
}

void OutputViewTest::Click(int column, int row, Qt::KeyboardModifiers modifiers)
{
    QTest::mouseClick(view->viewport(), Qt::LeftButton, modifiers, Cell(column, row));
}

void OutputViewTest::selectAndCopy()
{
    QCOMPARE(view->focusPolicy(), Qt::StrongFocus);
    QCOMPARE(view->accessibleName(), QStringLiteral("Output"));
    Append(*view, "first line\r\nsecond\tline\r\nthird \xff\r\n");
    QSignalSpy copied(view.get(), &OutputView::CopyRequested);

    QTest::mousePress(view->viewport(), Qt::LeftButton, {}, Cell(6, 0));
    QTest::mouseMove(view->viewport(), Cell(3, 1));
    QTest::mouseRelease(view->viewport(), Qt::LeftButton, {}, Cell(3, 1));
    QCOMPARE(view->SelectedText(), QStringLiteral("line\nsec"));
    QTest::keySequence(view.get(), QKeySequence::Copy);
    QCOMPARE(copied.count(), 1);
    QCOMPARE(copied.at(0).at(0).toString(), QStringLiteral("line\nsec"));

    // The tab reaches column 8; the byte that is not UTF-8 is copied as shown.
    Click(10, 2, Qt::ShiftModifier);
    QCOMPARE(view->SelectedText(), QStringLiteral("line\nsecond\tline\nthird \\xFF"));
    Click(4, 1, Qt::ShiftModifier);
    QCOMPARE(view->SelectedText(), QStringLiteral("line\nseco"));

    Click(2, 1);
    QCOMPARE(view->SelectedText(), QString());
    QTest::keySequence(view.get(), QKeySequence::Copy);
    QCOMPARE(copied.count(), 1);

    QTest::keySequence(view.get(), QKeySequence::SelectAll);
    QTest::keySequence(view.get(), QKeySequence::Copy);
    QCOMPARE(copied.count(), 2);
    QCOMPARE(copied.at(1).at(0).toString(),
             QStringLiteral("first line\nsecond\tline\nthird \\xFF"));
}

void OutputViewTest::followsTheEndUntilScrolledUp()
{
    QScrollBar* bar = view->verticalScrollBar();
    Append(*view, NumberedLines(0, 1000));
    QTRY_VERIFY(bar->maximum() > 900 && bar->value() == bar->maximum());
    Append(*view, NumberedLines(1000, 1000));
    QTRY_VERIFY(bar->maximum() > 1900 && bar->value() == bar->maximum());

    QTest::keySequence(view.get(), QKeySequence::MoveToStartOfDocument);
    QCOMPARE(bar->value(), 0);
    QTest::keySequence(view.get(), QKeySequence::MoveToNextPage);
    const int scrolled = bar->value();
    QVERIFY(scrolled > 0);
    Append(*view, NumberedLines(2000, 1000));
    QTRY_VERIFY(bar->maximum() > 2900);
    QCOMPARE(bar->value(), scrolled);

    QTest::keySequence(view.get(), QKeySequence::MoveToEndOfDocument);
    Append(*view, NumberedLines(3000, 1000));
    QTRY_VERIFY(bar->maximum() > 3900 && bar->value() == bar->maximum());
}

void OutputViewTest::keepsItsPlaceAsLinesDrop()
{
    const int kept = static_cast<int>(TerminalOutput::DefaultMaxLines);
    Append(*view, NumberedLines(0, kept));
    QScrollBar* bar = view->verticalScrollBar();
    QTRY_VERIFY(bar->maximum() > kept - 100);
    bar->setValue(kept / 2);
    Click(0, 0);
    Click(40, 0, Qt::ShiftModifier);
    const QString top = view->SelectedText();
    QCOMPARE(top, QStringLiteral("line %1").arg(kept / 2));

    const int rows = bar->maximum();
    Append(*view, NumberedLines(kept, 1000));
    QCOMPARE(view->Output().DroppedLines(), std::uint64_t(1000));
    // As many lines as before, and the row that says what is gone.
    QTRY_COMPARE(bar->maximum(), rows + 1);
    Click(0, 0);
    Click(40, 0, Qt::ShiftModifier);
    QCOMPARE(view->SelectedText(), top);

    // At the top, the first row says what is gone.
    QTest::keySequence(view.get(), QKeySequence::MoveToStartOfDocument);
    Click(0, 1);
    Click(40, 1, Qt::ShiftModifier);
    QCOMPARE(view->SelectedText(), QStringLiteral("line 1000"));
    QCOMPARE(view->Output().DroppedLinesNotice(),
             QStringLiteral("1,000 earlier lines are no longer kept"));
}

void OutputViewTest::sizeInCells()
{
    QSignalSpy changed(view.get(), &OutputView::SizeInCellsChanged);
    const QFontMetrics metrics(view->font());
    const int cell = CellWidth();
    for (const QSize& size : {QSize(500, 300), QSize(700, 300), QSize(700, 450)}) {
        const int before = changed.count();
        view->resize(size);
        QTRY_VERIFY(changed.count() > before);
        const QList<QVariant> cells = changed.last();
        QCOMPARE(cells.at(0).toInt(), view->Columns());
        QCOMPARE(cells.at(1).toInt(), view->Rows());
        const QSize viewport = view->viewport()->size();
        QVERIFY(view->Columns() * cell <= viewport.width());
        QVERIFY((view->Columns() + 2) * cell > viewport.width());
        QVERIFY(view->Rows() * metrics.height() <= viewport.height());
        QVERIFY((view->Rows() + 1) * metrics.height() > viewport.height());
    }
}

void OutputViewTest::drawsColours()
{
    view->setPalette(QPalette(Qt::black, Qt::white));
    Append(*view, "\x1b[41m          \x1b[0m\r\n\x1b[7m          \r\n");
    QTRY_VERIFY(view->verticalScrollBar()->maximum() == 0 && view->Output().LineCount() == 2);
    QTRY_VERIFY([this] {
        const QImage image = view->viewport()->grab().toImage();
        const QColor red = image.pixelColor(Cell(5, 0));
        const QColor reversed = image.pixelColor(Cell(5, 1));
        return red.red() > 150 && red.green() < 50 && reversed.lightness() < 60;
    }());
}

QTEST_MAIN(OutputViewTest)
#include "OutputViewTest.moc"
