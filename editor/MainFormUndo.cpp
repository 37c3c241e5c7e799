// Undo and Redo. The history holds the document as the window showed it
// between steps; a step is an Edit command on the option list or the value
// list, a type chosen, the default mark clicked, or the edits of the shown
// option's fields or of the "Program settings" fields. Such edits live in
// the controls until they are stored or collected, and become a step of
// their own then, or before any other step, so that every step undoes one
// thing. Undo and Redo put the state back into the document and show it
// again through the pane's own functions, so that the fields are the
// working copy of exactly what was restored.
#include "editor/MainForm.h"

#include "editor/EditBoxes.h"
#include "editor/ShortcutPrecedence.h"
#include "ui_MainForm.h"

#include <QKeyEvent>
#include <QSignalBlocker>

#include <algorithm>

namespace {

// The Edit commands that are steps, by the list they act on.
struct ListStepNames
{
    const char* action;
    const char* option;
    const char* value;
};

constexpr ListStepNames ListSteps[] = {
    {"EditNew", "New option", "New value"},
    {"EditDelete", "Remove option", "Remove value"},
    {"EditCut", "Cut option", "Cut value"},
    {"EditPaste", "Paste option", "Paste value"},
    {"EditUp", "Move option up", "Move value up"},
    {"EditDown", "Move option down", "Move value down"},
};

QString EditOptionStep()
{
    return QStringLiteral("Edit option");
}

QString EditSettingsStep()
{
    return QStringLiteral("Edit program settings");
}

bool SameSettings(const CDef& a, const CDef& b)
{
    return a.Name == b.Name && a.Program == b.Program && a.Directory == b.Directory &&
           a.Shell == b.Shell && a.Information == b.Information;
}

void CopySettings(const CDef& from, CDef& to)
{
    to.Name = from.Name;
    to.Program = from.Program;
    to.Directory = from.Directory;
    to.Shell = from.Shell;
    to.Information = from.Information;
}

// The caption and status-bar text of Undo or Redo name the step.
void NameStep(QAction* action, const QString& caption, const QString& word, const QString& step)
{
    action->setEnabled(!step.isEmpty());
    const QString suffix = step.isEmpty() ? QString() : QLatin1Char(' ') + step;
    action->setText(caption + suffix);
    action->setStatusTip(word + suffix);
}

} // namespace

void TMainForm::RunCommand(QAction* action, void (TMainForm::*execute)())
{
    const FocusTarget target = FocusedTarget();
    const auto names = std::find_if(std::begin(ListSteps), std::end(ListSteps),
                                    [action](const ListStepNames& step) {
                                        return action->objectName() == QLatin1String(step.action);
                                    });
    if (names == std::end(ListSteps) ||
        (target != FocusTarget::OptionList && target != FocusTarget::ValueList)) {
        (this->*execute)();
        return;
    }
    RecordPendingEdits();
    const UndoView before = ShownView();
    (this->*execute)();
    RecordStep(QString::fromUtf8(target == FocusTarget::OptionList ? names->option : names->value),
               before);
}

UndoView TMainForm::ShownView() const
{
    return {currentOption_, ui->Values->currentRow(), ui->PageControl->currentIndex()};
}

CDef TMainForm::ShownDocument() const
{
    CDef shown = document_.Current;
    CollectSettings(shown);
    if (currentOption_ != -1)
        shown.Options[static_cast<std::size_t>(currentOption_)] = OptionFields();
    return shown;
}

const COption* TMainForm::RecordedShownOption() const
{
    const std::vector<COption>& options = history_.Current().Options;
    const auto row = static_cast<std::size_t>(currentOption_);
    return currentOption_ != -1 && row < options.size() ? &options[row] : nullptr;
}

std::optional<CDef> TMainForm::EditedSettings() const
{
    CDef settings;
    // The memo gives back what it was filled with until it is edited.
    settings.Information = document_.Current.Information;
    CollectSettings(settings);
    if (SameSettings(settings, history_.Current()))
        return std::nullopt;
    return settings;
}

std::optional<COption> TMainForm::EditedOption() const
{
    const COption* recorded = RecordedShownOption();
    if (!recorded)
        return std::nullopt;
    COption shown = OptionFields();
    if (shown == *recorded)
        return std::nullopt;
    return shown;
}

QString TMainForm::PendingStep() const
{
    if (EditedOption())
        return EditOptionStep();
    return EditedSettings() ? EditSettingsStep() : QString();
}

