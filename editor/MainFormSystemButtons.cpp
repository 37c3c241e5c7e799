// The buttons beside the Program, Shell and Directory fields.
#include "editor/MainForm.h"

#include "system/ExecutableSearch.h"
#include "system/FolderSelection.h"
#include "system/ShellSelection.h"
#include "ui_MainForm.h"

void TMainForm::ProgramButtonClick()
{
    // The field itself, the program that would open its name, or a scan of
    // the disks presets the dialog; only the dialog's choice changes the field.
    if (!search_)
        return;
    if (const auto preset = search_->DialogPresetFor(ui->Program->text()))
        SelectProgramFile(*preset);
}

void TMainForm::SelectProgramFile(const QString& initialName)
{
    openExeDialog_.fileName = initialName;
    openExeDialog_.title = QStringLiteral("Select program");
    if (dialogs_.ChooseFile(this, openExeDialog_))
        ui->Program->setText(openExeDialog_.fileName);
}

void TMainForm::ShellButtonClick()
{
    openExeDialog_.fileName = ShellDialogInitialName(ui->Shell->text(), platform_);
    openExeDialog_.title = QStringLiteral("Select command shell");
    // The whole field is replaced: the switches are not carried over.
    if (dialogs_.ChooseFile(this, openExeDialog_))
        ui->Shell->setText(openExeDialog_.fileName);
}

void TMainForm::DirectoryButtonClick()
{
    QString folder = ui->Directory->text();
    if (BrowseForDirectory(dialogs_, this, platform_, folder))
        ui->Directory->setText(folder);
}
