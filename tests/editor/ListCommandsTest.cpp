// The Edit commands on their three targets: the option list (records and
// the editor's own one-option clipboard), the value list and text boxes
// (the system clipboard), driven through their keys as a user does.
#include "tests/editor/MainFormHarness.h"
#include "tests/support/DocumentPrinting.h"

#include <QClipboard>
#include <QFile>
#include <QGuiApplication>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>

namespace {

enum class Focus
{
    NameCaretOnly,
    NameSelection,
    EditValuesSelection,
    MemoSelection,
    OptionListEmpty,
    OptionListFirst,
    OptionListMiddle,
    OptionListLast,
    ValueListEmpty,
    ValueListFirst,
    ValueListLast,
    TypeBox,
    CheckBox,
    Nothing,
};

// Three options: A is "Suggest" with two values, B "Suggest" without, C a
// plain "String".
const QByteArray ThreeOptions = "[Quarn]\r\n"
                                "[A]\r\nType=Suggest\r\nValue1=v1\r\nValue2=v2\r\n"
                                "[B]\r\nType=Suggest\r\n"
                                "[C]\r\nType=String\r\n";

QStringList Strings(std::initializer_list<const char*> texts)
{
    QStringList strings;
    for (const char* text : texts)
        strings.append(QString::fromUtf8(text));
    return strings;
}

QByteArray StringOptions(std::initializer_list<const char*> names, int first = 0)
{
    QByteArray bytes = "[Quarn]\r\n";
    if (first > 0)
        bytes += "First=" + QByteArray::number(first) + "\r\n";
    for (const char* name : names)
        bytes += QByteArray("[") + name + "]\r\nType=String\r\n";
    return bytes;
}

QStringList Entries(const QListWidget* list)
{
    QStringList entries;
    for (int i = 0; i < list->count(); ++i)
        entries.append(list->item(i)->text());
    return entries;
}

QStringList RecordNames(const CDefDocument& document)
{
    QStringList names;
    for (const COption& option : document.Current.Options)
        names.append(QString::fromStdString(option.Name));
    return names;
}

QList<bool> DefaultFlags(const CDefDocument& document)
{
    QList<bool> flags;
    for (const COption& option : document.Current.Options)
        flags.append(option.Default);
    return flags;
}

// A key pressed into whatever has the focus, as the keyboard delivers it.
void SelectInBox(QWidget* box, int start, int length)
{
    if (auto* line = qobject_cast<QLineEdit*>(box)) {
        line->setSelection(start, length);
        return;
    }
    auto* memo = qobject_cast<QPlainTextEdit*>(box);
    QTextCursor cursor = memo->textCursor();
    cursor.setPosition(start);
    cursor.setPosition(start + length, QTextCursor::KeepAnchor);
    memo->setTextCursor(cursor);
}

} // namespace

class ListCommandsTest : public QObject
{
    Q_OBJECT

private:
    // Opens bytes as a definition file and gives the option list the focus.
    static void OpenOptions(MainFormHarness& harness, const QByteArray& bytes)
    {
        harness.Open(harness.WriteFile(QStringLiteral("list.Quarn"), bytes));
        harness.FocusOptionList();
    }

    // Shows an option and gives its value list the focus, clicking a value
    // when one is given.
    static void FocusValues(MainFormHarness& harness, int optionRow, int valueRow = -1)
    {
        harness.ClickRow(harness.List("OptionList"), optionRow);
        harness.List("Values")->setFocus();
        if (valueRow >= 0)
            harness.ClickRow(harness.List("Values"), valueRow);
    }