void TMainForm::RecordPendingEdits()
{
    if (const std::optional<CDef> settings = EditedSettings()) {
        CDef after = history_.Current();
        CopySettings(*settings, after);
        UndoView view = ShownView();
        view.page = ui->PageControl->indexOf(ui->GlobalPage);
        history_.Record(EditSettingsStep(), view, std::move(after), view);
    }
    if (std::optional<COption> option = EditedOption()) {
        CDef after = history_.Current();
        after.Options[static_cast<std::size_t>(currentOption_)] = std::move(*option);
        UndoView view = ShownView();
        view.page = ui->PageControl->indexOf(ui->OptionsPage);
        history_.Record(EditOptionStep(), view, std::move(after), view);
    }
}

void TMainForm::RecordStep(const QString& name, const UndoView& before)
{
    CDef after = ShownDocument();
    if (after != history_.Current())
        history_.Record(name, before, std::move(after), ShownView());
}

void TMainForm::AdoptShownOption()
{
    // Showing normalises the fields and may move the default mark (the
    // default rule); neither is the user's edit.
    CDef& recorded = history_.Current();
    if (recorded.Options.size() != document_.Current.Options.size())
        return;
    recorded.First = document_.Current.First;
    for (std::size_t i = 0; i < recorded.Options.size(); ++i)
        recorded.Options[i].Default = document_.Current.Options[i].Default;
    if (currentOption_ != -1)
        recorded.Options[static_cast<std::size_t>(currentOption_)] = OptionFields();
}

void TMainForm::TypeActivated()
{
    // The edits made before the choice are a step of their own, taken with
    // the type they were made under.
    if (const COption* recorded = RecordedShownOption()) {
        const int chosen = ui->Type->currentIndex();
        const QSignalBlocker blocker(ui->Type);
        ui->Type->setCurrentIndex(TypeIndexOf(Shown(recorded->Type)));
        RecordPendingEdits();
        ui->Type->setCurrentIndex(chosen);
    }
    const UndoView before = ShownView();
    TypeChange();
    RecordStep(QStringLiteral("Change type"), before);
}

void TMainForm::DefaultClicked(bool checked)
{
    // The default rule has run already; the edits made before the click
    // are a step of their own, taken with the mark as it was.
    {
        const QSignalBlocker blocker(ui->Default);
        ui->Default->setChecked(!checked);
        RecordPendingEdits();
        ui->Default->setChecked(checked);
    }
    RecordStep(QStringLiteral("Change default option"), ShownView());
}

void TMainForm::EditUndoUpdate()
{
    const QString pending = PendingStep();
    NameStep(ui->EditUndo, QStringLiteral("Und&o"), QStringLiteral("Undo"),
             pending.isEmpty() ? history_.UndoName() : pending);
}

void TMainForm::EditRedoUpdate()
{
    // Edits not yet recorded would be lost by a redo; recorded, they end it.
    NameStep(ui->EditRedo, QStringLiteral("R&edo"), QStringLiteral("Redo"),
             PendingStep().isEmpty() ? history_.RedoName() : QString());
}

void TMainForm::EditUndoExecute()
{
    RecordPendingEdits();
    if (history_.CanUndo())
        ShowState(history_.Undo());
}

void TMainForm::EditRedoExecute()
{
    ShowState(history_.Redo());
}

void TMainForm::ShowState(const UndoView& view)
{
    document_.Current = history_.Current();
    ui->PageControl->setCurrentIndex(view.page);
    ShowSettings();
    ShowOptionNames();
    SelectOption(view.option);
    {
        // The state's default marks are its own: showing its option must
        // not move First.
        const QSignalBlocker blocker(ui->Default);
        ShowSelectedOption();
    }
    if (currentOption_ != -1) {
        SelectValue(view.value);
        ValuesClick();
    }
    UpdateHideState();
}

void TMainForm::StartHistory()
{
    history_.Start(ShownDocument());
}

void TMainForm::ShowMovedProgram(const QString& path)
{
    const std::string from = Stored(ui->Program->text());
    const std::string to = Stored(path);
    history_.AmendAll([from, to](CDef& def) {
        if (def.Program == from)
            def.Program = to;
    });
    ui->Program->setText(path);
}

bool TMainForm::TypingUndoKey(QObject* watched, const QKeyEvent& key)
{
    // Every key of the two commands, also one the box does not know as its
    // own (Ctrl+Y), while the box has typing to undo or redo.
    auto* box = qobject_cast<QWidget*>(watched);
    const QKeySequence pressed = PressedKeys(key);
    if (ui->EditUndo->shortcuts().contains(pressed) && CanUndoTyping(box)) {
        UndoTyping(box);
        return true;
    }
    if (ui->EditRedo->shortcuts().contains(pressed) && CanRedoTyping(box)) {
        RedoTyping(box);
        return true;
    }
    return false;
}
