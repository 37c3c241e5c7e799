// The "Options" page driven as its user drives it: selecting options, the
// type, argument, boolean, values, name and default rules, the no-option
// state, and documents that must come back exactly as they were opened.
#include "tests/editor/MainFormHarness.h"

#include <QLabel>
#include <QStyle>
#include <QStyleOptionButton>
#include <QTest>
#include <initializer_list>

namespace {

QByteArray Bytes(const std::string& text)
{
    return QByteArray::fromStdString(text);
}

// Lines of a definition file, each ended with CR LF.
QByteArray Lines(std::initializer_list<QByteArray> lines)
{
    QByteArray bytes;
    for (const QByteArray& line : lines)
        bytes += line + "\r\n";
    return bytes;
}

// Three options in forms the pane does not store (type names in small
// letters, a boolean default "yes"), so a record that was stored shows it.
const QByteArray ThreeOptions =
    Lines({"[Quarn]", "Name=Tool", "[Alpha]", "Type=string", "Value=a", "[Beta]", "Type=select",
           "Value=v", "Value1=x", "Value2=y", "Value3=w", "[Gamma]", "Type=true", "Value=yes"});

// Every byte from 0x80 to 0xFF: no valid UTF-8, so the document is read as
// Windows-1252.
QByteArray HighBytes()
{
    QByteArray bytes;
    for (int byte = 0x80; byte <= 0xFF; ++byte)
        bytes += static_cast<char>(byte);
    return bytes;
}

// A file with the given text in every text field the pane and the settings
// page show.
QByteArray EveryField(const QByteArray& text)
{
    return Lines({"[Quarn]", "Name=" + text, "Information=2", text, "two", "", "[" + text + "]",
                  "Type=String", "Value=" + text, "Value1=" + text, "Value2=x", "Format=" + text,
                  "Information=2", text, text, ""});
}

} // namespace

class OptionPaneTest : public QObject
{
    Q_OBJECT

private:
    // Writes a definition file, opens it and shows the "Options" page.
    static QString OpenOnOptions(MainFormHarness& harness, const QByteArray& bytes)
    {
        const QString path = harness.WriteFile(QStringLiteral("test.Quarn"), bytes);
        harness.Open(path);
        harness.FocusOptionList();
        return path;
    }

    static void ClickBox(QCheckBox* box)
    {
        QStyleOptionButton option;
        option.initFrom(box);
        const QRect indicator =
            box->style()->subElementRect(QStyle::SE_CheckBoxIndicator, &option, box);
        QTest::mouseClick(box, Qt::LeftButton, Qt::NoModifier, indicator.center());
    }

    // The focused box with its whole text selected, so that typing replaces it.
    static QLineEdit* Focused(MainFormHarness& harness, const char* name)
    {
        QLineEdit* box = harness.Edit(name);
        box->setFocus();
        return box;
    }

    // User steps: "click N" clicks entry N of the option list, "key K"
    // presses key K (as QKeySequence spells it) with the focus in the
    // option list, "default" clicks the Default box, "open empty" opens a
    // definition without options.
    static void Run(MainFormHarness& harness, const QStringList& steps)
    {
        QListWidget* list = harness.List("OptionList");
        for (const QString& step : steps) {
            const QString argument = step.section(QLatin1Char(' '), 1);
            if (step.startsWith(QLatin1String("click "))) {
                harness.ClickRow(list, argument.toInt());
            } else if (step.startsWith(QLatin1String("key "))) {
                harness.FocusOptionList();
                const QKeyCombination key = QKeySequence::fromString(argument)[0];
                QTest::keyClick(list, key.key(), key.keyboardModifiers());
            } else if (step == QLatin1String("default")) {
                ClickBox(harness.Check("Default"));
            } else if (step == QLatin1String("open empty")) {
                harness.Open(harness.WriteFile(QStringLiteral("empty.Quarn"),
                                               Lines({"[Quarn]", "Name=Empty"})));
            } else {
                QFAIL(qPrintable(QStringLiteral("unknown step ") + step));
            }
        }
    }

