// New, Open, Save and Save As, the save prompt that guards them, and the
// window title.
#include "editor/MainForm.h"

#include "document/FileStamp.h"
#include "system/DisplayNames.h"
#include "system/PathNames.h"
#include "ui_MainForm.h"

#include <QSignalBlocker>
#include <QStatusBar>

namespace {

const QString TitleBase = QStringLiteral("Quarn Editor");
// How long the status bar tells why a file could not be opened.
constexpr int OpenFailureShownMs = 5000;

} // namespace

int TMainForm::QuerySaveChanges()
{
    CollectDocument();
    if (!document_.IsModified())
        return 2;
    const QString name =
        document_.Path.empty() ? QStringLiteral("Definition") : FromDocumentPath(document_.Path);
    switch (dialogs_.AskYesNoCancel(this, TitleBase,
                                    name + QStringLiteral(" has changed.\nDo you want to save it?"))) {
    case PromptAnswer::Yes:
        // Work that was not saved (Save As cancelled, the file could not
        // be written) must not be discarded by the command that asked.
        return SaveDocument() ? 2 : 0;
    case PromptAnswer::No:
        return 1;
    case PromptAnswer::Cancel:
        break;
    }
    return 0;
}

void TMainForm::FileNewExecute()
{
    if (QuerySaveChanges() == 0)
        return;
    SetCurrentFile(QString(), true);
    ui->Name->clear();
    ui->Program->clear();
    ui->Directory->clear();
    ui->Shell->clear();
    ui->ProgInfo->clear();
    ui->Hide->setEnabled(false);
    UpdateHideState();
    ClearOptionFields();
    {
        const QSignalBlocker blocker(ui->OptionList);
        ui->OptionList->clear();
    }
    ShowSelectedOption();
    // Whatever the field handlers did to the old document is discarded.
    document_.Reset();
    codec_ = TextCodec();
    StartHistory();
}

void TMainForm::ClearOptionFields()
{
    ui->NameOption->clear();
    ui->Value->clear();
    ui->EditValues->clear();
    ui->Format->clear();
    ui->Arg->clear();
    {
        const QSignalBlocker typeBlocker(ui->Type);
        const QSignalBlocker boolBlocker(ui->ValBool);
        ui->Type->setCurrentIndex(-1);
        ui->ValBool->setCurrentIndex(-1);
    }
    {
        const QSignalBlocker blocker(ui->Values);
        ui->Values->clear();
    }
    ui->Multiple->setChecked(false);
    ui->UseDir->setChecked(false);
    ui->Mandatory->setChecked(false);
    ui->Default->setChecked(false);
    ui->OptionInfo->clear();
}

void TMainForm::FileOpenExecute()
{
    if (dialogs_.ChooseFile(this, openDialog_))
        OpenDefinition(openDialog_.fileName);
}

void TMainForm::OpenDefinition(const QString& path)
{
    if (QuerySaveChanges() == 0)
        return;
    LoadFailure failure;
    const LoadResult result = document_.Load(ToDocumentPath(path), &failure);
    // No message box for a file that cannot be opened, only a passing word.
    if (!failure.path.empty())
        statusBar()->showMessage(QStringLiteral("Could not open ") +
                                     FromDocumentPath(failure.path) + QStringLiteral(": ") +
                                     QString::fromLocal8Bit(failure.reason.c_str()),
                                 OpenFailureShownMs);
    switch (result) {
    case LoadResult::NotFound:
        return;
    case LoadResult::ProgramAdopted:
        ui->Program->setText(Shown(document_.Current.Program));
        SetCurrentFile(FromDocumentPath(document_.Path), true);
        StartHistory();
        return;
    case LoadResult::Loaded:
        codec_ = TextCodec::ForDocument(document_.Current);
        SetCurrentFile(FromDocumentPath(document_.Path), true);
        ShowLoadedDocument();
        StartHistory();
        return;
    }
}

void TMainForm::ShowLoadedDocument()
{
    ui->PageControl->setCurrentWidget(ui->GlobalPage);
    ShowSettings();
    ShowOptionNames();
    if (ui->OptionList->count() > 0) {
        SelectOption(0);
        ShowSelectedOption();
    } else {
        currentOption_ = -1;
        ClearOptionFields();
        ShowSelectedOption();
    }
    // Showing the first option may have moved First after its mark.
    document_.MarkSaved();
    UpdateHideState();
    // The focus set by the program selects the whole text, also when the
    // window only becomes active later (start-up).
    ui->Name->setFocus();
    ui->Name->selectAll();
}

void TMainForm::ShowSettings()
{
    const CDef& def = document_.Current;
    ui->Name->setText(Shown(def.Name));
    ui->Program->setText(Shown(def.Program));
    ui->Directory->setText(Shown(def.Directory));
    ui->Shell->setText(Shown(def.Shell));
    ui->ProgInfo->setPlainText(codec_.DecodeLines(def.Information));
}

void TMainForm::FileSaveExecute()
{
    SaveDocument();
}

void TMainForm::FileSaveAsExecute()
{
    SaveDocumentAs();
}

bool TMainForm::SaveDocument()
{
    if (document_.Path.empty())
        return SaveDocumentAs();
    const QString path = FromDocumentPath(document_.Path);
    return ConfirmReplacing(path) && SaveDefinition(path);
}

bool TMainForm::SaveDocumentAs()
{
    return dialogs_.ChooseFile(this, saveDialog_) && ConfirmReplacing(saveDialog_.fileName) &&
           SaveDefinition(saveDialog_.fileName);
}

bool TMainForm::ConfirmReplacing(const QString& path)
{
    // The file really written, whose name the user may never have typed.
    const QString definition = DefinitionPathOf(path);
    const std::string file = ToDocumentPath(definition);
    const auto ask = [this, definition](const QString& question) {
        return dialogs_.AskYesNo(this, TitleBase, definition + question);
    };
    if (!document_.Path.empty() && SamePathName(definition, FromDocumentPath(document_.Path))) {
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

bool TMainForm::SaveDefinition(const QString& path)
{
    CollectDocument();
    std::string reason;
    if (!document_.Save(ToDocumentPath(path), &reason)) {
        dialogs_.ShowError(this, TitleBase,
                           QStringLiteral("Could not save\n") + DefinitionPathOf(path) +
                               QStringLiteral("\n") + QString::fromLocal8Bit(reason.c_str()));
        return false;
    }
    SetCurrentFile(FromDocumentPath(document_.Path), true);
    return true;
}

void TMainForm::FileExitExecute()
{
    close();
}

void TMainForm::SetCurrentFile(const QString& path, bool updateTitle)
{
    if (!path.isEmpty())
        AddRecentFile(path);
    document_.Path = ToDocumentPath(path);
    if (updateTitle)
        UpdateTitle();
}

void TMainForm::UpdateTitle()
{
    setWindowTitle(document_.Path.empty()
                       ? TitleBase
                       : TitleBase + QStringLiteral(" - ") +
                             VisibleFileName(FileNamePartOf(FromDocumentPath(document_.Path))));
}
