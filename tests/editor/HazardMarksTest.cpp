// The window's marks for what the file format would lose: entries of the
// option list carry an icon and the explanation, and the status bar counts
// them, whenever the document is collected. Nothing stops a save.
#include "tests/editor/MainFormHarness.h"
#include "tests/support/ReloadChanges.h"

#include <QAccessible>
#include <QFileInfo>
#include <QLabel>
#include <QTest>
#include <algorithm>

namespace {

// Options Input (a value), Output (listed values), Third.
const QByteArray Plain = "[Quarn]\r\nName=Tool\r\n[Input]\r\nType=String\r\nValue=in\r\n"
                         "[Output]\r\nType=Select\r\nValue1=fast\r\nValue2=slow\r\n"
                         "[Third]\r\nType=String\r\n";

// The texts of the settings page and of the option shown, as the user sees them.
QStringList ShownTexts(MainFormHarness& harness)
{
    QStringList texts;
    for (const char* box :
         {"Name", "Program", "Directory", "Shell", "NameOption", "Value", "Format", "EditValues"})
        texts.append(harness.Edit(box)->text());
    return texts;
}

} // namespace

class HazardMarksTest : public QObject
{
    Q_OBJECT

private:
    static QLabel* Summary(MainFormHarness& harness)
    {
        return harness.Control<QLabel>("HazardSummary");
    }

private Q_SLOTS:
    // A row per kind of mark: an edit, the marks it gives, and the truth of
    // a real save and reload (the file's document, and the texts the window
    // shows, before and after).
    void marksWhatASaveAndReloadChanges_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("control"); // a line edit to type into, or an action
        QTest::addColumn<QString>("text");
        QTest::addColumn<QList<int>>("marked"); // -1: the program settings
        QTest::addColumn<QString>("message");   // of the last marked entry, or the summary's

