// The built-in manual: the help window from both Help commands and from F1
// in a field, its index and search, and a manual whose every link and every
// field's topic leads somewhere.
#include "editor/ContextHelp.h"
#include "editor/HelpManual.h"
#include "editor/HelpWindow.h"
#include "tests/editor/MainFormHarness.h"

#include <QAbstractItemModel>
#include <QListView>
#include <QScreen>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QTreeWidget>

namespace {

const QByteArray SuggestOption = "[Quarn]\r\n[Colour]\r\nType=Suggest\r\nValue1=red\r\n";

QUrl Topic(const char* address)
{
    return QUrl(QString::fromLatin1(address));
}

THelpWindow* HelpWindowOf(MainFormHarness& harness)
{
    const auto windows = harness.Form().findChildren<THelpWindow*>();
    return windows.size() == 1 ? windows.first() : nullptr;
}

QStringList IndexEntries(const THelpWindow& window)
{
    const QAbstractItemModel* model =
        window.findChild<QListView*>(QStringLiteral("HelpIndex"))->model();
    QStringList entries;
    for (int row = 0; row < model->rowCount(); ++row)
        entries.append(model->index(row, 0).data().toString());
    return entries;
}

} // namespace

class HelpTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void bothCommandsOpenOneWindow()
    {
        MainFormHarness harness;
        harness.Trigger("HelpContents");
        THelpWindow* window = HelpWindowOf(harness);
        QVERIFY(window);
        QVERIFY(window->isVisible());
        auto* tabs = window->findChild<QTabWidget*>(QStringLiteral("HelpTabs"));
        QCOMPARE(tabs->currentIndex(), 0);
        // The contents: one entry per page, its sections below it.
        const HelpManual manual;
        auto* tree = window->findChild<QTreeWidget*>(QStringLiteral("HelpContentsTree"));
        QCOMPARE(tree->topLevelItemCount(), manual.Pages().size());
        QCOMPARE(tree->topLevelItem(2)->text(0), QStringLiteral("The Options page"));
        QVERIFY(tree->topLevelItem(2)->childCount() >= 12);
        QCOMPARE(window->Source(), manual.FirstPage());

        // Asked again, the same window shows the index, ready for typing.
        window->hide();
        harness.Form().activateWindow();
        harness.Form().setFocus();
        Press(Qt::Key_F1, Qt::ControlModifier);
        QCOMPARE(HelpWindowOf(harness), window);
        QVERIFY(window->isVisible());
        QCOMPARE(tabs->currentIndex(), 1);
        QCOMPARE(IndexEntries(*window).size(), manual.Topics().size());
        QVERIFY(harness.platform.helpRequests.isEmpty());
    }

    // Opened beside an editor at the screen's corner, the window stands
    // whole on that screen; Alt+S reaches the search field from either tab.
    void opensOnTheScreenWithSearchAtHand()
    {
        MainFormHarness harness;
        const QRect screen = harness.Form().screen()->availableGeometry();
        harness.Form().move(screen.bottomRight() - QPoint(100, 100));
        harness.Trigger("HelpContents");
        THelpWindow* window = HelpWindowOf(harness);
        QTRY_VERIFY(window->isActiveWindow());
        QVERIFY(screen.contains(window->frameGeometry()));

        auto* tabs = window->findChild<QTabWidget*>(QStringLiteral("HelpTabs"));
        auto* field = window->findChild<QLineEdit*>(QStringLiteral("HelpSearchField"));
        const std::pair<int, const char*> starts[] = {{0, "HelpContentsTree"}, {1, "HelpIndex"}};
        for (const auto& [tab, control] : starts) {
            tabs->setCurrentIndex(tab);
            window->findChild<QWidget*>(QLatin1String(control))->setFocus();
            Press(Qt::Key_S, Qt::AltModifier);
            QCOMPARE(tabs->currentIndex(), 1);
            QCOMPARE(window->focusWidget(), field);
        }
    }

    void searchFiltersAsTheUserTypes()
    {
        MainFormHarness harness;
        harness.Trigger("HelpSearch");
        THelpWindow* window = HelpWindowOf(harness);
        auto* field = window->findChild<QLineEdit*>(QStringLiteral("HelpSearchField"));
        QCOMPARE(window->focusWidget(), field);

        // Every word, in any order, in a topic's title or text.
        QTest::keyClicks(field, QStringLiteral("SEARCH drive"));
        const QStringList found = IndexEntries(*window);
        QVERIFY2(found.contains(
                     QStringLiteral("The drive search (Finding the program, shell and folder)")),
                 qPrintable(found.join(QLatin1Char('|'))));
        QVERIFY(found.size() < HelpManual().Topics().size());
        QTest::keyClicks(field, QStringLiteral(" xyzzy"));
        QVERIFY(IndexEntries(*window).isEmpty());

        // Enter opens the first topic found.
        field->clear();
        QTest::keyClicks(field, QStringLiteral("argument number"));
        QTest::keyClick(field, Qt::Key_Return);
        QCOMPARE(IndexEntries(*window).first(),
                 QStringLiteral("Argument number (The Options page)"));
        QCOMPARE(window->Source(), Topic("qrc:/manual/03-options-page.md#argument-number"));
    }

    void f1OpensTheTopicOfTheField_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<QUrl>("topic");
        const auto row = [](const char* control, const char* topic) {
            QTest::newRow(control) << QString::fromLatin1(control) << Topic(topic);
        };
        row("Name", "qrc:/manual/02-program-settings.md#caption");
        row("ProgInfo", "qrc:/manual/02-program-settings.md#information");
        row("OptionList", "qrc:/manual/03-options-page.md#the-option-list");
        row("Type", "qrc:/manual/03-options-page.md#type");
        row("Values", "qrc:/manual/03-options-page.md#values");
        row("OptionInfo", "qrc:/manual/03-options-page.md#information");
        // A page without a field in use has a topic of its own.
        row("OptionsPage", "qrc:/manual/03-options-page.md");
    }

    void f1OpensTheTopicOfTheField()
    {
        QFETCH(QString, control);
        QFETCH(QUrl, topic);
        MainFormHarness harness;
        harness.Open(harness.WriteFile(QStringLiteral("help.Quarn"), SuggestOption));
        auto* widget = harness.Form().findChild<QWidget*>(control);
        auto* pages = harness.Control<QTabWidget>("PageControl");
        for (int page = 0; page < pages->count(); ++page) {
            if (pages->widget(page)->isAncestorOf(widget) || pages->widget(page) == widget)
                pages->setCurrentIndex(page);
        }
        if (widget->focusPolicy() == Qt::NoFocus)
            harness.Control<QToolButton>("HelpButton")->setFocus(); // nothing in use
        else
            widget->setFocus();
        Press(Qt::Key_F1);
        THelpWindow* window = HelpWindowOf(harness);
        QVERIFY(window);
        QCOMPARE(window->Source(), topic);

        // The menu's Contents keeps the page and shows the contents beside it.
        harness.Trigger("HelpContents");
        QCOMPARE(window->Source(), topic);
    }

    void backAndForward()
    {
        MainFormHarness harness;
        harness.Trigger("HelpContents");
        THelpWindow* window = HelpWindowOf(harness);
        const QUrl first = window->Source();
        const QUrl type = Topic("qrc:/manual/03-options-page.md#type");
        window->ShowTopic(type);
        auto* back = window->findChild<QToolButton*>(QStringLiteral("HelpBack"));
        auto* forward = window->findChild<QToolButton*>(QStringLiteral("HelpForward"));
        QVERIFY(back->isEnabled());
        QVERIFY(!forward->isEnabled());
        QTest::mouseClick(back, Qt::LeftButton);
        QCOMPARE(window->Source(), first);
        QTest::mouseClick(forward, Qt::LeftButton);
        QCOMPARE(window->Source(), type);
        // The contents tree follows the page shown.
        auto* tree = window->findChild<QTreeWidget*>(QStringLiteral("HelpContentsTree"));
        QCOMPARE(tree->currentItem()->text(0), QStringLiteral("Type"));
    }

    void everyLinkResolves()
    {
        const HelpManual manual;
        QVERIFY(manual.Pages().size() >= 10);
        int links = 0;
        for (const QUrl& page : manual.Pages()) {
            for (const QString& link : manual.LinksOf(page)) {
                const QUrl target = page.resolved(QUrl(link));
                QVERIFY2(manual.Resolves(target),
                         qPrintable(page.fileName() + QStringLiteral(": ") + link));
                ++links;
            }
        }
        QVERIFY(links > 50);
        QVERIFY(!manual.Resolves(Topic("qrc:/manual/03-options-page.md#no-such-heading")));
        QVERIFY(!manual.Resolves(Topic("qrc:/manual/no-such-page.md")));
    }

    void everyFieldHasATopic()
    {
        MainFormHarness harness;
        const HelpManual manual;
        for (const char* pageName : {"GlobalPage", "OptionsPage"}) {
            auto* page = harness.Form().findChild<QWidget*>(QLatin1String(pageName));
            const QUrl pageTopic = HelpTopicFor(page);
            QVERIFY(manual.Resolves(pageTopic));
            int fields = 0;
            for (QWidget* control : page->findChildren<QWidget*>()) {
                if (!qobject_cast<QLineEdit*>(control) && !qobject_cast<QPlainTextEdit*>(control) &&
                    !qobject_cast<QComboBox*>(control) && !qobject_cast<QListWidget*>(control) &&
                    !qobject_cast<QCheckBox*>(control) && !qobject_cast<QPushButton*>(control))
                    continue;
                const QUrl topic = HelpTopicFor(control);
                QVERIFY2(
                    topic != pageTopic && manual.Resolves(topic),
                    qPrintable(control->objectName() + QStringLiteral(": ") + topic.toString()));
                ++fields;
            }
            QVERIFY(fields >= 9);
        }
    }

    void anchorsAreNamedAsLinksNameThem_data()
    {
        QTest::addColumn<QString>("heading");
        QTest::addColumn<QString>("anchor");
        QTest::newRow("words") << QStringLiteral("Argument number")
                               << QStringLiteral("argument-number");
        QTest::newRow("punctuation")
            << QStringLiteral("Keys, and settings!") << QStringLiteral("keys-and-settings");
        QTest::newRow("hyphen kept")
            << QStringLiteral("One-option clipboard") << QStringLiteral("one-option-clipboard");
    }

    void anchorsAreNamedAsLinksNameThem()
    {
        QFETCH(QString, heading);
        QFETCH(QString, anchor);
        QCOMPARE(HeadingAnchor(heading), anchor);
    }
};

QTEST_MAIN(HelpTest)
#include "HelpTest.moc"
