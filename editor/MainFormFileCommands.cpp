// New, Open, Save, Save As, Go, Hide and dropped files: the commands that
// read, write or hand over the document's file; the save prompt that guards
// them, and the window title.
#include "editor/MainForm.h"

#include "document/FileStamp.h"
#include "document/TextCompare.h"
#include "editor/DocumentUndo.h"
#include "editor/OptionList.h"
#include "editor/OptionPane.h"
#include "editor/PreviewCommands.h"
#include "editor/ProgramSettingsPage.h"
#include "editor/RecentFiles.h"
#include "system/DisplayNames.h"
#include "system/Launcher.h"
#include "system/Platform.h"
#include "system/ProgramHider.h"
#include "ui_MainForm.h"

#include <QStatusBar>

#include <utility>

namespace {

const QString TitleBase = QStringLiteral("Quarn Editor");
// How long the status bar tells why a file could not be opened.
constexpr int OpenFailureShownMs = 5000;

} // namespace

TMainForm::UnsavedChanges TMainForm::QuerySaveChanges()
{
    CollectDocument();
    if (!document_.IsModified())
        return UnsavedChanges::Saved;
    const QString name =
        document_.Path.empty() ? QStringLiteral("Definition") : FilePath(document_.Path).Text();
    switch (dialogs_.AskYesNoCancel(this, TitleBase,
                                    name + QStringLiteral(" has changed.\nDo you want to save it?"))) {
    case PromptAnswer::Yes:
        // Work that was not saved (Save As cancelled, the file could not
        // be written) must not be discarded by the command that asked.
        return SaveDocument() ? UnsavedChanges::Saved : UnsavedChanges::Cancelled;
    case PromptAnswer::No:
        return UnsavedChanges::Discarded;
    case PromptAnswer::Cancel:
        break;
    }
    return UnsavedChanges::Cancelled;
}

PreviewSource TMainForm::ShownDocument() const
{
    PreviewSource shown{document_.Current, document_.Path};
    ui->GlobalPage->Collect(shown.def);
    const int current = options_->Current();
    if (current >= 0 && current < static_cast<int>(shown.def.Options.size()))
        shown.def.Options[static_cast<std::size_t>(current)] = options_->ShownFields();
    return shown;
}

void TMainForm::CollectDocument()
{
    undo_->RecordPendingEdits();
    options_->StoreFields();
    ui->GlobalPage->Collect(document_.Current);
    options_->UpdateMarks();
}

void TMainForm::FileNewExecute()
{
    if (QuerySaveChanges() == UnsavedChanges::Cancelled)
        return;
    ShowNewDocument(CDef());
}

void TMainForm::ShowNewDocument(const CDef& content)
{
    SetCurrentFile(FilePath());
    ui->GlobalPage->Clear();
    UpdateHideState();
    options_->Clear();
    ui->OptionPane->Clear();
    options_->ShowSelected();
    // Whatever the field handlers did to the old document is discarded.
    document_.Reset();
    codec_ = TextCodec::ForDocument(content);
    if (content != CDef()) {
        // Shown as an opened file is, but compared with the empty document.
        document_.Current = content;
        ShowLoadedDocument();
        document_.Saved = CDef();
    }
    undo_->Start();
}

void TMainForm::FileOpenExecute()
{
    if (dialogs_.ChooseFile(this, openDialog_))
        OpenDefinition(openDialog_.fileName);
}

void TMainForm::OpenDefinition(const FilePath& path)
{
    if (QuerySaveChanges() == UnsavedChanges::Cancelled)
        return;
    LoadFailure failure;
    const LoadResult result = document_.Load(path.Bytes(), &failure);
    // No message box for a file that cannot be opened, only a passing word.
    if (!failure.path.empty())
        statusBar()->showMessage(QStringLiteral("Could not open ") + FilePath(failure.path).Text() +
                                     QStringLiteral(": ") +
                                     QString::fromLocal8Bit(failure.reason.c_str()),
                                 OpenFailureShownMs);
    switch (result) {
    case LoadResult::NotFound:
        return;
    case LoadResult::ProgramAdopted:
        ui->GlobalPage->SetProgram(FilePath(document_.Current.Program));
        SetCurrentFile(FilePath(document_.Path));
        undo_->Start();
        return;
    case LoadResult::Loaded:
        codec_ = TextCodec::ForDocument(document_.Current);
        SetCurrentFile(FilePath(document_.Path));
        ShowLoadedDocument();
        undo_->Start();
        return;
    }
}

