#include "system/Dialogs.h"
#include "system/FileNameCodec.h"

#include <QDialog>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>
#include <QPushButton>

namespace {

// Qt's file dialog shows a name that is not valid UTF-8 with U+FFFD in it,
// and would refuse it as a file that does not exist. This one accepts the
// file on disk that the shown name stands for.
class StoredNameFileDialog : public QFileDialog
{
public:
    using QFileDialog::QFileDialog;

    FilePath Chosen() const
    {
        return stored_.IsEmpty()
                   ? StoredFileName(QDir::toNativeSeparators(selectedFiles().value(0)))
                   : stored_;
    }

    void accept() override
    {
        const QString shown = selectedFiles().value(0);
        const FilePath stored = StoredFileName(shown);
        std::error_code error;
        if (stored != FilePath::FromText(shown) &&
            (fileMode() != ExistingFile || std::filesystem::exists(stored.Native(), error))) {
            stored_ = stored;
            QDialog::accept();
            return;
        }
        QFileDialog::accept();
    }

private:
    FilePath stored_;
};

} // namespace

PromptAnswer QtDialogs::AskYesNoCancel(QWidget* owner, const QString& caption, const QString& text)
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

bool QtDialogs::AskYesNo(QWidget* owner, const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::Question, caption, text, QMessageBox::Yes | QMessageBox::No,
                    owner);
    box.setDefaultButton(QMessageBox::No);
    box.setEscapeButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

bool QtDialogs::Confirm(QWidget* owner, const QString& caption, const QString& text,
                        const QString& acceptText)
{
    QMessageBox box(QMessageBox::Warning, caption, text, QMessageBox::Cancel, owner);
    QPushButton* accept = box.addButton(acceptText, QMessageBox::AcceptRole);
    box.setDefaultButton(accept);
    box.setEscapeButton(QMessageBox::Cancel);
    box.exec();
    return box.clickedButton() == accept;
}

void QtDialogs::ShowError(QWidget* owner, const QString& caption, const QString& text)
{
    QMessageBox box(QMessageBox::Critical, caption, text, QMessageBox::Ok, owner);
    box.exec();
}

bool QtDialogs::ChooseFile(QWidget* owner, FileDialogSettings& settings)
{
    const bool open = settings.kind == FileDialogSettings::Kind::Open;
    StoredNameFileDialog dialog(owner, settings.title);
    dialog.setAcceptMode(open ? QFileDialog::AcceptOpen : QFileDialog::AcceptSave);
    dialog.setFileMode(open && settings.fileMustExist ? QFileDialog::ExistingFile
                                                      : QFileDialog::AnyFile);
    dialog.setNameFilters(settings.filter.split(QStringLiteral(";;")));
    dialog.setDefaultSuffix(settings.defaultSuffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !settings.confirmOverwrite);
    dialog.setOption(QFileDialog::ReadOnly, false);
    dialog.setSizeGripEnabled(true);
    if (!settings.fileName.IsEmpty()) {
        const QFileInfo initial(settings.fileName.Text());
        if (initial.isAbsolute())
            dialog.setDirectory(initial.absolutePath());
        dialog.selectFile(initial.isAbsolute() ? initial.fileName() : settings.fileName.Text());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.Chosen().IsEmpty())
        return false;
    settings.fileName = dialog.Chosen();
    return true;
}

bool QtDialogs::ChooseFolder(QWidget* owner, const QString& title, FilePath& folder)
{
    StoredNameFileDialog dialog(owner, title);
    dialog.setFileMode(QFileDialog::Directory);
    dialog.setOption(QFileDialog::ShowDirsOnly, true);
    if (!folder.IsEmpty()) {
        // Open at the parent with the folder itself selected.
        const QFileInfo preselected(folder.Text());
        dialog.setDirectory(preselected.absolutePath());
        dialog.selectFile(preselected.fileName());
    }
    if (dialog.exec() != QDialog::Accepted || dialog.Chosen().IsEmpty())
        return false;
    const FilePath chosen = dialog.Chosen();
    std::error_code error;
    if (!std::filesystem::is_directory(chosen.Native(), error))
        return false;
    folder = chosen;
    return true;
}

void QtDialogs::ShowModal(QDialog& dialog)
{
    dialog.exec();
}
