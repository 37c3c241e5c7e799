#include "editor/ProgramSettingsPage.h"

#include "editor/EditBoxes.h"
#include "system/ExecutableDialog.h"
#include "system/ExecutableSearch.h"
#include "system/FolderSelection.h"
#include "system/ShellSelection.h"
#include "system/TextCodec.h"
#include "ui_ProgramSettingsPage.h"

#include <QTextDocument>

#include <utility>

TProgramSettingsPage::TProgramSettingsPage(QWidget* parent)
    : QWidget(parent), ui(std::make_unique<Ui::TProgramSettingsPage>()),
      openExeDialog_(ExecutableDialogSettings())
{
    ui->setupUi(this);
    const auto edited = [this] {
        if (!showing_)
            Q_EMIT Edited();
    };
    for (QLineEdit* box : findChildren<QLineEdit*>())
        connect(box, &QLineEdit::textChanged, this, edited);
    connect(ui->ProgInfo, &QPlainTextEdit::textChanged, this, edited);
    connect(ui->Program, &QLineEdit::textChanged, this, [this](const QString& program) {
        ui->Hide->setEnabled(!program.isEmpty());
        Q_EMIT ProgramChanged(program);
    });
    connect(ui->ProgramButton, &QPushButton::clicked, this,
            &TProgramSettingsPage::ProgramButtonClick);
    connect(ui->ShellButton, &QPushButton::clicked, this, &TProgramSettingsPage::ShellButtonClick);
    connect(ui->DirectoryButton, &QPushButton::clicked, this,
            &TProgramSettingsPage::DirectoryButtonClick);
    connect(ui->Hide, &QPushButton::clicked, this, &TProgramSettingsPage::HideClicked);
}

TProgramSettingsPage::~TProgramSettingsPage() = default;

void TProgramSettingsPage::Setup(Platform& platform, Dialogs& dialogs, const TextCodec& codec)
{
    platform_ = &platform;
    dialogs_ = &dialogs;
    codec_ = &codec;
}

void TProgramSettingsPage::AttachSearchForm(TSearchForm& searchForm)
{
    search_ = std::make_unique<ExecutableSearch>(*platform_, searchForm);
}

void TProgramSettingsPage::Show(const CProgramSettings& settings)
{
    const bool wasShowing = std::exchange(showing_, true);
    const auto boxes = Boxes();
    for (std::size_t i = 0; i < boxes.size(); ++i)
        boxes[i]->setText(codec_->Decode(settings.*SettingsTexts[i]));
    ui->ProgInfo->setPlainText(codec_->DecodeLines(settings.Information));
    showing_ = wasShowing;
}

void TProgramSettingsPage::Collect(CProgramSettings& settings) const
{
    const auto boxes = Boxes();
    for (std::size_t i = 0; i < boxes.size(); ++i)
        settings.*SettingsTexts[i] = codec_->Encode(boxes[i]->text());
    if (ui->ProgInfo->document()->isModified())
        settings.Information = codec_->EncodeLines(MemoText(ui->ProgInfo));
}

std::array<QLineEdit*, 4> TProgramSettingsPage::Boxes() const
{
    return {ui->Name, ui->Program, ui->Directory, ui->Shell};
}

void TProgramSettingsPage::Clear()
{
    ui->Name->clear();
    ui->Program->clear();
    ui->Directory->clear();
    ui->Shell->clear();
    ui->ProgInfo->clear();
}

ShownTexts TProgramSettingsPage::Texts() const
{
    return {{TextField::Caption, ui->Name->text()},
            {TextField::Program, ui->Program->text()},
            {TextField::Directory, ui->Directory->text()},
            {TextField::Shell, ui->Shell->text()},
            {TextField::ProgramInformation, MemoText(ui->ProgInfo)}};
}

QString TProgramSettingsPage::Program() const
{
    return ui->Program->text();
}

FilePath TProgramSettingsPage::ProgramPath() const
{
    return FilePath(codec_->Encode(ui->Program->text()));
}

void TProgramSettingsPage::SetProgram(const FilePath& program)
{
    ui->Program->setText(codec_->DecodePath(program.Bytes()));
}

void TProgramSettingsPage::SetDirectory(const FilePath& directory)
{
    ui->Directory->setText(codec_->DecodePath(directory.Bytes()));
}

void TProgramSettingsPage::ShowHidden(bool hidden)
{
    ui->ProgramButton->setEnabled(!hidden);
    ui->Program->setEnabled(!hidden);
    ui->Hide->setChecked(hidden);
}

bool TProgramSettingsPage::HideChecked() const
{
    return ui->Hide->isChecked();
}

void TProgramSettingsPage::FocusCaption()
{
    ui->Name->setFocus();
    ui->Name->selectAll();
}

QWidget* TProgramSettingsPage::LastField() const
{
    return ui->ProgInfo;
}

void TProgramSettingsPage::ProgramButtonClick()
{
    // The field itself, the program that would open its name, or a scan of
    // the disks presets the dialog; only the dialog's choice changes the field.
    if (!search_)
        return;
    const auto preset = search_->DialogPresetFor(ProgramPath());
    if (!preset)
        return;
    openExeDialog_.fileName = *preset;
    openExeDialog_.title = QStringLiteral("Select program");
    if (dialogs_->ChooseFile(window(), openExeDialog_))
        SetProgram(openExeDialog_.fileName);
}

void TProgramSettingsPage::ShellButtonClick()
{
    openExeDialog_.fileName = ShellDialogInitialName(ui->Shell->text(), *codec_, *platform_);
    openExeDialog_.title = QStringLiteral("Select command shell");
    // The whole field is replaced: the switches are not carried over.
    if (dialogs_->ChooseFile(window(), openExeDialog_))
        ui->Shell->setText(codec_->DecodePath(openExeDialog_.fileName.Bytes()));
}

void TProgramSettingsPage::DirectoryButtonClick()
{
    FilePath folder(codec_->Encode(ui->Directory->text()));
    if (BrowseForDirectory(*dialogs_, window(), *platform_, folder))
        SetDirectory(folder);
}
