// Undo and Redo: every step brings back the document and the option and
// value shown before it, and again after it; the save prompt follows; a
// text box undoes its own typing first; the history's limits.
#include "editor/UndoHistory.h"
#include "tests/editor/MainFormHarness.h"
#include "tests/support/DocumentPrinting.h"

#include <QTest>

namespace {

// B is the default option (First=1); A has two listed values.
const QByteArray ThreeOptions = "[Quarn]\r\nFirst=1\r\n"
                                "[A]\r\nType=Suggest\r\nValue1=v1\r\nValue2=v2\r\n"
                                "[B]\r\nType=Suggest\r\n"
                                "[C]\r\nType=String\r\n";

struct Shown
{
    CDef def;
    int option;
    int value;
};

void Press(const QKeySequence& keys)
{
    for (int i = 0; i < keys.count(); ++i)
        Press(keys[i].key(), keys[i].keyboardModifiers());
}

// The document as the window shows it: collecting stores the fields.
Shown Snapshot(MainFormHarness& harness)
{
    harness.Form().CollectDocument();
    return {harness.Document().Current, harness.Form().CurrentOption(),
            harness.List("Values")->currentRow()};
}

void CompareShown(MainFormHarness& harness, const Shown& expected)
{
    const Shown shown = Snapshot(harness);
    QCOMPARE(shown.def, expected.def);
    QCOMPARE(shown.option, expected.option);
    QCOMPARE(harness.List("OptionList")->currentRow(), expected.option);
    QCOMPARE(shown.value, expected.value);
}

} // namespace

class UndoTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void stepsUndoneAndRedone_data()
    {
        // The option shown, the value selected (-1: the option list keeps
        // the focus), the keys pressed before, the control then given the
        // focus, and the keys and text of the step.
        QTest::addColumn<int>("option");
        QTest::addColumn<int>("value");
        QTest::addColumn<QKeySequence>("prepare");
        QTest::addColumn<QString>("control");
        QTest::addColumn<QKeySequence>("keys");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("step");
        const auto row = [](const char* name, int option, int value, const char* control,
                            const char* keys, const char* typed, const char* step,
                            const char* prepare = "") {
            QTest::newRow(name) << option << value << QKeySequence(QString::fromUtf8(prepare))
                                << QString::fromUtf8(control)
                                << QKeySequence(QString::fromUtf8(keys)) << QString::fromUtf8(typed)
                                << QString::fromUtf8(step);
        };
        row("option new", 0, -1, "", "Ins", "", "New option");
        row("option remove", 0, -1, "", "Del", "", "Remove option");
        row("option remove, the marked one", 1, -1, "", "Del", "", "Remove option");
        // The marked option moved up leaves First where it was.
        row("option new after the marked one moved", 1, -1, "", "Ins", "", "New option",
            "Ctrl+U");
        row("option cut", 2, -1, "", "Ctrl+X", "", "Cut option");
        row("option paste, the marked one", 1, -1, "", "Ctrl+C, Ctrl+V", "", "Paste option");
        row("option up", 2, -1, "", "Ctrl+U", "", "Move option up");
        row("option down", 1, -1, "", "Ctrl+D", "", "Move option down");
        row("value new", 0, 1, "", "Ins", "", "New value");
        row("value remove", 0, 1, "", "Del", "", "Remove value");
        row("value cut", 0, 0, "", "Ctrl+X", "", "Cut value");
        row("value paste", 0, 1, "", "Ctrl+C, Ctrl+V", "", "Paste value");
        row("value up", 0, 1, "", "Ctrl+U", "", "Move value up");
        row("value down", 0, 0, "", "Ctrl+D", "", "Move value down");
        row("option name typed", 1, -1, "NameOption", "End", "x", "Edit option");
        row("listed value typed", 0, 0, "EditValues", "End", "z", "Edit option");
        row("type chosen", 2, -1, "Type", "Down", "", "Change type");
        row("default mark clicked", 2, -1, "Default", "Space", "", "Change default option");
        row("caption typed", 0, -1, "Name", "", "Tool", "Edit program settings");
    }

    void stepsUndoneAndRedone()
    {
        QFETCH(int, option);
        QFETCH(int, value);
        QFETCH(QKeySequence, prepare);
        QFETCH(QString, control);
        QFETCH(QKeySequence, keys);
        QFETCH(QString, typed);
        QFETCH(QString, step);
        MainFormHarness harness;
        harness.Open(harness.WriteFile(QStringLiteral("undo.Quarn"), ThreeOptions));
        harness.FocusOptionList();
        harness.ClickRow(harness.List("OptionList"), option);
        if (value >= 0) {
            harness.List("Values")->setFocus();
            harness.ClickRow(harness.List("Values"), value);
        }
        Press(prepare);
        if (!control.isEmpty()) {
            auto* focus = harness.Control<QWidget>(control.toUtf8().constData());
            if (!focus->isVisible())
                harness.Control<QTabWidget>("PageControl")->setCurrentIndex(0);
            focus->setFocus();
        }
        const Shown before = Snapshot(harness);
        Press(keys);
        QTest::keyClicks(QApplication::focusWidget(), typed);
        const Shown after = Snapshot(harness);
        QVERIFY(after.def != before.def);
        QCOMPARE(harness.Action("EditUndo")->text(), QStringLiteral("Und&o ") + step);
        QCOMPARE(harness.Action("EditUndo")->statusTip(), QStringLiteral("Undo ") + step);
        QVERIFY(!harness.Action("EditRedo")->isEnabled());

        harness.FocusOptionList();
        Press(Qt::Key_Z, Qt::ControlModifier);
        CompareShown(harness, before);
        QCOMPARE(harness.Action("EditRedo")->text(), QStringLiteral("R&edo ") + step);
        QCOMPARE(harness.Action("EditUndo")->isEnabled(), !prepare.isEmpty());

        harness.FocusOptionList();
        Press(Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
        CompareShown(harness, after);
        QCOMPARE(harness.Action("EditUndo")->text(), QStringLiteral("Und&o ") + step);
    }

    void editCommandsFollowTheStateShown()
    {
        // Undo selects the option by program, which the list does not tell.
        MainFormHarness harness;
        harness.Open(harness.WriteFile(QStringLiteral("follow.Quarn"), ThreeOptions));
        harness.FocusOptionList();
        harness.ClickRow(harness.List("OptionList"), 2);
        QVERIFY(!harness.Action("EditDown")->isEnabled());
        Press(Qt::Key_U, Qt::ControlModifier);
        QVERIFY(harness.Action("EditDown")->isEnabled());
        Press(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(harness.List("OptionList")->currentRow(), 2);
        QVERIFY(!harness.Action("EditDown")->isEnabled());
        QVERIFY(harness.Action("EditUp")->isEnabled());
    }

    void saveFollowsTheHistory()
    {
        MainFormHarness harness;
        const QString path = harness.WriteFile(QStringLiteral("saved.Quarn"), ThreeOptions);
        harness.Open(path);
        QVERIFY(!harness.Action("EditUndo")->isEnabled());
        harness.FocusOptionList();
        Press(Qt::Key_Delete);
        harness.Form().CollectDocument();
        QVERIFY(harness.Document().IsModified());

        // Back to the state read: the document is not modified, no prompt.
        Press(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(harness.Form().QuerySaveChanges(), TMainForm::UnsavedChanges::Saved);
        QCOMPARE(harness.dialogs.Count(FakeDialogs::Shown::Kind::Prompt), 0);
        Press(Qt::Key_Y, Qt::ControlModifier);
        harness.Form().CollectDocument();
        QVERIFY(harness.Document().IsModified());

        // Save keeps the history, which now leads away from the saved state.
        harness.Trigger("FileSave");
        QVERIFY(!harness.Document().IsModified());
        harness.Trigger("EditUndo");
        harness.Form().CollectDocument();
        QVERIFY(harness.Document().IsModified());
        QCOMPARE(harness.Document().Current.Options.size(), std::size_t{3});

        // Open starts a new history.
        harness.dialogs.promptAnswers.append(PromptAnswer::No);
        harness.Open(path);
        QVERIFY(!harness.Action("EditUndo")->isEnabled());
        QVERIFY(!harness.Action("EditRedo")->isEnabled());
    }

    void textBoxUndoesItsTypingFirst_data()
    {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("shown");
        QTest::newRow("one-line box") << QStringLiteral("NameOption") << QStringLiteral("B");
        QTest::newRow("memo") << QStringLiteral("OptionInfo") << QString();
    }

    void textBoxUndoesItsTypingFirst()
    {
        QFETCH(QString, box);
        QFETCH(QString, shown);
        MainFormHarness harness;
        harness.Open(harness.WriteFile(QStringLiteral("box.Quarn"), ThreeOptions));
        harness.FocusOptionList();
        Press(Qt::Key_Delete); // B takes A's place
        auto* field = harness.Control<QWidget>(box.toUtf8().constData());
        field->setFocus();
        Press(Qt::Key_End);
        QTest::keyClicks(field, QStringLiteral("x"));
        QCOMPARE(BoxText(field), shown + QStringLiteral("x"));

        Press(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(BoxText(field), shown);
        // The box's own undo: the document has no step to redo.
        QVERIFY(!harness.Action("EditRedo")->isEnabled());
        QCOMPARE(harness.Action("EditUndo")->text(), QStringLiteral("Und&o Remove option"));
        Press(Qt::Key_Y, Qt::ControlModifier);
        QCOMPARE(BoxText(field), shown + QStringLiteral("x"));
        Press(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(harness.Document().Current.Options.size(), std::size_t{2});

        // Nothing left to undo in the box: the key undoes the removal.
        Press(Qt::Key_Z, Qt::ControlModifier);
        QCOMPARE(harness.Document().Current.Options.size(), std::size_t{3});
        QCOMPARE(harness.Form().CurrentOption(), 0);
        QCOMPARE(harness.Edit("NameOption")->text(), QStringLiteral("A"));
    }

    void historyLimits_data()
    {
        QTest::addColumn<int>("stateSize");
        QTest::addColumn<int>("steps");
        QTest::addColumn<int>("kept");
        QTest::newRow("101 small steps") << 10 << 101 << 100;
        QTest::newRow("1 MB states") << (1 << 20) << 70 << 62;
        QTest::newRow("states past the limit keep the newest step") << (33 << 20) << 3 << 1;
    }

    void historyLimits()
    {
        QFETCH(int, stateSize);
        QFETCH(int, steps);
        QFETCH(int, kept);
        UndoHistory history;
        CDef state;
        state.Information.assign(static_cast<std::size_t>(stateSize), 'i');
        history.Start(state);
        for (int step = 1; step <= steps; ++step) {
            state.Name = std::to_string(step);
            history.Record(QString::number(step), {}, state, {});
        }
        QCOMPARE(history.StepCount(), static_cast<std::size_t>(kept));
        QCOMPARE(history.UndoName(), QString::number(steps));
        // The oldest are forgotten: undoing stops after the kept ones.
        while (history.CanUndo())
            history.Undo();
        QCOMPARE(history.Current().Name, std::to_string(steps - kept));
    }
};

QTEST_MAIN(UndoTest)
#include "UndoTest.moc"
