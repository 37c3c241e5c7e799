// How the main window lays itself out: widths at a wide size, the Tab order,
// the option list's rows, the status bar's hint beside the hazard summary.
#include "editor/HintStatusBar.h"
#include "tests/editor/MainFormHarness.h"

#include <QApplication>
#include <QLabel>
#include <QTest>

class MainWindowLayoutTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void wideWindowGivesTheWidthToFieldsMemoAndHide()
    {
        MainFormHarness harness;
        const char* buttons[] = {"ProgramButton", "DirectoryButton", "ShellButton"};
        const char* fields[] = {"Name", "Program", "Directory", "Shell"};
        const int columnWidth = harness.Button("ProgramButton")->width();
        QCOMPARE(columnWidth, std::max(75, harness.Button("ProgramButton")->sizeHint().width()));
        auto* pages = harness.Control<QTabWidget>("PageControl");
        pages->setCurrentIndex(1);
        QApplication::processEvents();
        const int optionsNameWidth = harness.Edit("NameOption")->width();
        const int useDirX = harness.Check("UseDir")->x();

        harness.Form().resize(1000, 600);
        QApplication::processEvents();
        // The "Options" page keeps its columns; the lists and the memo grow.
        QCOMPARE(harness.Edit("NameOption")->width(), optionsNameWidth);
        QCOMPARE(harness.Check("UseDir")->x(), useDirX);
        QVERIFY(harness.Memo("OptionInfo")->width() > 800);
        pages->setCurrentIndex(0);
        QApplication::processEvents();
        for (const char* name : buttons)
            QCOMPARE(harness.Button(name)->width(), columnWidth);
        const int fieldsLeft = harness.Button("ProgramButton")->geometry().right();
        for (const char* name : fields) {
            QCOMPARE(harness.Edit(name)->width(), 500);
            QVERIFY(harness.Edit(name)->x() - fieldsLeft < 12);
        }
        const QWidget* page = harness.Control<QWidget>("GlobalPage");
        QVERIFY(harness.Memo("ProgInfo")->width() > 800);
        QVERIFY(harness.Memo("ProgInfo")->height() > 250);
        QVERIFY(harness.Button("Hide")->width() > page->width() - 20);

        harness.Form().resize(harness.Form().minimumSize());
        QApplication::processEvents();
        for (const char* name : fields)
            QVERIFY(harness.Edit(name)->width() >= 100);
    }

    void tabPassesHide()
    {
        MainFormHarness harness;
        harness.Edit("Program")->setText(QStringLiteral("/usr/bin/tar"));
        QVERIFY(harness.Button("Hide")->isEnabled());
        harness.Edit("Name")->setFocus();
        for (int press = 0; press < 20; ++press) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
            QVERIFY(QApplication::focusWidget() != harness.Button("Hide"));
        }
    }

    void markedRowsKeepTheirHeight()
    {
        MainFormHarness harness;
        harness.Open(harness.WriteFile(QStringLiteral("marks.Quarn"),
                                       "[Quarn]\r\n[Plain]\r\nType=String\r\n[Twice]\r\nType="
                                       "Select\r\n[Last]\r\nType=String\r\n"));
        QListWidget* list = harness.List("OptionList");
        // Text lower than the mark's usual 16 pixels.
        QFont small = list->font();
        small.setPixelSize(10);
        list->setFont(small);
        const auto rowHeight = [list](int row) {
            return list->visualItemRect(list->item(row)).height();
        };
        const int plainHeight = rowHeight(0);

        // A marked entry below plain ones: its mark fits in its row.
        harness.FocusOptionList();
        harness.ClickRow(list, 1);
        harness.Edit("NameOption")->setText(QStringLiteral("Plain"));
        harness.ClickRow(list, 2);
        QVERIFY(!list->item(1)->icon().isNull());
        QCOMPARE(rowHeight(1), plainHeight);
        QVERIFY(list->iconSize().isValid());
        QVERIFY(list->iconSize().height() <= plainHeight);

        // A marked first entry sets the rows' height: they stay about as high.
        harness.ClickRow(list, 0);
        harness.Edit("NameOption")->setText(QStringLiteral("Quarn"));
        harness.ClickRow(list, 2);
        QVERIFY(!list->item(0)->icon().isNull());
        QVERIFY(rowHeight(2) < plainHeight + plainHeight / 4);

        // A hint too long for the bar ends before the summary.
        auto* bar = harness.Control<HintStatusBar>("StatusBar");
        const QLabel* summary = harness.Control<QLabel>("HazardSummary");
        QVERIFY(summary->isVisible());
        bar->showMessage(QString(300, QLatin1Char('W')));
        QApplication::processEvents();
        QVERIFY(bar->HintRect().right() < summary->x());
        QVERIFY(bar->HintRect().width() > 0);
    }
};

QTEST_MAIN(MainWindowLayoutTest)
#include "MainWindowLayoutTest.moc"
