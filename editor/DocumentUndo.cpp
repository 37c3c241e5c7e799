#include "editor/DocumentUndo.h"

#include "document/DefDocument.h"
#include "editor/EditBoxes.h"
#include "editor/OptionList.h"
#include "editor/OptionPane.h"
#include "editor/ProgramSettingsPage.h"
#include "editor/ShortcutPrecedence.h"
#include "system/TextCodec.h"

#include <QAction>
#include <QKeyEvent>
#include <QTabWidget>

namespace {

QString EditOptionStep()
{
    return QStringLiteral("Edit option");
}

QString EditSettingsStep()
{
    return QStringLiteral("Edit program settings");
}

// The settings as their fields hold them: First follows the default mark,
// which is no edit of the settings.
bool SameFields(CProgramSettings a, const CProgramSettings& b)
{
    a.First = b.First;
    return a == b;
}

void CopyFields(const CProgramSettings& from, CProgramSettings& to)
{
    const std::int32_t first = to.First;
    to = from;
    to.First = first;
}

// The caption and status-bar text of Undo or Redo name the step.
void NameStep(QAction& action, const QString& caption, const QString& word, const QString& step)
{
    action.setEnabled(!step.isEmpty());
    const QString suffix = step.isEmpty() ? QString() : QLatin1Char(' ') + step;
    action.setText(caption + suffix);
    action.setStatusTip(word + suffix);
}

} // namespace

DocumentUndo::DocumentUndo(CDefDocument& document, const TextCodec& codec, UndoPages pages,
                           QAction& undo, QAction& redo)
    : QObject(&pages.tabs), document_(document), codec_(codec), pages_(pages), undo_(undo),
      redo_(redo)
{
    connect(&pages_.settings, &TProgramSettingsPage::Edited, this, &DocumentUndo::UpdateActions);
    connect(&pages_.pane, &TOptionPane::Edited, this, &DocumentUndo::UpdateActions);
    // A choice in the pane is a step; the edits made before it are one of
    // their own, and so are those of an option left for another.
    connect(&pages_.pane, &TOptionPane::AboutToChoose, this, &DocumentUndo::RecordPendingEdits);
    connect(&pages_.pane, &TOptionPane::Chose, this,
            [this](const QString& step) { RecordStep(step, ShownView()); });
    connect(&pages_.options, &OptionList::AboutToChoose, this, &DocumentUndo::RecordPendingEdits);
    connect(&pages_.options, &OptionList::Chose, this, &DocumentUndo::AdoptShownOption);
}

void DocumentUndo::Start()
{
    history_.Start(ShownDocument());
    UpdateActions();
}

UndoView DocumentUndo::ShownView() const
{
    return {pages_.options.Current(), pages_.pane.ValueRow(), pages_.tabs.currentIndex()};
}

CDef DocumentUndo::ShownDocument() const
{
    CDef shown = document_.Current;
    pages_.settings.Collect(shown);
    if (pages_.options.Current() != -1)
        shown.Options[static_cast<std::size_t>(pages_.options.Current())] =
            pages_.options.ShownFields();
    return shown;
}

const COption* DocumentUndo::RecordedShownOption() const
{
    const std::vector<COption>& options = history_.Current().Options;
    const int current = pages_.options.Current();
    const auto row = static_cast<std::size_t>(current);
    return current != -1 && row < options.size() ? &options[row] : nullptr;
}

std::optional<CProgramSettings> DocumentUndo::EditedSettings() const
{
    // The memo gives back what it was filled with until it is edited.
    CProgramSettings settings = document_.Current.Settings();
    pages_.settings.Collect(settings);
    if (SameFields(settings, history_.Current()))
        return std::nullopt;
    return settings;
}

std::optional<COption> DocumentUndo::EditedOption() const
{
    const COption* recorded = RecordedShownOption();
    if (!recorded)
        return std::nullopt;
    COption shown = pages_.options.ShownFields();
    if (shown == *recorded)
        return std::nullopt;
    return shown;
}

QString DocumentUndo::PendingStep() const
{
    if (EditedOption())
        return EditOptionStep();
    return EditedSettings() ? EditSettingsStep() : QString();
}