    static QStringList Entries(MainFormHarness& harness)
    {
        QStringList entries;
        QListWidget* list = harness.List("OptionList");
        for (int i = 0; i < list->count(); ++i)
            entries.append(list->item(i)->text());
        return entries;
    }

    static QList<bool> Marks(MainFormHarness& harness)
    {
        QList<bool> marks;
        for (const COption& option : harness.Document().Current.Options)
            marks.append(option.Default);
        return marks;
    }

    static void CompareEnabled(MainFormHarness& harness, bool valueEnabled)
    {
        QCOMPARE(harness.Edit("Value")->isEnabled(), valueEnabled);
        QCOMPARE(harness.Control<QLabel>("ValueLabel")->isEnabled(), valueEnabled);
        QCOMPARE(harness.Combo("ValBool")->isEnabled(), valueEnabled);
    }

private Q_SLOTS:
    void selectionStoresThenShows_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<int>("shown");
        QTest::addColumn<bool>("storedAgain"); // a repeated selection stores what it shows
        const QString down = QStringLiteral("key Down");
        QTest::newRow("mouse on another entry")
            << QStringList{QStringLiteral("click 1")} << 1 << false;
        QTest::newRow("arrow key") << QStringList{down} << 1 << false;
        QTest::newRow("End key") << QStringList{QStringLiteral("key End")} << 2 << false;
        QTest::newRow("mouse on the selected entry")
            << QStringList{QStringLiteral("click 0")} << 0 << true;
        QTest::newRow("mouse on the entry the keyboard selected")
            << QStringList{down, QStringLiteral("click 1")} << 1 << true;
        QTest::newRow("mouse on another entry after the keyboard")
            << QStringList{down, QStringLiteral("click 2")} << 2 << false;
    }

    void selectionStoresThenShows()
    {
        QFETCH(QStringList, steps);
        QFETCH(int, shown);
        QFETCH(bool, storedAgain);
        MainFormHarness harness;
        OpenOnOptions(harness, ThreeOptions);
        QTest::keyClicks(Focused(harness, "Format"), QStringLiteral("!"));
        Run(harness, steps);

        CDefDocument& document = harness.Document();
        QCOMPARE(harness.Form().CurrentOption(), shown);
        QCOMPARE(harness.List("OptionList")->currentRow(), shown);
        QCOMPARE(harness.Edit("NameOption")->text(),
                 QString::fromStdString(document.Saved.Options[shown].Name));
        QCOMPARE(harness.Edit("Format")->text(), shown == 0 ? QStringLiteral("!") : QString());
        // The option shown first was stored, with its type's spelling.
        QCOMPARE(Bytes(document.OptionAt(0).Format), QByteArray("!"));
        QCOMPARE(Bytes(document.OptionAt(0).Type), QByteArray("String"));
        // An option that was only shown keeps the type's spelling of the
        // file: a handler run twice would have stored it too.
        const COption& record = document.OptionAt(shown);
        if (storedAgain)
            QCOMPARE(QString::fromStdString(record.Type), harness.Combo("Type")->currentText());
        else
            QCOMPARE(record, document.Saved.Options[shown]);
    }

    void programSelectionNotifiesNothing()
    {
        // Down moves the shown option with its unstored edits; the selection
        // it sets must neither store nor show anything.
        MainFormHarness harness;
        OpenOnOptions(harness, ThreeOptions);
        QTest::keyClicks(Focused(harness, "Format"), QStringLiteral("!"));
        Run(harness, {QStringLiteral("key Ctrl+D")});
        QCOMPARE(harness.Form().CurrentOption(), 1);
        QCOMPARE(harness.Edit("NameOption")->text(), QStringLiteral("Alpha"));
        QCOMPARE(harness.Edit("Format")->text(), QStringLiteral("!"));
        QCOMPARE(harness.Document().OptionAt(1), harness.Document().Saved.Options[0]);
        QCOMPARE(harness.Document().OptionAt(0), harness.Document().Saved.Options[1]);
    }

    void typeRule_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<bool>("picked");  // by the user, or shown from the file
        QTest::addColumn<bool>("listed");  // Values enabled, its editor shown
        QTest::addColumn<bool>("boolean"); // ValBool shown instead of Value
        QTest::addColumn<bool>("multiple");
        QTest::addColumn<bool>("useDir");
        for (const bool picked : {true, false}) {
            const char* how = picked ? "picked" : "shown";
            QTest::addRow("String %s", how) << "String" << picked << false << false << true << true;
            QTest::addRow("Suggest %s", how)
                << "Suggest" << picked << true << false << false << true;
            QTest::addRow("Select %s", how) << "Select" << picked << true << false << false << true;
            QTest::addRow("False %s", how) << "False" << picked << false << true << false << false;
            QTest::addRow("True %s", how) << "True" << picked << false << true << false << false;
        }
    }

    void typeRule()
    {
        QFETCH(QString, type);
        QFETCH(bool, picked);
        QFETCH(bool, listed);
        QFETCH(bool, boolean);
        QFETCH(bool, multiple);
        QFETCH(bool, useDir);
        MainFormHarness harness;
        if (picked) {
            // A new option is a "String" one, where both boxes can be checked.
            harness.FocusOptionList();
            Run(harness, {QStringLiteral("key Ins")});
            ClickBox(harness.Check("Multiple"));
            ClickBox(harness.Check("UseDir"));
            harness.PickType(type);
        } else {
            OpenOnOptions(harness, Lines({"[Quarn]", "[Only]", "Type=" + type.toLatin1(),
                                          "Multiple=1", "Use Directory=1"}));
        }
        QCOMPARE(harness.Combo("Type")->currentText(), type);
        QCOMPARE(harness.List("Values")->isEnabled(), listed);
        QCOMPARE(harness.Control<QLabel>("ValuesLabel")->isEnabled(), listed);
        QCOMPARE(harness.Edit("EditValues")->isVisible(), listed);
        QCOMPARE(harness.Control<QLabel>("ImageDown")->isVisible(), listed);
        QCOMPARE(harness.Edit("Value")->isVisible(), !boolean);
        QCOMPARE(harness.Combo("ValBool")->isVisible(), boolean);
        QCOMPARE(harness.Check("Multiple")->isEnabled(), multiple);
        QCOMPARE(harness.Check("UseDir")->isEnabled(), useDir);
        // Disabling never unchecks; only the stored flags follow the rule.
        QVERIFY(harness.Check("Multiple")->isChecked());
        QVERIFY(harness.Check("UseDir")->isChecked());
        harness.Form().CollectDocument();
        QCOMPARE(harness.Document().OptionAt(0).Multiple, multiple);
        QCOMPARE(harness.Document().OptionAt(0).UseDir, useDir);

        // Back to "String", the boxes still checked count again.
        harness.PickType(QStringLiteral("String"));
        harness.Form().CollectDocument();
        QVERIFY(harness.Document().OptionAt(0).Multiple);
        QVERIFY(harness.Document().OptionAt(0).UseDir);
    }

    void argumentRule_data()
    {
        QTest::addColumn<QString>("input");
        QTest::addColumn<bool>("pasted");
        QTest::addColumn<QString>("text");      // the box right after
        QTest::addColumn<bool>("valueEnabled"); // Value, its label and ValBool
        QTest::addColumn<int>("stored");
        QTest::addColumn<QString>("shownAgain");
        QTest::newRow("12 then a") << "12a" << false << "" << true << 0 << "";
        QTest::newRow("a number") << "7" << false << "7" << false << 7 << "7";
        QTest::newRow("zero") << "0" << false << "0" << true << 0 << "";
        QTest::newRow("pasted -3") << "-3" << true << "-3" << false << 0 << "";
        QTest::newRow("lone minus") << "-" << false << "" << true << 0 << "";
        QTest::newRow("blank") << " " << false << "" << true << 0 << "";
        QTest::newRow("digits then blank") << "5 " << false << "" << true << 0 << "";
        QTest::newRow("pasted beyond 32 bits") << "2147483648" << true << "" << true << 0 << "";
        QTest::newRow("pasted largest")
            << "2147483647" << true << "2147483647" << false << 2147483647 << "2147483647";
    }

    void argumentRule()
    {
        QFETCH(QString, input);
        QFETCH(bool, pasted);
        QFETCH(QString, text);
        QFETCH(bool, valueEnabled);
        QFETCH(int, stored);
        QFETCH(QString, shownAgain);
        MainFormHarness harness;
        OpenOnOptions(harness, ThreeOptions);
        QLineEdit* arg = Focused(harness, "Arg");
        if (pasted) {
            harness.platform.clipboard = input;
            QTest::keyClick(arg, Qt::Key_V, Qt::ControlModifier);
        } else {
            QTest::keyClicks(arg, input);
        }
        QCOMPARE(arg->text(), text);
        CompareEnabled(harness, valueEnabled);
        // The type rule shows and hides; enabling stays the argument's.
        harness.PickType(QStringLiteral("True"));
        CompareEnabled(harness, valueEnabled);

        Run(harness, {QStringLiteral("click 0")});
        QCOMPARE(harness.Document().OptionAt(0).Arg, stored);
        QCOMPARE(arg->text(), shownAgain);
        CompareEnabled(harness, stored == 0);
    }

    void booleanDefault_data()
    {
        QTest::addColumn<QByteArray>("type");
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("chosen"); // the ValBool item the user picks, -1 for none
        QTest::addColumn<QByteArray>("stored");
        const auto row = [](const char* name, const char* type, const char* value,
                            const char* shown, int chosen, const char* stored) {
            QTest::newRow(name) << QByteArray(type) << QByteArray(value)
                                << QString::fromLatin1(shown) << chosen << QByteArray(stored);
        };
        row("yes", "True", "yes", "None", -1, "");
        row("01", "True", "01", "True", -1, "1");
        row("+1", "False", "+1", "True", -1, "1");
        row("-0", "True", "-0", "False", -1, "0");
        row("blank before 1", "True", " 1", "None", -1, "");
        row("2", "False", "2", "None", -1, "");
        row("empty", "False", "", "None", -1, "");
        row("choosing False", "True", "1", "True", 2, "0");
        row("choosing None", "False", "0", "False", 0, "");
    }

    void booleanDefault()
    {
        QFETCH(QByteArray, type);
        QFETCH(QByteArray, value);
        QFETCH(QString, shown);
        QFETCH(int, chosen);
        QFETCH(QByteArray, stored);
        MainFormHarness harness;
        OpenOnOptions(harness, Lines({"[Quarn]", "[Flag]", "Type=" + type, "Value=" + value}));
        QCOMPARE(harness.Combo("ValBool")->currentText(), shown);
        // The Value box belongs to the last option that used it.
        QVERIFY(harness.Edit("Value")->text().isEmpty());
        if (chosen >= 0)
            harness.Combo("ValBool")->setCurrentIndex(chosen);
        harness.Form().CollectDocument();
        QCOMPARE(Bytes(harness.Document().OptionAt(0).Value), stored);
    }

    void booleanAndTextDefaultsKeepTheirLastState()
    {
        MainFormHarness harness;
        OpenOnOptions(harness, Lines({"[Quarn]", "[Text]", "Type=String", "Value=text", "[Flag]",
                                      "Type=False", "Value=0"}));
        QComboBox* valBool = harness.Combo("ValBool");
        CDefDocument& document = harness.Document();

        // No boolean option shown yet: no choice at all.
        harness.PickType(QStringLiteral("True"));
        QVERIFY(valBool->isVisible());
        QCOMPARE(valBool->currentIndex(), -1);
        harness.Form().CollectDocument();
        QCOMPARE(Bytes(document.OptionAt(0).Value), QByteArray());

        harness.PickType(QStringLiteral("String"));
        QCOMPARE(harness.Edit("Value")->text(), QStringLiteral("text"));
        harness.Form().CollectDocument();
        QCOMPARE(Bytes(document.OptionAt(0).Value), QByteArray("text"));

        // Showing the boolean option leaves its choice behind in ValBool.
        Run(harness, {QStringLiteral("click 1"), QStringLiteral("click 0")});
        harness.PickType(QStringLiteral("True"));
        QCOMPARE(valBool->currentText(), QStringLiteral("False"));
        harness.Form().CollectDocument();
        QCOMPARE(Bytes(document.OptionAt(0).Value), QByteArray("0"));
    }

    void editValuesWritesThrough()
    {
        MainFormHarness harness;
        const QString path = OpenOnOptions(harness, ThreeOptions);
        Run(harness, {QStringLiteral("click 1")});
        QListWidget* values = harness.List("Values");
        QLineEdit* editor = Focused(harness, "EditValues");
        QCOMPARE(editor->text(), QStringLiteral("x"));
        editor->end(false);
        for (const QString& expected : {QStringLiteral("xz"), QStringLiteral("xz!")}) {
            QTest::keyClick(editor, expected.back().toLatin1());
            QCOMPARE(values->item(0)->text(), expected);
        }

        // An erased value stays as an empty entry.
        harness.ClickRow(values, 1);
        QCOMPARE(editor->text(), QStringLiteral("y"));
        editor->selectAll();
        QTest::keyClick(editor, Qt::Key_Backspace);
        QCOMPARE(values->count(), 3);
        QCOMPARE(values->item(1)->text(), QString());
        harness.Form().CollectDocument();
        QCOMPARE(harness.Document().OptionAt(1).Values, (std::vector<std::string>{"xz!", "", "w"}));

        // The file's list ends at its first empty value.
        harness.Trigger("FileSave");
        harness.Open(path);
        QCOMPARE(harness.Document().OptionAt(1).Values, std::vector<std::string>{"xz!"});
    }

    void editValuesStaysEmptyWithoutValues()
    {
        MainFormHarness harness;
        OpenOnOptions(harness, Lines({"[Quarn]", "[Listed]", "Type=Select", "Value1=x",
                                      "[Unlisted]", "Type=Suggest"}));
        Run(harness, {QStringLiteral("click 1")});
        QLineEdit* editor = Focused(harness, "EditValues");
        QVERIFY(editor->isVisible());
        QCOMPARE(editor->text(), QString());
        QTest::keyClicks(editor, QStringLiteral("abc"));
        QCOMPARE(editor->text(), QString());
        QCOMPARE(harness.List("Values")->count(), 0);
        harness.Form().CollectDocument();
        QVERIFY(harness.Document().OptionAt(1).Values.empty());
    }

    void valuesOutliveTheirType()
    {
        // A "Suggest" option turned "String" keeps its values, disabled,
        // in the record and in the file.
        MainFormHarness harness;
        const QString path = OpenOnOptions(
            harness, Lines({"[Quarn]", "[Listed]", "Type=Suggest", "Value1=a", "Value2=b"}));
        harness.PickType(QStringLiteral("String"));
        QVERIFY(!harness.List("Values")->isEnabled());
        harness.Trigger("FileSave");
        QCOMPARE(harness.Document().OptionAt(0).Values, (std::vector<std::string>{"a", "b"}));
        harness.Open(path);
        QCOMPARE(Bytes(harness.Document().OptionAt(0).Type), QByteArray("String"));
        QCOMPARE(harness.Document().OptionAt(0).Values, (std::vector<std::string>{"a", "b"}));
    }

    void nameRule_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("pasted"); // at once over the whole name, else typed afresh
        QTest::newRow("new name") << 0 << "Delta" << false;
        QTest::newRow("another option's name") << 1 << "Alpha" << false;
        QTest::newRow("another's in other letters") << 1 << "alpha" << false;
        QTest::newRow("its own in other letters") << 1 << "BETA" << true;
        QTest::newRow("empty") << 2 << "" << false;
    }

    void nameRule()
    {
        QFETCH(int, row);
        QFETCH(QString, name);
        QFETCH(bool, pasted);
        MainFormHarness harness;
        OpenOnOptions(harness, ThreeOptions);
        Run(harness, {QStringLiteral("click %1").arg(row)});
        const std::string oldName = harness.Document().OptionAt(row).Name;
        QListWidgetItem* entry = harness.List("OptionList")->item(row);
        QLineEdit* box = Focused(harness, "NameOption");
        // The entry follows every change; the record waits to be stored.
        if (pasted) {
            harness.platform.clipboard = name;
            QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
            QCOMPARE(entry->text(), name);
        } else {
            QTest::keyClick(box, Qt::Key_Backspace);
            QCOMPARE(entry->text(), QString());
            for (qsizetype typed = 1; typed <= name.size(); ++typed) {
                QTest::keyClick(box, name.at(typed - 1).toLatin1());
                QCOMPARE(entry->text(), name.left(typed));
            }
        }
        QCOMPARE(harness.Document().OptionAt(row).Name, oldName);

        QStringList expected = {QStringLiteral("Alpha"), QStringLiteral("Beta"),
                                QStringLiteral("Gamma")};
        expected[row] = name;
        QCOMPARE(Entries(harness), expected);
        harness.Form().CollectDocument();
        QCOMPARE(QString::fromStdString(harness.Document().OptionAt(row).Name), name);
    }

    void defaultRule_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<int>("first");
        QTest::addColumn<QList<bool>>("marks");
        // The file marks Alpha, the first option, which is shown at once.
        QTest::newRow("checked on the third")
            << QStringList{QStringLiteral("click 2"), QStringLiteral("default")} << 2
            << QList<bool>{false, false, true};
        QTest::newRow("unchecked again")
            << QStringList{QStringLiteral("click 2"), QStringLiteral("default"),
                           QStringLiteral("default")}
            << 0 << QList<bool>{false, false, false};
        QTest::newRow("moved up") << QStringList{QStringLiteral("click 2"),
                                                 QStringLiteral("default"),
                                                 QStringLiteral("key Ctrl+U")}
                                  << 2 << QList<bool>{false, true, false};
        QTest::newRow("unchecked away from First")
            << QStringList{QStringLiteral("click 2"), QStringLiteral("default"),
                           QStringLiteral("key Ctrl+U"), QStringLiteral("default")}
            << 2 << QList<bool>{false, false, false};
        QTest::newRow("unmarked option at First shown over a checked box")
            << QStringList{QStringLiteral("click 2"), QStringLiteral("default"),
                           QStringLiteral("key Ctrl+U"), QStringLiteral("click 2")}
            << 0 << QList<bool>{false, true, false};
        QTest::newRow("marked copy shown after an unmarked option")
            << QStringList{QStringLiteral("key Ctrl+C"), QStringLiteral("click 2"),
                           QStringLiteral("key Ctrl+V")}
            << 3 << QList<bool>{false, false, false, true};
        QTest::newRow("unmarked option shown")
            << QStringList{QStringLiteral("click 1")} << 0 << QList<bool>{true, false, false};
    }

    void defaultRule()
    {
        QFETCH(QStringList, steps);
        QFETCH(int, first);
        QFETCH(QList<bool>, marks);
        MainFormHarness harness;
        OpenOnOptions(harness, ThreeOptions);
        QVERIFY(harness.Check("Default")->isChecked());
        Run(harness, steps);
        QCOMPARE(harness.Document().Current.First, first);
        QCOMPARE(Marks(harness), marks);
    }

    void noOptionState_data()
    {
        QTest::addColumn<QByteArray>("file"); // empty: the state at start-up
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<bool>("listed");
        QTest::addColumn<bool>("boolean");
        QTest::newRow("at start-up") << QByteArray() << QStringList() << false << false;
        const QStringList remove = {QStringLiteral("key Del")};
        QTest::newRow("Select option removed")
            << Lines({"[Quarn]", "[Only]", "Type=Select", "Value1=x"}) << remove << true << false;
        QTest::newRow("True option removed")
            << Lines({"[Quarn]", "[Only]", "Type=True", "Value=1"}) << remove << false << true;
        QTest::newRow("document without options opened after a True option")
            << Lines({"[Quarn]", "[Only]", "Type=True"})
            << QStringList{QStringLiteral("open empty")} << false << false;
        QTest::newRow("New after a Select option")
            << Lines({"[Quarn]", "[Only]", "Type=Select"})
            << QStringList{QStringLiteral("key Ctrl+N")} << false << false;
    }

    void noOptionState()
    {
        QFETCH(QByteArray, file);
        QFETCH(QStringList, steps);
        QFETCH(bool, listed);
        QFETCH(bool, boolean);
        MainFormHarness harness;
        if (!file.isEmpty())
            OpenOnOptions(harness, file);
        Run(harness, steps);
        harness.FocusOptionList();

        QCOMPARE(harness.Form().CurrentOption(), -1);
        QCOMPARE(harness.List("OptionList")->count(), 0);
        QVERIFY(harness.List("OptionList")->isEnabled());
        auto* pane = harness.Control<QWidget>("OptionPane");
        for (QWidget* control : pane->findChildren<QWidget*>()) {
            if (control->parentWidget() != pane)
                continue;
            // At start-up the values editor is as designed: enabled, hidden.
            const bool designed = file.isEmpty() && control == harness.Edit("EditValues");
            QVERIFY2(control->isEnabled() == designed, qPrintable(control->objectName()));
        }
        QCOMPARE(harness.Edit("EditValues")->isVisible(), listed);
        QCOMPARE(harness.Control<QLabel>("ImageDown")->isVisible(), listed);
        QCOMPARE(harness.Edit("Value")->isVisible(), !boolean);
        QCOMPARE(harness.Combo("ValBool")->isVisible(), boolean);
        harness.Form().CollectDocument();
        QVERIFY(harness.Document().Current.Options.empty());
    }

    void unchangedDocumentStaysUnchanged_data()
    {
        QTest::addColumn<QByteArray>("option"); // the first option's section
        QTest::addColumn<QString>("type");      // its stored fields after collecting
        QTest::addColumn<QByteArray>("value");
        QTest::addColumn<int>("arg");
        QTest::addColumn<bool>("multiple");
        QTest::addColumn<bool>("useDir");
        QTest::addColumn<bool>("asksOnClose");
        QTest::newRow("String in stored form")
            << Lines({"[A]", "Type=String", "Value=v", "Format=-f %s", "Arg=2", "Multiple=2",
                      "Mandatory=1", "Use Directory=1", "Information=2", "one", "two", ""})
            << "String" << QByteArray("v") << 2 << true << true << false;
        QTest::newRow("True in stored form") << Lines({"[A]", "Type=True", "Value=1"}) << "True"
                                             << QByteArray("1") << 0 << false << false << false;
        QTest::newRow("Select with its flag allowed")
            << Lines({"[A]", "Type=Select", "Value1=p", "Use Directory=1", "Arg=5x"}) << "Select"
            << QByteArray() << 5 << false << true << false;
        QTest::newRow("type in small letters") << Lines({"[A]", "Type=select"}) << "Select"
                                               << QByteArray() << 0 << false << false << true;
        QTest::newRow("type in capitals")
            << Lines({"[A]", "Type=TRUE"}) << "True" << QByteArray() << 0 << false << false << true;
        QTest::newRow("type not among the five")
            << Lines({"[A]", "Type=Number", "Value=3"}) << "String" << QByteArray("3") << 0 << false
            << false << true;
        QTest::newRow("type with a blank") << Lines({"[A]", "Type= Select"}) << "String"
                                           << QByteArray() << 0 << false << false << true;
        QTest::newRow("no type") << Lines({"[A]", "Value=v"}) << "String" << QByteArray("v") << 0
                                 << false << false << true;
        QTest::newRow("boolean yes") << Lines({"[A]", "Type=False", "Value=yes"}) << "False"
                                     << QByteArray() << 0 << false << false << true;
        QTest::newRow("boolean 01") << Lines({"[A]", "Type=True", "Value=01"}) << "True"
                                    << QByteArray("1") << 0 << false << false << true;
        QTest::newRow("negative argument") << Lines({"[A]", "Type=String", "Arg=-4"}) << "String"
                                           << QByteArray() << 0 << false << false << true;
        QTest::newRow("Multiple on Suggest")
            << Lines({"[A]", "Type=Suggest", "Multiple=1"}) << "Suggest" << QByteArray() << 0
            << false << false << true;
        QTest::newRow("Use Directory on False")
            << Lines({"[A]", "Type=False", "Value=0", "Use Directory=1"}) << "False"
            << QByteArray("0") << 0 << false << false << true;
    }

    void unchangedDocumentStaysUnchanged()
    {
        QFETCH(QByteArray, option);
        QFETCH(QString, type);
        QFETCH(QByteArray, value);
        QFETCH(int, arg);
        QFETCH(bool, multiple);
        QFETCH(bool, useDir);
        QFETCH(bool, asksOnClose);
        MainFormHarness harness;
        // The second option's odd fields are never shown, so never stored.
        OpenOnOptions(harness,
                      Lines({"[Quarn]", "Name=Tool", "Information=2", "ab", "cd", ""}) + option +
                          Lines({"[B]", "Type=select", "Value=yes", "Multiple=1", "Arg=-2"}));
        CDef expected = harness.Document().Saved;
        COption& first = expected.Options[0];
        first.Type = type.toStdString();
        first.Value = value.toStdString();
        first.Arg = arg;
        first.Multiple = multiple;
        first.UseDir = useDir;
        harness.Form().CollectDocument();
        QCOMPARE(harness.Document().Current, expected);
        QCOMPARE(harness.Document().IsModified(), asksOnClose);

        if (asksOnClose)
            harness.dialogs.promptAnswers.append(PromptAnswer::No);
        QVERIFY(harness.Form().close());
        QCOMPARE(harness.dialogs.Count(FakeDialogs::Shown::Kind::Prompt), asksOnClose ? 1 : 0);
    }

    void savedBackByteForByte_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::newRow("two-line information")
            << Lines({"[Quarn]", "Name=Tool", "Information=2", "first line", "second line", "",
                      "[A]", "Type=String", "Information=2", "one", "two", ""});
        QTest::newRow("information ending in a line break")
            << Lines({"[Quarn]", "Information=3", "a", "b", "", "", "[A]", "Type=String",
                      "Information=2", "one", "", ""});
        QTest::newRow("Windows-1252") << EveryField(HighBytes());
        // No-break space, a line separator and four-byte characters too.
        QTest::newRow("UTF-8") << EveryField("\xC3\xA9\xE2\x82\xAC \xE6\x97\xA5\xE6\x9C\xAC "
                                             "\xF0\x9F\x98\x80 \xC2\xA0 \xE2\x80\xA8 end");
    }

    void savedBackByteForByte()
    {
        QFETCH(QByteArray, file);
        MainFormHarness harness;
        const QString path = OpenOnOptions(harness, file);
        harness.Form().CollectDocument();
        QCOMPARE(harness.Document().Current, harness.Document().Saved);
        harness.Trigger("FileSave");
        QCOMPARE(harness.ReadFile(QStringLiteral("test.Quarn")), file);
        QCOMPARE(harness.Document().Path, path.toStdString());
    }

    void longTextsSurviveShowing_data()
    {
        QTest::addColumn<QString>("control");
        for (const char* control : {"NameOption", "Value", "Format", "EditValues"})
            QTest::newRow(control) << QString::fromLatin1(control);
    }

    void longTextsSurviveShowing()
    {
        // The longest line the file can hold, far past QLineEdit's default limit.
        QFETCH(QString, control);
        std::string text;
        for (int i = 0; i < 40958; ++i)
            text += static_cast<char>('a' + i % 26);
        MainFormHarness harness;
        OpenOnOptions(harness, ThreeOptions);
        COption& beta = harness.Document().OptionAt(1);
        std::string& field = control == QLatin1String("NameOption") ? beta.Name
                             : control == QLatin1String("Value")    ? beta.Value
                             : control == QLatin1String("Format")   ? beta.Format
                                                                    : beta.Values[0];
        field = text;
        const COption shown = beta;
        Run(harness, {QStringLiteral("click 1")});
        QCOMPARE(harness.Control<QLineEdit>(qPrintable(control))->text().size(), 40958);
        harness.Form().CollectDocument();
        QCOMPARE(harness.Document().OptionAt(1).Values, shown.Values);
        QCOMPARE(Bytes(harness.Document().OptionAt(1).Name), Bytes(shown.Name));
        QCOMPARE(Bytes(harness.Document().OptionAt(1).Value), Bytes(shown.Value));
        QCOMPARE(Bytes(harness.Document().OptionAt(1).Format), Bytes(shown.Format));
    }
};

QTEST_MAIN(OptionPaneTest)
#include "OptionPaneTest.moc"