void TMainForm::ShowLoadedDocument()
{
    ui->PageControl->setCurrentWidget(ui->GlobalPage);
    ui->GlobalPage->Show(document_.Current);
    options_->ShowNames();
    if (ui->OptionList->count() > 0) {
        options_->Select(0);
    } else {
        options_->Clear();
        ui->OptionPane->Clear();
    }
    options_->ShowSelected();
    // Showing the first option may have moved First after its mark.
    document_.MarkSaved();
    UpdateHideState();
    // The focus set by the program selects the whole text, also when the
    // window only becomes active later (start-up).
    ui->GlobalPage->FocusCaption();
}

bool TMainForm::SaveDocument()
{
    if (document_.Path.empty())
        return SaveDocumentAs();
    const FilePath path(document_.Path);
    return ConfirmReplacing(path) && SaveDefinition(path);
}

bool TMainForm::SaveDocumentAs()
{
    return dialogs_.ChooseFile(this, saveDialog_) && ConfirmReplacing(saveDialog_.fileName) &&
           SaveDefinition(saveDialog_.fileName);
}

bool TMainForm::ConfirmReplacing(const FilePath& path)
{
    // The file really written, whose name the user may never have typed.
    const FilePath definition = DefinitionPathOf(path);
    const std::string& file = definition.Bytes();
    const auto ask = [this, definition](const QString& question) {
        return dialogs_.AskYesNo(this, TitleBase, definition.Text() + question);
    };
    if (!document_.Path.empty() && SamePathName(definition, FilePath(document_.Path))) {
        if (document_.ChangedOnDisk() &&
            !ask(QStringLiteral(" was changed by another program.\n"
                                "Do you want to replace those changes?")))
            return false;
    } else if (PathTaken(file) &&
               !ask(QStringLiteral(" already exists.\nDo you want to replace it?"))) {
        return false;
    }
    // Whatever the user's rights: nobody was meant to write it.
    return !IsReadOnlyFile(file) ||
           ask(QStringLiteral(" is read-only.\nDo you want to replace it anyway?"));
}

bool TMainForm::SaveDefinition(const FilePath& path)
{
    CollectDocument();
    std::string reason;
    if (!document_.Save(path.Bytes(), &reason)) {
        dialogs_.ShowError(this, TitleBase,
                           QStringLiteral("Could not save\n") + DefinitionPathOf(path).Text() +
                               QStringLiteral("\n") + QString::fromLocal8Bit(reason.c_str()));
        return false;
    }
    SetCurrentFile(FilePath(document_.Path));
    return true;
}

void TMainForm::SetCurrentFile(const FilePath& path)
{
    if (!path.IsEmpty())
        recent_->Add(path);
    document_.Path = path.Bytes();
    UpdateTitle();
    preview_->Outdated(); // a relative program is found from the file's folder
}

void TMainForm::UpdateTitle()
{
    // "[*]" stands where the mark of unsaved changes goes; in a file name
    // it is doubled to show as it is.
    const QString mark = QStringLiteral("[*]");
    setWindowTitle((document_.Path.empty()
                        ? TitleBase
                        : TitleBase + QStringLiteral(" - ") +
                              VisibleFileName(FilePath(document_.Path).FileName().Text())
                                  .replace(mark, mark + mark)) +
                   mark);
    UpdateModifiedMark();
}

void TMainForm::ShownChanged()
{
    UpdateModifiedMark();
    preview_->Outdated();
}

void TMainForm::UpdateModifiedMark()
{
    // Once the event at hand is handled: a command changes the document and
    // the fields in several steps, and only the outcome counts.
    if (std::exchange(modifiedMarkDue_, true))
        return;
    QMetaObject::invokeMethod(
        this,
        [this] {
            modifiedMarkDue_ = false;
            setWindowModified(ShowsChanges());
        },
        Qt::QueuedConnection);
}