void DocumentUndo::RecordPendingEdits()
{
    if (const std::optional<CProgramSettings> settings = EditedSettings()) {
        CDef after = history_.Current();
        CopyFields(*settings, after);
        UndoView view = ShownView();
        view.page = pages_.tabs.indexOf(&pages_.settings);
        history_.Record(EditSettingsStep(), view, std::move(after), view);
    }
    if (std::optional<COption> option = EditedOption()) {
        CDef after = history_.Current();
        after.Options[static_cast<std::size_t>(pages_.options.Current())] = std::move(*option);
        UndoView view = ShownView();
        view.page = pages_.tabs.indexOf(&pages_.optionsPage);
        history_.Record(EditOptionStep(), view, std::move(after), view);
    }
    UpdateActions();
}

void DocumentUndo::RunStep(const QString& name, const std::function<void()>& command)
{
    RecordPendingEdits();
    const UndoView before = ShownView();
    command();
    RecordStep(name, before);
}

void DocumentUndo::RecordStep(const QString& name, const UndoView& before)
{
    CDef after = ShownDocument();
    if (after != history_.Current())
        history_.Record(name, before, std::move(after), ShownView());
    UpdateActions();
}

void DocumentUndo::AdoptShownOption()
{
    // Showing normalises the fields and may move the default mark (the
    // default rule); neither is the user's edit.
    CDef& recorded = history_.Current();
    if (recorded.Options.size() == document_.Current.Options.size()) {
        recorded.First = document_.Current.First;
        for (std::size_t i = 0; i < recorded.Options.size(); ++i)
            recorded.Options[i].Default = document_.Current.Options[i].Default;
        if (const int current = pages_.options.Current(); current != -1)
            recorded.Options[static_cast<std::size_t>(current)] = pages_.options.ShownFields();
    }
    UpdateActions();
}

void DocumentUndo::Undo()
{
    RecordPendingEdits();
    if (history_.CanUndo())
        ShowState(history_.Undo());
}

void DocumentUndo::Redo()
{
    if (history_.CanRedo())
        ShowState(history_.Redo());
}

void DocumentUndo::ShowState(const UndoView& view)
{
    document_.Current = history_.Current();
    pages_.tabs.setCurrentIndex(view.page);
    pages_.settings.Show(document_.Current);
    pages_.options.ShowNames();
    pages_.options.Select(view.option);
    // The state's default marks are its own: showing its option must not
    // move First.
    pages_.options.ShowSelected(true);
    if (pages_.options.Current() != -1)
        pages_.pane.SelectValue(view.value);
    Q_EMIT StateShown();
    UpdateActions();
}

void DocumentUndo::ShowMovedProgram(const FilePath& path)
{
    const std::string from = pages_.settings.ProgramPath().Bytes();
    const std::string& to = path.Bytes();
    history_.AmendAll([from, to](CDef& def) {
        if (def.Program == from)
            def.Program = to;
    });
    pages_.settings.SetProgram(path);
}

void DocumentUndo::UpdateActions()
{
    // Edits not yet recorded would be lost by a redo; recorded, they end it.
    const QString pending = PendingStep();
    NameStep(undo_, QStringLiteral("Und&o"), QStringLiteral("Undo"),
             pending.isEmpty() ? history_.UndoName() : pending);
    NameStep(redo_, QStringLiteral("R&edo"), QStringLiteral("Redo"),
             pending.isEmpty() ? history_.RedoName() : QString());
}

bool DocumentUndo::eventFilter(QObject* watched, QEvent* event)
{
    return (event->type() == QEvent::KeyPress &&
            TypingUndoKey(watched, *static_cast<QKeyEvent*>(event))) ||
           QObject::eventFilter(watched, event);
}

bool DocumentUndo::TypingUndoKey(QObject* watched, const QKeyEvent& key) const
{
    // Every key of the two commands, also one the box does not know as its
    // own (Ctrl+Y), while the box has typing to undo or redo.
    auto* box = qobject_cast<QWidget*>(watched);
    const QKeySequence pressed = PressedKeys(key);
    if (undo_.shortcuts().contains(pressed) && CanUndoTyping(box)) {
        UndoTyping(box);
        return true;
    }
    if (redo_.shortcuts().contains(pressed) && CanRedoTyping(box)) {
        RedoTyping(box);
        return true;
    }
    return false;
}