        QTest::newRow("same name as an earlier option")
            << Plain << 1 << "NameOption"
            << "INPUT" << QList<int>{1}
            << "Option 2 has the same name as option 1; after saving it will read option 1's "
               "settings";
        QTest::newRow("named like the settings' section")
            << Plain << 0 << "NameOption"
            << "quarn" << QList<int>{0}
            << "Option 1 is named like the program settings' section; after saving it will "
               "read the program settings";
        QTest::newRow("bracket in the name")
            << Plain << 0 << "NameOption"
            << "in]put" << QList<int>{0}
            << "Option 1's name contains ']'; after saving it will be cut to \"in\"";
        QTest::newRow("no name") << Plain << 1 << "NameOption"
                                 << "" << QList<int>{1}
                                 << "Option 2 has no name; after saving it will be named "
                                    "\"Option 2\"";
        QTest::newRow("a name that ends the list")
            << Plain << 0 << "NameOption"
            << "]x" << QList<int>{0, 1, 2}
            << "Option 3 will be lost after saving, because option 1's name ends the option "
               "list";
        QTest::newRow("empty listed value")
            << Plain << 1 << "EditValues"
            << "" << QList<int>{1}
            << "Option 2's listed value 1 is empty; after saving it and the values after it "
               "will be lost";
        QTest::newRow("a line too long")
            << Plain << 0 << "Format" << QString(40958, QLatin1Char('f')) << QList<int>{0}
            << "Option 1's format is longer than a line of the file can hold; after saving it "
               "will be cut";
        QTest::newRow("a line at the exact capacity")
            << Plain << 0 << "Value" << QString(40958 - 6, QLatin1Char('v')) << QList<int>{}
            << QString();
        QTest::newRow("negative argument from the file")
            << QByteArray("[Quarn]\r\n[A]\r\nType=String\r\n[B]\r\nType=String\r\nArg=-3\r\n") << 0
            << ""
            << "" << QList<int>{1}
            << "Option 2's argument number is negative; after saving it will be 0";
        QTest::newRow("default mark moved up")
            << QByteArray(Plain).replace("Name=Tool", "First=2") << 2 << "EditUp"
            << "" << QList<int>{1, 2}
            << "Option 3 does not carry the default mark, but after saving it will";
        // A file that is not valid UTF-8 is shown as Windows-1252.
        const QByteArray windows1252 = QByteArray(Plain).replace("Tool", "Caf\xe9");
        QTest::newRow("a character the file's encoding cannot store")
            << windows1252 << 0 << "Value" << QStringLiteral("\u0142") << QList<int>{0}
            << "Option 1's value contains characters that this file's encoding cannot store";
        QTest::newRow("the same in the program settings")
            << windows1252 << 0 << "Program" << QStringLiteral("/bin/\u0142") << QList<int>{-1}
            << "The program contains characters that this file's encoding cannot store\n"
               "The program \"/bin/?\" cannot be found on this machine";
    }

    void marksWhatASaveAndReloadChanges()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, row);
        QFETCH(QString, control);
        QFETCH(QString, text);
        QFETCH(QList<int>, marked);
        QFETCH(QString, message);

        MainFormHarness harness;
        const QString path = harness.WriteFile(QStringLiteral("marks.Quarn"), file);
        harness.Open(path);
        QListWidget* list = harness.List("OptionList");
        harness.FocusOptionList();
        harness.ClickRow(list, row);
        if (harness.Action(qPrintable(control)))
            harness.Trigger(qPrintable(control));
        else if (!control.isEmpty())
            harness.Edit(qPrintable(control))->setText(text);
        harness.Form().CollectDocument();

        QList<int> shownMarks;
        if (Summary(harness)->text().startsWith(QLatin1String("The program settings")))
            shownMarks.append(-1);
        for (int entry = 0; entry < list->count(); ++entry) {
            if (!list->item(entry)->icon().isNull())
                shownMarks.append(entry);
        }
        QCOMPARE(shownMarks, marked);
        if (!marked.isEmpty()) {
            const QString shown = marked.back() < 0 ? Summary(harness)->toolTip()
                                                    : list->item(marked.back())->toolTip();
            QCOMPARE(shown, message);
        }

        // The truth: save, open again, show the same option.
        const int current = harness.Form().CurrentOption();
        const CDef saved = harness.Document().Current;
        const QStringList shownBefore = ShownTexts(harness);
        harness.Trigger("FileSave");
        harness.Open(path);
        QList<int> changed = ChangedByReload(saved, harness.Document().Current);
        harness.ClickRow(list, current);
        // The texts shown: the settings', then the option's.
        const QStringList shownAfter = ShownTexts(harness);
        if (shownBefore.mid(0, 4) != shownAfter.mid(0, 4) && !changed.contains(-1))
            changed.prepend(-1);
        if (shownBefore.mid(4) != shownAfter.mid(4) && !changed.contains(current))
            changed.append(current);
        std::sort(changed.begin(), changed.end());
        QCOMPARE(changed, marked);
    }

    void marksFollowTheDocument()
    {
        MainFormHarness harness;
        harness.Open(harness.WriteFile(QStringLiteral("twice.Quarn"),
                                       "[Quarn]\r\n[Input]\r\nType=String\r\n[Output]\r\nType="
                                       "Suggest\r\n[Third]\r\nType=String\r\n"));
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
                 QStringLiteral("The program settings and 2 options will not read back as saved; "
                                "The program settings will not run as written"));

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

    void runTimeMistakesAreMarked()
    {
        MainFormHarness harness;
        harness.Open(harness.WriteFile(QStringLiteral("mistakes.Quarn"),
                                       "[Quarn]\r\nProgram=sh\r\n[Mode]\r\nType=Select\r\n"
                                       "[Count]\r\nType=True\r\nFormat=-c\r\n"));
        QListWidget* list = harness.List("OptionList");
        QCOMPARE(list->item(0)->toolTip(),
                 QStringLiteral("Option 1: a \"Select\" option without listed values offers "
                                "nothing to choose"));
        QVERIFY(list->item(1)->icon().isNull());
        QCOMPARE(Summary(harness)->text(), QStringLiteral("1 option will not run as written"));

        harness.Edit("Program")->setText(QStringLiteral("./no such program"));
        harness.Edit("Directory")->setText(QStringLiteral("no such folder"));
        harness.Form().CollectDocument();
        QCOMPARE(Summary(harness)->text(),
                 QStringLiteral("The program settings and 1 option will not run as written"));
        QCOMPARE(Summary(harness)->toolTip(),
                 QStringLiteral("The program \"./no such program\" cannot be found on this "
                                "machine\nThe folder \"%1/no such folder\" does not exist on this "
                                "machine")
                     .arg(QFileInfo(harness.PathOf(QStringLiteral("x"))).path()));
    }

    // A screen reader tells the marks the eye sees.
    void entriesDescribeTheirMarks()
    {
        MainFormHarness harness;
        harness.Open(harness.WriteFile(QStringLiteral("marks.Quarn"),
                                       "[Quarn]\r\n[A]\r\nType=String\r\n[B]\r\nType=String\r\n"
                                       "Arg=-1\r\n"));
        QAccessibleInterface* list =
            QAccessible::queryAccessibleInterface(harness.List("OptionList"));
        QCOMPARE(list->child(0)->text(QAccessible::Description), QStringLiteral("default option"));
        QCOMPARE(list->child(1)->text(QAccessible::Description),
                 QStringLiteral("a save would lose this option: Option 2's argument number is "
                                "negative; after saving it will be 0"));
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