bool TMainForm::ShowsChanges() const
{
    // The modified test on the fields as they stand, without storing them
    // and without a copy of the document: it runs as the user types.
    const CDef& saved = document_.Saved;
    const std::vector<COption>& options = document_.Current.Options;
    CProgramSettings settings = document_.Current.Settings();
    ui->GlobalPage->Collect(settings);
    if (settings != saved.Settings() || options.size() != saved.Options.size())
        return true;
    // No option shown (-1) is past every option.
    const auto current = static_cast<std::size_t>(options_->Current());
    if (current < options.size() && options_->ShownFields() != saved.Options[current])
        return true;
    for (std::size_t i = 0; i < options.size(); ++i) {
        if (i != current && options[i] != saved.Options[i])
            return true;
    }
    return false;
}

void TMainForm::GoExecute()
{
    if (QuerySaveChanges() != UnsavedChanges::Saved)
        return;
    // A document that still has no file (Save As cancelled) has nothing to launch.
    if (!document_.Path.empty())
        LaunchDefinition(FilePath(document_.Path));
}

void TMainForm::LaunchDefinition(const FilePath& definition)
{
    // The desktop's "open" would start a second editor on the file when the
    // editor is the application for definition files; the launcher beside
    // the editor runs it instead.
    const QString application = platform_.DefaultApplicationFor(definition);
    if (!application.isEmpty() && !IsEditorApplication(application)) {
        platform_.OpenDocument(definition);
        return;
    }
    const FilePath launcher = LauncherPathFor(platform_.ExecutablePath());
    const bool found = platform_.FileExists(launcher);
    if (found && platform_.StartDetached(launcher, {definition}))
        return;
    dialogs_.ShowError(
        this, TitleBase,
        QStringLiteral("Cannot launch %1:\nno application but this editor opens "
                       "definition files, and the launcher\n%2\n%3.")
            .arg(definition.Text(), launcher.Text(),
                 found ? QStringLiteral("could not be started") : QStringLiteral("was not found")));
}

void TMainForm::HideClick()
{
    // Hiding is no step: it moves files. The edits before it are steps.
    undo_->RecordPendingEdits();
    // The button has already changed its state when this runs.
    const HidePaths paths = HidePathsFor(ui->GlobalPage->ProgramPath(), platform_.ExecutablePath());
    if (ui->GlobalPage->HideChecked()) {
        // Asked before any file is touched: another document's definition
        // file would lose its options.
        if (hider_->CanHide(paths) && ConfirmReplacing(paths.definition) &&
            hider_->PutLauncherInPlace(paths)) {
            undo_->ShowMovedProgram(paths.hidden);
            if (SaveDefinition(paths.definition))
                hider_->HideFiles(paths);
            // The save has told why it failed; a hide without its
            // definition file could not be undone with the button.
            else if (hider_->PutProgramBack(paths))
                undo_->ShowMovedProgram(paths.program);
        }
    } else if (IsProgramHidden() && ConfirmReplacing(paths.definition)) {
        // A program that cannot be renamed back stays where it is, and the
        // document goes on naming it.
        if (hider_->RestoreProgram(paths)) {
            undo_->ShowMovedProgram(paths.restored);
            SaveDefinition(paths.definition);
        }
    }
    UpdateHideState();
}

bool TMainForm::IsProgramHidden()
{
    const FilePath program = ui->GlobalPage->ProgramPath();
    return !program.IsEmpty() && hider_->IsHiddenProgram(program);
}

void TMainForm::UpdateHideState()
{
    // The button's state is derived from the files on disk.
    ui->GlobalPage->ShowHidden(IsProgramHidden());
    // Called whenever another document or state is shown: the preview too.
    preview_->Outdated();
}

void TMainForm::DropFile(const FilePath& path)
{
    // Only the first item counts. Its path is taken whole: a longer path
    // than the classic 259 characters is still the file the user dropped.
    raise();
    activateWindow();
    ui->PageControl->setCurrentWidget(ui->GlobalPage);
    if (EqualIgnoringCase(path.Extension(), ".Quarn"))
        OpenDefinition(path);
    else if (platform_.DirectoryExists(path))
        ui->GlobalPage->SetDirectory(path);
    else
        ui->GlobalPage->SetProgram(path);
}
