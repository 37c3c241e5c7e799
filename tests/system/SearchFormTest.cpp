#include "system/SearchForm.h"

#include "system/SearchAnimation.h"

#include <QFontMetrics>
#include <QLabel>
#include <QPushButton>
#include <QTest>

class SearchFormTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void arrangement_data();
    void arrangement();
    void captionBarWithoutButtons();
    void centredOnMainWindowWhenShown();
    void animationPlaysWhileShown();
    void folderShortenedToLabel();
};

void SearchFormTest::arrangement_data()
{
    QTest::addColumn<QSize>("size");
    QTest::newRow("initial") << QSize();
    QTest::newRow("wider and higher") << QSize(600, 200);
    QTest::newRow("below the minimum") << QSize(300, 80);
}

void SearchFormTest::arrangement()
{
    QFETCH(QSize, size);

    TSearchForm form;
    form.show();
    if (size.isValid())
        form.resize(size);
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QCOMPARE(form.minimumSize(), QSize(428, 128));
    const QSize actual = form.size();
    QCOMPARE(actual, size.isValid() ? size.expandedTo({428, 128}) : QSize(428, 128));
    const int wider = actual.width() - 428;
    const int higher = actual.height() - 128;

    // Left and top anchors keep their place, right and bottom anchors move.
    const auto geometry = [&form](const char* name) {
        return form.findChild<QWidget*>(QLatin1String(name))->geometry();
    };
    QCOMPARE(geometry("SearchAnimate"), QRect(8, 8, 80, 50));
    QCOMPARE(geometry("SearchDir").topLeft(), QPoint(96, 16));
    QCOMPARE(geometry("SearchDir").width(), 314 + wider);
    QCOMPARE(geometry("Notice").left(), 96);
    QCOMPARE(geometry("Notice").width(), 314 + wider);
    QVERIFY(geometry("Notice").top() > geometry("SearchDir").bottom());
    QCOMPARE(geometry("Browse"), QRect(80, 70 + higher, 75, 25));
    QCOMPARE(geometry("Cancel"), QRect(272 + wider, 70 + higher, 74, 25));
    QCOMPARE(form.focusWidget(), form.findChild<QWidget*>(QStringLiteral("Browse")));
}

void SearchFormTest::captionBarWithoutButtons()
{
    const TSearchForm form;
    const Qt::WindowFlags flags = form.windowFlags();
    QVERIFY(flags.testFlag(Qt::CustomizeWindowHint));
    QVERIFY(flags.testFlag(Qt::WindowTitleHint));
    QVERIFY(!flags.testFlag(Qt::WindowCloseButtonHint));
    QVERIFY(!flags.testFlag(Qt::WindowSystemMenuHint));
}

void SearchFormTest::centredOnMainWindowWhenShown()
{
    QWidget mainWindow;
    mainWindow.setGeometry(150, 120, 900, 700);
    mainWindow.show();
    TSearchForm form(&mainWindow);
    for (const QPoint mainAt : {QPoint(150, 120), QPoint(40, 300)}) {
        mainWindow.move(mainAt);
        form.show();
        QCOMPARE(form.frameGeometry().center(), mainWindow.frameGeometry().center());
        form.hide();
    }
}

void SearchFormTest::animationPlaysWhileShown()
{
    TSearchForm form;
    const auto* animation = form.findChild<SearchAnimation*>(QStringLiteral("SearchAnimate"));
    QVERIFY(!animation->IsPlaying());
    form.show();
    QVERIFY(animation->IsPlaying());
    QTRY_VERIFY(animation->Frame() > 0);
    form.hide();
    QVERIFY(!animation->IsPlaying());
    form.show();
    QCOMPARE(animation->Frame(), 0);
}

void SearchFormTest::folderShortenedToLabel()
{
    TSearchForm form;
    form.show();
    const auto* label = form.findChild<QLabel*>(QStringLiteral("SearchDir"));
    const QFontMetrics metrics(label->font());

    const QString longFolder = QStringLiteral("/home/ann/") + QString(200, QLatin1Char('x')) +
                               QStringLiteral("/projects/tools/bin/");
    form.ShowFolder(longFolder);
    QVERIFY(metrics.horizontalAdvance(label->text()) <= label->width());
    QVERIFY(label->text().startsWith(QStringLiteral("/.../")));
    QVERIFY(label->text().endsWith(QStringLiteral("/tools/bin/")));

    // A new showing starts with the folder it is given, however soon.
    form.hide();
    form.show();
    form.ShowFolder(QStringLiteral("/usr/"));
    QCOMPARE(label->text(), QStringLiteral("/usr/"));
}

QTEST_MAIN(SearchFormTest)
#include "SearchFormTest.moc"
