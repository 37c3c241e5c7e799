#include "system/Dialogs.h"

#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

PromptAnswer QtDialogs::AskYesNoCancel(QWidget* owner, const QString& caption,
                                       const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, caption, text,
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel, owner);
    box.setDefaultButton(QMessageBox::Yes);
    box.setEscapeButton(QMessageBox::Cancel);
    switch (box.exec()) {
    case QMessageBox::Yes:
        return PromptAnswer::Yes;
    case QMessageBox::No:
        return PromptAnswer::No;
    default:
        return PromptAnswer::Cancel;
    }
}

void QtDialogs::ShowError(QWidget* owner, const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok, owner);
    box.exec();
}

bool QtDialogs::ChooseFile(QWidget* owner, FileDialogSettings& settings)
{
    const bool open = settings.kind == FileDialogSettings::Kind::Open;
    QFileDialog dialog(owner, settings.title);
    dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(open && settings.fileMustExist ? QFileDialog::ExistingFile
                                                      : QFileDialog::AnyFile);
    dialog.setNameFilters(settings.filter.split(QStringLiteral(";;")));
    dialog.setDefaultSuffix(settings.defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setSizeGripEnabled(true);
    if (!settings.fileName.isEmpty()) {
        const QFileInfo initial(settings.fileName);
        if (initial.isAbsolute())
            dialog.setDirectory(initial.absolutePath());
        dialog.selectFile(initial.isAbsolute() ? initial.fileName() : settings.fileName);
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    settings.fileName = QDir::toNativeSeparators(dialog.selectedFiles().constFirst());
    return true;
}

bool QtDialogs::ChooseFolder(QWidget* owner, const QString& title, QString& folder)
{
    QFileDialog dialog(owner, title);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    if (!folder.isEmpty()) {
        // Open at the parent with the folder itself selected.
        const QFileInfo preselected(folder);
        dialog.setDirectory(preselected.absolutePath());
        dialog.selectFile(preselected.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return false;
    const QFileInfo chosen(dialog.selectedFiles().constFirst());
    if (!chosen.isDir())
        return false;
    folder = QDir::toNativeSeparators(chosen.absoluteFilePath());
    return true;
}

void QtDialogs::ShowModal(QDialog& dialog)
{
    dialog.exec();
}
