// The window's marks for what the file format would lose: entries of the
// option list carry an icon and the explanation, and the status bar counts
// them, whenever the document is collected. Nothing stops a save.
#include "tests/editor/MainFormHarness.h"

#include <QLabel>
#include <QTest>

class HazardMarksTest : public QObject
{
    Q_OBJECT

private:
    static QLabel* Summary(MainFormHarness& harness)
    {
        return harness.Control<QLabel>("HazardSummary");
    }

private Q_SLOTS:
    void marksFollowTheDocument()
    {
        MainFormHarness harness;
        harness.Open(harness.WriteFile(
            QStringLiteral("twice.Quarn"),
            "[Quarn]\r\n[Input]\r\nType=String\r\n[Output]\r\nType=Select\r\n[Third]\r\nType=String\r\n"));
        QListWidget* list = harness.List("OptionList");
        QVERIFY(Summary(harness)->isHidden());
        QVERIFY(list->item(1)->icon().isNull());

        // Renaming the second option like the first, in other letters.
        harness.FocusOptionList();
        harness.ClickRow(list, 1);
        harness.Edit("NameOption")->selectAll();
        QTest::keyClicks(harness.Edit("NameOption"), QStringLiteral("INPUT"));
        harness.Form().CollectDocument();
        QVERIFY(!list->item(1)->icon().isNull());
        QCOMPARE(list->item(1)->toolTip(),
                 QStringLiteral("Option 2 has the same name as option 1; after saving it will read "
                                "option 1's settings"));
        QCOMPARE(list->item(1)->statusTip(), list->item(1)->toolTip());
        QVERIFY(list->item(0)->icon().isNull());
        QVERIFY(!Summary(harness)->isHidden());
        QCOMPARE(Summary(harness)->text(), QStringLiteral("1 option will not read back as saved"));

        // The save goes ahead all the same, without a box.
        harness.Trigger("FileSave");
        QCOMPARE(harness.dialogs.shown.size(), 1); // the Open dialog only
        QVERIFY(harness.ReadFile(QStringLiteral("twice.Quarn")).contains("[INPUT]"));

        // An unnamed option, and the program settings, count too.
        harness.ClickRow(list, 2);
        harness.Edit("NameOption")->clear();
        harness.Edit("Program")->setText(QString(40958, QLatin1Char('p')));
        harness.Form().CollectDocument();
        QCOMPARE(Summary(harness)->text(),
                 QStringLiteral("The program settings and 2 options will not read back as saved"));

        harness.Edit("Program")->clear();
        QTest::keyClicks(harness.Edit("NameOption"), QStringLiteral("Third"));
        harness.ClickRow(list, 1);
        harness.Edit("NameOption")->setText(QStringLiteral("Output"));
        harness.ClickRow(list, 0);
        QVERIFY(list->item(1)->icon().isNull());
        QVERIFY(!Summary(harness)->isHidden()); // the settings are collected later
        harness.Form().CollectDocument();
        QVERIFY(list->item(1)->toolTip().isEmpty());
        QVERIFY(Summary(harness)->isHidden());
    }

    void defaultOptionIsBold()
    {
        MainFormHarness harness;
        harness.Open(harness.WriteFile(QStringLiteral("first.Quarn"),
                                       "[Quarn]\r\nFirst=1\r\n[A]\r\nType=String\r\n[B]\r\nType="
                                       "String\r\n[C]\r\nType=String\r\n"));
        QListWidget* list = harness.List("OptionList");
        const auto bold = [list] {
            QString rows;
            for (int row = 0; row < list->count(); ++row)
                rows += list->item(row)->font().bold() ? QLatin1Char('B') : QLatin1Char('-');
            return rows;
        };
        QCOMPARE(bold(), QStringLiteral("-B-"));

        harness.FocusOptionList();
        harness.ClickRow(list, 2);
        harness.Check("Default")->click();
        QCOMPARE(bold(), QStringLiteral("--B"));
        harness.Check("Default")->click();
        QCOMPARE(bold(), QStringLiteral("---"));
        harness.ClickRow(list, 0);
        harness.Check("Default")->click();
        QCOMPARE(bold(), QStringLiteral("B--"));
    }
};

QTEST_MAIN(HazardMarksTest)
#include "HazardMarksTest.moc"