    static void Arrange(MainFormHarness& harness, Focus focus)
    {
        QListWidget* options = harness.List("OptionList");
        switch (focus) {
        case Focus::NameCaretOnly:
        case Focus::NameSelection:
            harness.Edit("Name")->setText(QStringLiteral("abc"));
            harness.Control<QTabWidget>("PageControl")->setCurrentIndex(0);
            harness.Edit("Name")->setFocus();
            if (focus == Focus::NameSelection)
                harness.Edit("Name")->setSelection(1, 2);
            else
                harness.Edit("Name")->setCursorPosition(1);
            break;
        case Focus::EditValuesSelection:
            harness.ClickRow(options, 0);
            harness.Edit("EditValues")->setFocus();
            break;
        case Focus::MemoSelection:
            harness.Memo("OptionInfo")->setPlainText(QStringLiteral("one\ntwo"));
            harness.Memo("OptionInfo")->setFocus();
            SelectInBox(harness.Memo("OptionInfo"), 2, 3);
            break;
        case Focus::OptionListEmpty:
            harness.Trigger("FileNew");
            harness.FocusOptionList();
            break;
        case Focus::OptionListFirst:
        case Focus::OptionListMiddle:
        case Focus::OptionListLast:
            harness.ClickRow(options,
                             static_cast<int>(focus) - static_cast<int>(Focus::OptionListFirst));
            break;
        case Focus::ValueListEmpty:
            FocusValues(harness, 1);
            break;
        case Focus::ValueListFirst:
        case Focus::ValueListLast:
            FocusValues(harness, 0, focus == Focus::ValueListFirst ? 0 : 1);
            break;
        case Focus::TypeBox:
            harness.Combo("Type")->setFocus();
            break;
        case Focus::CheckBox:
            harness.Check("Mandatory")->setFocus();
            break;
        case Focus::Nothing:
            QApplication::focusWidget()->clearFocus();
            break;
        }
    }

private Q_SLOTS:
    void availabilityFollowsTheFocus_data()
    {
        QTest::addColumn<Focus>("focus");
        QTest::addColumn<bool>("clipboardText");
        QTest::addColumn<bool>("optionCopied");
        QTest::addColumn<bool>("newOn");
        QTest::addColumn<bool>("deleteOn");
        QTest::addColumn<bool>("pasteOn");
        QTest::addColumn<bool>("upOn");
        QTest::addColumn<bool>("downOn");
        // clang-format off
        QTest::newRow("edit box, caret only") << Focus::NameCaretOnly << true << true
                                              << false << false << true << false << false;
        QTest::newRow("edit box, selection, empty clipboard") << Focus::NameSelection << false << true
                                              << false << true << false << false << false;
        QTest::newRow("values editor, selection") << Focus::EditValuesSelection << true << false
                                              << false << true << true << false << false;
        QTest::newRow("memo, selection") << Focus::MemoSelection << true << false
                                              << false << true << true << false << false;
        QTest::newRow("option list empty, clipboard only") << Focus::OptionListEmpty << true << false
                                              << true << false << false << false << false;
        QTest::newRow("option list empty, copied") << Focus::OptionListEmpty << false << true
                                              << true << false << true << false << false;
        QTest::newRow("option list, first") << Focus::OptionListFirst << true << false
                                              << true << true << false << false << true;
        QTest::newRow("option list, middle, copied") << Focus::OptionListMiddle << false << true
                                              << true << true << true << true << true;
        QTest::newRow("option list, last") << Focus::OptionListLast << false << false
                                              << true << true << false << true << false;
        QTest::newRow("value list empty, clipboard") << Focus::ValueListEmpty << true << false
                                              << true << false << true << false << false;
        QTest::newRow("value list, first, copied only") << Focus::ValueListFirst << false << true
                                              << true << true << false << false << true;
        QTest::newRow("value list, last") << Focus::ValueListLast << true << false
                                              << true << true << true << true << false;
        QTest::newRow("Type box") << Focus::TypeBox << true << true
                                              << false << false << false << false << false;
        QTest::newRow("check box") << Focus::CheckBox << true << true
                                              << false << false << false << false << false;
        QTest::newRow("no focus") << Focus::Nothing << true << true
                                              << false << false << false << false << false;
        // clang-format on
    }

    void availabilityFollowsTheFocus()
    {
        QFETCH(Focus, focus);
        QFETCH(bool, clipboardText);
        QFETCH(bool, optionCopied);
        MainFormHarness harness;
        OpenOptions(harness, ThreeOptions);
        if (optionCopied)
            Press(Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(harness.Form().CopiedOption() != COption(), optionCopied);
        if (clipboardText)
            harness.SetClipboard(QStringLiteral("text"));
        Arrange(harness, focus);

        QTEST(harness.Action("EditNew")->isEnabled(), "newOn");
        QTEST(harness.Action("EditDelete")->isEnabled(), "deleteOn");
        // Cut and Copy follow Remove.
        QTEST(harness.Action("EditCut")->isEnabled(), "deleteOn");
        QTEST(harness.Action("EditCopy")->isEnabled(), "deleteOn");
        QTEST(harness.Action("EditPaste")->isEnabled(), "pasteOn");
        QTEST(harness.Action("EditUp")->isEnabled(), "upOn");
        QTEST(harness.Action("EditDown")->isEnabled(), "downOn");
    }

    void unavailableCommandKeepsItsKey_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QKeySequence>("key");
        for (const char* box : {"NameOption", "OptionInfo"}) {
            for (const char* key : {"Del", "Ins", "Ctrl+X", "Ctrl+C", "Ctrl+V", "Ctrl+U", "Ctrl+D"})
                QTest::addRow("%s %s", box, key)
                    << QString::fromLatin1(box) << QKeySequence(QString::fromLatin1(key));
        }
    }

