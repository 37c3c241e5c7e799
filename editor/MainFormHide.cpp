// Hiding a program behind a copy of the launcher, and undoing it. The Hide
// button's state is derived from the files on disk.
#include "editor/MainForm.h"

#include "system/Platform.h"
#include "system/ProgramHider.h"
#include "ui_MainForm.h"

void TMainForm::HideClick()
{
    // Hiding is no step: it moves files. The edits before it are steps.
    RecordPendingEdits();
    // The button has already changed its state when this runs.
    const HidePaths paths = HidePathsFor(ui->Program->text(), platform_.ExecutablePath());
    if (ui->Hide->isChecked()) {
        // Asked before any file is touched: another document's definition
        // file would lose its options.
        if (hider_->CanHide(paths) && ConfirmReplacing(paths.definition) &&
            hider_->PutLauncherInPlace(paths)) {
            ShowMovedProgram(paths.hidden);
            if (SaveDefinition(paths.definition))
                hider_->HideFiles(paths);
            // The save has told why it failed; a hide without its
            // definition file could not be undone with the button.
            else if (hider_->PutProgramBack(paths))
                ShowMovedProgram(paths.program);
        }
    } else if (IsProgramHidden() && ConfirmReplacing(paths.definition)) {
        // A program that cannot be renamed back stays where it is, and the
        // document goes on naming it.
        if (hider_->RestoreProgram(paths)) {
            ShowMovedProgram(paths.restored);
            SaveDefinition(paths.definition);
        }
    }
    UpdateHideState();
}

bool TMainForm::IsProgramHidden()
{
    ProgramChange();
    if (!ui->Hide->isEnabled())
        return false;
    return hider_->IsHiddenProgram(ui->Program->text());
}

void TMainForm::UpdateHideState()
{
    const bool hidden = IsProgramHidden();
    ui->ProgramButton->setEnabled(!hidden);
    ui->Program->setEnabled(!hidden);
    ui->Hide->setChecked(hidden);
}