    void unavailableCommandKeepsItsKey()
    {
        QFETCH(QString, box);
        QFETCH(QKeySequence, key);
        // No selection and an empty clipboard: every Edit command is
        // unavailable, and none of their keys may edit the text instead.
        MainFormHarness harness;
        OpenOptions(harness, StringOptions({"A"}));
        auto* target = harness.Control<QWidget>(box.toLatin1().constData());
        SetBoxText(target, QStringLiteral("abcd"));
        target->setFocus();
        SelectInBox(target, 2, 0);
        Press(key[0].key(), key[0].keyboardModifiers());
        QCOMPARE(BoxText(target), QStringLiteral("abcd"));
        QVERIFY(!harness.platform.clipboard.has_value());
        QCOMPARE(harness.Document().OptionCount(), 1);
    }

    void textCommandsInEveryEditBox_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("pastedLines");
        const QString joined = QStringLiteral("first second third");
        const QString lines = QStringLiteral("first\nsecond\nthird\n");
        for (const char* box : {"Name", "Program", "Directory", "Shell", "NameOption", "Value",
                                "Format", "EditValues"})
            QTest::newRow(box) << QString::fromLatin1(box) << joined;
        QTest::newRow("ProgInfo") << QStringLiteral("ProgInfo") << lines;
        QTest::newRow("OptionInfo") << QStringLiteral("OptionInfo") << lines;
        // Not a number: the argument rule empties the box.
        QTest::newRow("Arg") << QStringLiteral("Arg") << QString();
    }

    void textCommandsInEveryEditBox()
    {
        QFETCH(QString, box);
        MainFormHarness harness;
        OpenOptions(harness, ThreeOptions);
        harness.platform.clipboard = QStringLiteral("9");
        auto* target = harness.Control<QWidget>(box.toLatin1().constData());
        harness.Control<QTabWidget>("PageControl")->setCurrentWidget(target->parentWidget());
        SetBoxText(target, QStringLiteral("1234"));
        target->setFocus();

        SelectInBox(target, 0, 1);
        Press(Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(harness.platform.clipboard.value_or(QString()), QStringLiteral("1"));
        SelectInBox(target, 1, 1);
        Press(Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(BoxText(target), QStringLiteral("134"));
        QCOMPARE(harness.platform.clipboard.value_or(QString()), QStringLiteral("2"));
        SelectInBox(target, 3, 0);
        Press(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(BoxText(target), QStringLiteral("1342"));
        // Delete removes the selection and leaves the clipboard alone.
        SelectInBox(target, 0, 2);
        Press(Qt::Key_Delete);
        QCOMPARE(BoxText(target), QStringLiteral("42"));
        QCOMPARE(harness.platform.clipboard.value_or(QString()), QStringLiteral("2"));
        // None of it reached the options.
        QCOMPARE(harness.Document().OptionCount(), 3);
        QCOMPARE(harness.Form().CopiedOption(), COption());

        // Lines pasted into a one-line box are joined with blanks.
        harness.platform.clipboard = QStringLiteral("first\r\nsecond\nthird\r\n");
        SelectInBox(target, 0, 2);
        Press(Qt::Key_V, Qt::ControlModifier);
        QTEST(BoxText(target), "pastedLines");
    }

    void memoCopiesItsLineBreaksAsPlainText()
    {
        // Shift+Return breaks a line inside a paragraph; copied, it is a
        // line break like any other.
        MainFormHarness harness;
        QPlainTextEdit* memo = harness.Memo("ProgInfo");
        memo->setFocus();
        QTest::keyClicks(memo, QStringLiteral("ab"));
        QTest::keyClick(memo, Qt::Key_Return, Qt::ShiftModifier);
        QTest::keyClicks(memo, QStringLiteral("cd"));
        QTest::keyClick(memo, Qt::Key_Return);
        QTest::keyClicks(memo, QStringLiteral("ef"));
        SelectInBox(memo, 0, BoxText(memo).size());
        Press(Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(harness.platform.clipboard.value_or(QString()), QStringLiteral("ab\ncd\nef"));
        harness.Edit("Shell")->setFocus();
        Press(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(harness.Edit("Shell")->text(), QStringLiteral("ab cd ef"));
    }

    void newOption()
    {
        // Removing the only option leaves no option shown; New leaves that.
        MainFormHarness harness;
        OpenOptions(harness, StringOptions({"A"}));
        Press(Qt::Key_Delete);
        QCOMPARE(harness.Form().CurrentOption(), -1);
        QVERIFY(!harness.Edit("NameOption")->isEnabled());
        Press(Qt::Key_Delete);
        QCOMPARE(harness.Document().OptionCount(), 0);
        Press(Qt::Key_Insert);
        QCOMPARE(Entries(harness.List("OptionList")), Strings({"Option 1"}));
        QVERIFY(harness.Edit("NameOption")->isEnabled());
        QCOMPARE(harness.Document().OptionCount(), 1);
        COption expected;
        expected.Name = "Option 1";
        QCOMPARE(harness.Document().OptionAt(0), expected);

        // The second of five selected: the new one is third and named after
        // its place, although another option already has that name.
        harness.dialogs.promptAnswers.append(PromptAnswer::No);
        OpenOptions(harness, StringOptions({"A", "B", "Option 3", "D", "E"}));
        harness.ClickRow(harness.List("OptionList"), 1);
        Press(Qt::Key_Insert);
        QCOMPARE(RecordNames(harness.Document()),
                 Strings({"A", "B", "Option 3", "Option 3", "D", "E"}));
        QCOMPARE(harness.List("OptionList")->currentRow(), 2);
        QCOMPARE(harness.Form().CurrentOption(), 2);
        QCOMPARE(harness.Combo("Type")->currentText(), QStringLiteral("String"));
        QVERIFY(harness.Edit("Format")->isEnabled());

        // Typing replaces the proposed name, in the list at once.
        QCOMPARE(QApplication::focusWidget(), harness.Edit("NameOption"));
        QCOMPARE(harness.Edit("NameOption")->selectedText(), QStringLiteral("Option 3"));
        QTest::keyClicks(harness.Edit("NameOption"), QStringLiteral("Fresh"));
        QCOMPARE(harness.List("OptionList")->item(2)->text(), QStringLiteral("Fresh"));
        QCOMPARE(harness.List("OptionList")->item(3)->text(), QStringLiteral("Option 3"));
    }

    void deleteOption_data()
    {
        QTest::addColumn<int>("row");
        QTest::addColumn<QStringList>("remaining");
        QTest::addColumn<int>("shown");
        QTest::newRow("first: its successor") << 0 << Strings({"B", "C"}) << 0;
        QTest::newRow("middle: its successor") << 1 << Strings({"A", "C"}) << 1;
        QTest::newRow("last: the one before") << 2 << Strings({"A", "B"}) << 1;
    }

    void deleteOption()
    {
        QFETCH(int, row);
        QFETCH(QStringList, remaining);
        QFETCH(int, shown);
        MainFormHarness harness;
        OpenOptions(harness, StringOptions({"A", "B", "C"}));
        QListWidget* list = harness.List("OptionList");
        harness.ClickRow(list, row);
        // Unstored edits of the removed option go with it.
        QTest::keyClicks(harness.Edit("Format"), QStringLiteral("lost"));
        list->setFocus();
        Press(Qt::Key_Delete);
        QCOMPARE(Entries(list), remaining);
        QCOMPARE(RecordNames(harness.Document()), remaining);
        QCOMPARE(list->currentRow(), shown);
        QCOMPARE(harness.Form().CurrentOption(), shown);
        QCOMPARE(harness.Edit("NameOption")->text(), remaining.at(shown));
        QVERIFY(harness.Edit("Format")->text().isEmpty());
        QCOMPARE(harness.dialogs.Count(FakeDialogs::Shown::Kind::Prompt), 0);
    }

    void optionCopyLeavesTheSystemClipboard()
    {
        MainFormHarness harness;
        OpenOptions(harness, StringOptions({"A", "B"}));
        harness.platform.clipboard = QStringLiteral("before");
        harness.ClickRow(harness.List("OptionList"), 1);
        QTest::keyClicks(harness.Edit("Format"), QStringLiteral("edited"));
        harness.FocusOptionList();
        Press(Qt::Key_C, Qt::ControlModifier);
        // The option as shown is copied; its own record stays as it was.
        QCOMPARE(harness.Form().CopiedOption().Format, std::string("edited"));
        QCOMPARE(harness.Form().CopiedOption().Name, std::string("B"));
        QVERIFY(harness.Document().OptionAt(1).Format.empty());
        QCOMPARE(harness.platform.clipboard.value_or(QString()), QStringLiteral("before"));

        QLineEdit* name = harness.Edit("NameOption");
        name->setFocus();
        name->setCursorPosition(name->text().size());
        Press(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(name->text(), QStringLiteral("Bbefore"));
    }

    void cutAndPasteMovesTheOption()
    {
        MainFormHarness harness;
        OpenOptions(harness, StringOptions({"A", "B", "C", "D"}));
        QListWidget* list = harness.List("OptionList");
        harness.ClickRow(list, 1);
        Press(Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(Entries(list), Strings({"A", "C", "D"}));
        QCOMPARE(harness.Edit("NameOption")->text(), QStringLiteral("C"));
        QVERIFY(!harness.platform.clipboard.has_value());

        harness.ClickRow(list, 2);
        Press(Qt::Key_V, Qt::ControlModifier);
        const QStringList moved = Strings({"A", "C", "D", "B"});
        QCOMPARE(Entries(list), moved);
        QCOMPARE(RecordNames(harness.Document()), moved);
        QCOMPARE(harness.Form().CurrentOption(), 3);
        QCOMPARE(harness.Edit("NameOption")->text(), QStringLiteral("B"));
        // The copy stays and can be pasted again.
        Press(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(harness.Document().OptionCount(), 5);
    }

    void copiedOptionSurvivesNewAndOpen()
    {
        MainFormHarness harness;
        OpenOptions(harness, "[Quarn]\r\n[A]\r\nType=String\r\n"
                             "[Pick]\r\nType=Select\r\nValue=x\r\nValue1=x\r\nValue2=y\r\n"
                             "Format=-p %s\r\nArg=2\r\nMandatory=1\r\n");
        harness.ClickRow(harness.List("OptionList"), 1);
        Press(Qt::Key_C, Qt::ControlModifier);
        const COption copied = harness.Document().OptionAt(1);
        QCOMPARE(harness.Form().CopiedOption(), copied);

        harness.Trigger("FileNew");
        QCOMPARE(harness.Form().CopiedOption(), copied);
        harness.FocusOptionList();
        Press(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(harness.Document().OptionCount(), 1);
        QCOMPARE(harness.Document().OptionAt(0), copied);
        QCOMPARE(harness.Combo("Type")->currentText(), QStringLiteral("Select"));

        harness.dialogs.promptAnswers.append(PromptAnswer::No);
        OpenOptions(harness, StringOptions({"X", "Y"}));
        Press(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(RecordNames(harness.Document()), Strings({"X", "Pick", "Y"}));
        QCOMPARE(harness.Document().OptionAt(1), copied);
    }

    void pasteKeepsTheEditedNameOfTheShownOption()
    {
        MainFormHarness harness;
        OpenOptions(harness, StringOptions({"A", "B"}));
        QListWidget* list = harness.List("OptionList");
        harness.ClickRow(list, 1);
        Press(Qt::Key_C, Qt::ControlModifier);
        harness.ClickRow(list, 0);
        // Into the name box and back to the list by keyboard.
        Press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), harness.Edit("NameOption"));
        QTest::keyClicks(harness.Edit("NameOption"), QStringLiteral("Alpha"));
        Press(Qt::Key_Backtab, Qt::ShiftModifier);
        QCOMPARE(QApplication::focusWidget(), list);
        Press(Qt::Key_V, Qt::ControlModifier);
        const QStringList names = Strings({"Alpha", "B", "B"});
        QCOMPARE(RecordNames(harness.Document()), names);
        QCOMPARE(Entries(list), names);
        QCOMPARE(harness.Form().CurrentOption(), 1);
    }

    void newValue()
    {
        MainFormHarness harness;
        OpenOptions(harness, ThreeOptions);
        QListWidget* values = harness.List("Values");
        QLineEdit* editor = harness.Edit("EditValues");

        FocusValues(harness, 1);
        Press(Qt::Key_Insert);
        QCOMPARE(Entries(values), Strings({"Value 1"}));
        QCOMPARE(values->currentRow(), 0);
        QCOMPARE(QApplication::focusWidget(), editor);
        QCOMPARE(editor->selectedText(), QStringLiteral("Value 1"));
        QTest::keyClicks(editor, QStringLiteral("fast"));
        QCOMPARE(Entries(values), Strings({"fast"}));

        FocusValues(harness, 0, 0);
        Press(Qt::Key_Insert);
        QCOMPARE(Entries(values), Strings({"v1", "Value 2", "v2"}));
        QCOMPARE(values->currentRow(), 1);
        QCOMPARE(editor->text(), QStringLiteral("Value 2"));
        // The new value reaches the record when the fields are stored.
        harness.Form().CollectDocument();
        QCOMPARE(harness.Document().OptionAt(0).Values,
                 std::vector<std::string>({"v1", "Value 2", "v2"}));
        QCOMPARE(harness.Document().OptionAt(1).Values, std::vector<std::string>{"fast"});
    }

    void deleteValue()
    {
        MainFormHarness harness;
        OpenOptions(harness, "[Quarn]\r\n[A]\r\nType=Select\r\nValue1=v1\r\nValue2=v2\r\n"
                             "Value3=v3\r\n");
        QListWidget* values = harness.List("Values");
        QLineEdit* editor = harness.Edit("EditValues");
        values->setFocus();
        // The successor takes the place; after the last, the one before.
        Press(Qt::Key_Delete);
        QCOMPARE(Entries(values), Strings({"v2", "v3"}));
        QCOMPARE(values->currentRow(), 0);
        QCOMPARE(editor->text(), QStringLiteral("v2"));
        harness.ClickRow(values, 1);
        Press(Qt::Key_Delete);
        QCOMPARE(Entries(values), Strings({"v2"}));
        QCOMPARE(values->currentRow(), 0);
        QCOMPARE(editor->text(), QStringLiteral("v2"));
        Press(Qt::Key_Delete);
        QCOMPARE(values->count(), 0);
        QVERIFY(editor->text().isEmpty());
        // With nothing left the key does nothing, and no option goes.
        Press(Qt::Key_Delete);
        QCOMPARE(harness.Document().OptionCount(), 1);
        QCOMPARE(QApplication::focusWidget(), values);
    }

    void valueCopyAndPasteUseTheSystemClipboard()
    {
        MainFormHarness harness;
        OpenOptions(harness, ThreeOptions);
        QListWidget* values = harness.List("Values");
        FocusValues(harness, 0, 1);
        Press(Qt::Key_C, Qt::ControlModifier);
        QCOMPARE(harness.platform.clipboard.value_or(QString()), QStringLiteral("v2"));
        QCOMPARE(harness.Form().CopiedOption(), COption());
        harness.ClickRow(values, 0);
        Press(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(Entries(values), Strings({"v1", "v2", "v2"}));
        QCOMPARE(values->currentRow(), 1);

        Press(Qt::Key_X, Qt::ControlModifier);
        QCOMPARE(Entries(values), Strings({"v1", "v2"}));
        harness.Edit("Format")->setFocus();
        Press(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(harness.Edit("Format")->text(), QStringLiteral("v2"));

        // Text of several lines becomes one value.
        harness.platform.clipboard = QStringLiteral("one\r\ntwo\nthree\r\n");
        FocusValues(harness, 1);
        Press(Qt::Key_V, Qt::ControlModifier);
        QCOMPARE(Entries(values), Strings({"one two three"}));
        QCOMPARE(harness.Edit("EditValues")->text(), QStringLiteral("one two three"));
        // The file holds it on one line and reads it back as pasted.
        harness.Trigger("FileSave");
        harness.Open(harness.PathOf(QStringLiteral("list.Quarn")));
        QCOMPARE(harness.Document().OptionAt(0).Values, std::vector<std::string>({"v1", "v2"}));
        QCOMPARE(harness.Document().OptionAt(1).Values, std::vector<std::string>{"one two three"});
    }

    void moveValue()
    {
        MainFormHarness harness;
        OpenOptions(harness, ThreeOptions);
        QListWidget* values = harness.List("Values");
        FocusValues(harness, 0, 1);
        Press(Qt::Key_U, Qt::ControlModifier);
        QCOMPARE(Entries(values), Strings({"v2", "v1"}));
        QCOMPARE(values->currentRow(), 0);
        QCOMPARE(harness.Edit("EditValues")->text(), QStringLiteral("v2"));
        Press(Qt::Key_U, Qt::ControlModifier);
        QCOMPARE(Entries(values), Strings({"v2", "v1"}));
        Press(Qt::Key_D, Qt::ControlModifier);
        Press(Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(Entries(values), Strings({"v1", "v2"}));
        QCOMPARE(values->currentRow(), 1);
        // The editor still edits the moved value.
        QTest::keyClicks(harness.Edit("EditValues"), QStringLiteral("!"));
        QCOMPARE(Entries(values), Strings({"v1", "v2!"}));
    }

    void moveOptionKeepsItsUnstoredEdits()
    {
        MainFormHarness harness;
        OpenOptions(harness, StringOptions({"A", "B", "C"}));
        QListWidget* list = harness.List("OptionList");
        harness.ClickRow(list, 1);
        QTest::keyClicks(harness.Edit("NameOption"), QStringLiteral("ee"));
        QTest::keyClicks(harness.Edit("Format"), QStringLiteral("fmt"));
        list->setFocus();

        Press(Qt::Key_U, Qt::ControlModifier);
        QCOMPARE(Entries(list), Strings({"Bee", "A", "C"}));
        QCOMPARE(RecordNames(harness.Document()), Strings({"B", "A", "C"}));
        QCOMPARE(harness.Form().CurrentOption(), 0);
        QCOMPARE(list->currentRow(), 0);
        QCOMPARE(harness.Edit("Format")->text(), QStringLiteral("fmt"));
        // Up on the first is unavailable.
        Press(Qt::Key_U, Qt::ControlModifier);
        QCOMPARE(harness.Form().CurrentOption(), 0);

        Press(Qt::Key_D, Qt::ControlModifier);
        Press(Qt::Key_D, Qt::ControlModifier);
        Press(Qt::Key_D, Qt::ControlModifier);
        QCOMPARE(Entries(list), Strings({"A", "C", "Bee"}));
        QCOMPARE(harness.Form().CurrentOption(), 2);
        // Selecting another option stores the edits into the moved record.
        harness.ClickRow(list, 0);
        QCOMPARE(harness.Document().OptionAt(2).Name, std::string("Bee"));
        QCOMPARE(harness.Document().OptionAt(2).Format, std::string("fmt"));
        QVERIFY(harness.Document().OptionAt(0).Format.empty());
        QVERIFY(harness.Edit("Format")->text().isEmpty());
    }

    void insertAtTheMarkedPositionTakesTheMark_data()
    {
        QTest::addColumn<bool>("paste");
        QTest::addColumn<QString>("inserted");
        QTest::newRow("New") << false << QStringLiteral("Option 2");
        QTest::newRow("Paste") << true << QStringLiteral("C");
    }

    void insertAtTheMarkedPositionTakesTheMark()
    {
        QFETCH(bool, paste);
        QFETCH(QString, inserted);
        MainFormHarness harness;
        OpenOptions(harness, StringOptions({"A", "B", "C"}, 1));
        QListWidget* list = harness.List("OptionList");
        if (paste) {
            harness.ClickRow(list, 2);
            Press(Qt::Key_C, Qt::ControlModifier);
        }
        harness.ClickRow(list, 0);
        Press(paste ? Qt::Key_V : Qt::Key_Insert, paste ? Qt::ControlModifier : Qt::NoModifier);
        // First keeps its number; the mark stays on its record.
        QCOMPARE(harness.Document().Current.First, 1);
        QCOMPARE(DefaultFlags(harness.Document()), QList<bool>({false, false, true, false}));

        harness.Trigger("FileSave");
        harness.Open(harness.PathOf(QStringLiteral("list.Quarn")));
        QCOMPARE(RecordNames(harness.Document()).at(1), inserted);
        QCOMPARE(DefaultFlags(harness.Document()), QList<bool>({false, true, false, false}));
        harness.ClickRow(list, 1);
        QVERIFY(harness.Check("Default")->isChecked());
    }

    void removingTheShownMarkedOption_data()
    {
        QTest::addColumn<int>("marked");
        QTest::addColumn<int>("first");
        QTest::newRow("not last: its unmarked successor resets First") << 1 << 0;
        QTest::newRow("last: First stays one beyond") << 2 << 2;
    }

    void removingTheShownMarkedOption()
    {
        QFETCH(int, marked);
        MainFormHarness harness;
        OpenOptions(harness, StringOptions({"A", "B", "C"}, marked));
        harness.ClickRow(harness.List("OptionList"), marked);
        QVERIFY(harness.Check("Default")->isChecked());
        Press(Qt::Key_Delete);
        QTEST(harness.Document().Current.First, "first");
        QVERIFY(!harness.Check("Default")->isChecked());
        QCOMPARE(DefaultFlags(harness.Document()), QList<bool>({false, false}));
    }

    void pastedCopyOfTheMarkedOption()
    {
        MainFormHarness harness;
        OpenOptions(harness, StringOptions({"A", "B"}));
        QListWidget* list = harness.List("OptionList");
        Press(Qt::Key_C, Qt::ControlModifier);
        Press(Qt::Key_V, Qt::ControlModifier);
        harness.Form().CollectDocument();
        QCOMPARE(DefaultFlags(harness.Document()), QList<bool>({true, true, false}));
        QCOMPARE(harness.Document().Current.First, 0);

        harness.ClickRow(list, 2);
        QCOMPARE(harness.Document().Current.First, 0);
        // Shown right after an unmarked option, the copy takes the mark alone.
        harness.ClickRow(list, 1);
        QCOMPARE(harness.Document().Current.First, 1);
        QCOMPARE(DefaultFlags(harness.Document()), QList<bool>({false, true, false}));
    }

    void moveKeepsFirstAtItsNumber()
    {
        MainFormHarness harness;
        OpenOptions(harness, StringOptions({"A", "B", "C"}));
        QListWidget* list = harness.List("OptionList");
        harness.ClickRow(list, 2);
        QTest::mouseClick(harness.Check("Default"), Qt::LeftButton);
        QCOMPARE(harness.Document().Current.First, 2);
        list->setFocus();
        Press(Qt::Key_U, Qt::ControlModifier);
        QCOMPARE(harness.Document().Current.First, 2);
        QCOMPARE(DefaultFlags(harness.Document()), QList<bool>({false, true, false}));
        QTest::mouseClick(harness.Check("Default"), Qt::LeftButton);
        QCOMPARE(harness.Document().Current.First, 2);
        QCOMPARE(DefaultFlags(harness.Document()), QList<bool>({false, false, false}));
    }

    void lineBreaksNeverReachOneLineBoxes()
    {
        // Whichever way text arrives (Qt's own paste key, the program), a
        // one-line box keeps one line, joined with blanks.
        MainFormHarness harness;
        QLineEdit* shell = harness.Edit("Shell");
        shell->setFocus();
        harness.platform.SetClipboardText(QStringLiteral("one\ntwo\r\n"));
        QGuiApplication::clipboard()->setText(QStringLiteral("a\r\nb"));
        Press(Qt::Key_Insert, Qt::ShiftModifier);
        QCOMPARE(shell->text(), QStringLiteral("a b"));
        harness.Edit("Program")->setText(QStringLiteral("/tmp/x\ny"));
        QCOMPARE(harness.Edit("Program")->text(), QStringLiteral("/tmp/x y"));
        // A lone CR is no line break for the file and stays.
        harness.Edit("Name")->setText(QStringLiteral("a\rb"));
        QCOMPARE(harness.Edit("Name")->text(), QStringLiteral("a\rb"));
        QGuiApplication::clipboard()->clear();
    }

    void listsKeepTheirEntriesOffTheSystemClipboard()
    {
        MainFormHarness harness;
        OpenOptions(harness, ThreeOptions);
        QGuiApplication::clipboard()->setText(QStringLiteral("before"));
        Press(Qt::Key_Insert, Qt::ControlModifier);
        QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("before"));
        QCOMPARE(harness.List("OptionList")->count(), 3);
        QGuiApplication::clipboard()->clear();
    }

    void ctrlClickKeepsTheSelection()
    {
        MainFormHarness harness;
        OpenOptions(harness, ThreeOptions);
        QListWidget* options = harness.List("OptionList");
        harness.ClickRow(options, 1);
        const QRect entry = options->visualItemRect(options->item(1));
        QTest::mouseClick(options->viewport(), Qt::LeftButton, Qt::ControlModifier, entry.center());
        QCOMPARE(options->selectedItems().size(), 1);
        QCOMPARE(options->currentRow(), 1);
        QVERIFY(options->item(1)->isSelected());
    }

    void availabilityIsRecomputedBeforeTheKey()
    {
        MainFormHarness harness;
        QLineEdit* name = harness.Edit("Name");
        name->setText(QStringLiteral("abc"));
        name->setFocus();
        name->setCursorPosition(1);
        QVERIFY(!harness.Action("EditDelete")->isEnabled());
        name->setSelection(1, 1);
        Press(Qt::Key_Delete);
        QCOMPARE(name->text(), QStringLiteral("ac"));
    }

    void toolBarButtonsActOnTheFocusedList()
    {
        MainFormHarness harness;
        OpenOptions(harness, StringOptions({"A", "B"}));
        harness.ClickRow(harness.List("OptionList"), 1);
        QTest::mouseClick(harness.Control<QWidget>("UpButton"), Qt::LeftButton);
        QCOMPARE(Entries(harness.List("OptionList")), Strings({"B", "A"}));
        QCOMPARE(QApplication::focusWidget(), harness.List("OptionList"));
        QTest::mouseClick(harness.Control<QWidget>("DelButton"), Qt::LeftButton);
        QCOMPARE(RecordNames(harness.Document()), Strings({"A"}));
    }

    void keyboardOnlyDefinition()
    {
        // A definition built, reordered and saved with the keyboard alone.
        // The argument names a program without a definition, so the file
        // name is known and Save asks for none.
        QTemporaryDir dir;
        const QString program = dir.filePath(QStringLiteral("demo"));
        MainFormHarness harness({program});
        const auto type = [](const QString& text) {
            QTest::keyClicks(QApplication::focusWidget(), text);
        };
        Press(Qt::Key_C, Qt::AltModifier);
        type(QStringLiteral("Demo"));
        Press(Qt::Key_O, Qt::AltModifier);
        QCOMPARE(QApplication::focusWidget(), harness.List("OptionList"));
        Press(Qt::Key_Insert);
        type(QStringLiteral("Alpha"));
        Press(Qt::Key_Backtab, Qt::ShiftModifier);
        Press(Qt::Key_Insert);
        type(QStringLiteral("Beta"));
        Press(Qt::Key_V, Qt::AltModifier);
        type(QStringLiteral("b"));
        Press(Qt::Key_N, Qt::AltModifier);
        Press(Qt::Key_Backtab, Qt::ShiftModifier);
        Press(Qt::Key_Insert);
        type(QStringLiteral("Gamma"));
        Press(Qt::Key_Backtab, Qt::ShiftModifier);
        Press(Qt::Key_U, Qt::ControlModifier);
        // Through the fields to "Default option", and tick it.
        for (int i = 0; i < 9; ++i)
            Press(Qt::Key_Tab);
        QCOMPARE(QApplication::focusWidget(), harness.Check("Default"));
        Press(Qt::Key_Space);
        Press(Qt::Key_S, Qt::ControlModifier);

        QFile file(dir.filePath(QStringLiteral("demo.Quarn")));
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readAll(), "[Quarn]\r\nName=Demo\r\nProgram=" + program.toUtf8() +
                                     "\r\nFirst=1\r\n"
                                     "[Alpha]\r\nType=String\r\n"
                                     "[Gamma]\r\nType=String\r\n"
                                     "[Beta]\r\nType=String\r\nValue=b\r\n");
        QCOMPARE(harness.dialogs.shown.size(), 0);
    }
};

QTEST_MAIN(ListCommandsTest)
#include "ListCommandsTest.moc"
