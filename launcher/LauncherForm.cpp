#include "launcher/LauncherForm.h"

#include "document/DefinitionPath.h"
#include "launcher/LaunchProblemTexts.h"
#include "launcher/OptionValueEditor.h"
#include "launcher/OptionsPanel.h"
#include "launcher/OutputView.h"
#include "launcher/RememberedValues.h"
#include "launcher/RunSession.h"
#include "system/Dialogs.h"
#include "system/DisplayNames.h"
#include "system/FileNameCodec.h"
#include "system/Platform.h"
#include "system/SystemLaunchContext.h"
#include "ui_LauncherForm.h"

#include <QCloseEvent>
#include <QFile>
#include <QKeyEvent>
#include <QShortcut>
#include <QTreeWidget>
#include <algorithm>

namespace {

QString FileName(const std::string& path)
{
    return DecodeFileName(QByteArray::fromStdString(path));
}

} // namespace

TLauncherForm::TLauncherForm(Platform& platform, Dialogs& dialogs, LaunchDefinition definition,
                             const std::vector<std::string>& arguments, QWidget* parent)
    : QMainWindow(parent), platform_(platform), dialogs_(dialogs),
      definition_(std::move(definition)), codec_(TextCodec::ForDocument(definition_.def)),
      ui(std::make_unique<Ui::TLauncherForm>()),
      remembered_(std::make_unique<RememberedValues>(platform))
{
    ui->setupUi(this);
    const CDef& def = definition_.def;
    setWindowTitle(def.Name.empty()
                       ? VisibleFileName(FileName(std::string(FileNamePart(definition_.path))))
                       : codec_.Decode(def.Name));
    ui->ProgramInformation->setText(codec_.DecodeLines(def.Information));
    ui->ProgramInformation->setVisible(!def.Information.empty());

    LaunchValues values = DefaultValues(def);
    remembered_->Restore(def, definition_.path, values);
    ApplyArguments(def, arguments, values);
    // Defaults goes back to the definition's values; the arguments that no
    // option takes are no option's value and stay.
    defaults_ = DefaultValues(def);
    defaults_.extraArguments = values.extraArguments;

    options_ = new OptionsPanel(dialogs_, ui->OptionsArea);
    ui->optionsAreaLayout->insertWidget(0, options_, 1);
    options_->SetDefinition(def, codec_, values);
    session_ = new RunSession(*ui->Output, this);
    // The options come first for Tab, as they come first on the screen.
    QWidget* previous = options_->List();
    for (QWidget* control : options_->Editor()->TabOrder()) {
        setTabOrder(previous, control);
        previous = control;
    }
    setTabOrder(previous, ui->CommandLine);
    QPalette warning = ui->Problems->palette();
    warning.setColor(QPalette::WindowText, QColor(0xB0, 0x1C, 0x1C));
    ui->Problems->setPalette(warning);
    WireActions();
    UpdatePlan();
    RunningChanged(false);
    options_->List()->setFocus();
}

TLauncherForm::~TLauncherForm() = default;

void TLauncherForm::WireActions()
{
    connect(ui->Run, &QPushButton::clicked, this, &TLauncherForm::RunExecute);
    connect(ui->Stop, &QPushButton::clicked, this, &TLauncherForm::StopExecute);
    connect(ui->Defaults, &QPushButton::clicked, this, &TLauncherForm::DefaultsExecute);
    connect(ui->SaveOutput, &QPushButton::clicked, this, &TLauncherForm::SaveOutputExecute);
    connect(ui->CopyCommand, &QPushButton::clicked, this, &TLauncherForm::CopyCommandExecute);
    connect(ui->CloseWindow, &QPushButton::clicked, this, &TLauncherForm::close);
    connect(ui->SendInput, &QPushButton::clicked, this, &TLauncherForm::SendInputExecute);
    connect(ui->Input, &QLineEdit::returnPressed, this, &TLauncherForm::SendInputExecute);
    connect(ui->EndInput, &QPushButton::clicked, this, &TLauncherForm::EndInputExecute);
    connect(ui->Output, &OutputView::CopyRequested, this, &TLauncherForm::CopyToClipboard);
    connect(options_, &OptionsPanel::ValuesChanged, this, &TLauncherForm::UpdatePlan);
    connect(session_, &RunSession::RunningChanged, this, &TLauncherForm::RunningChanged);
    connect(session_, &RunSession::Ended, this, &TLauncherForm::RunEnded);
    // Keys that work wherever the focus is in the window.
    const std::pair<QKeySequence, void (TLauncherForm::*)()> keys[] = {
        {QKeySequence(Qt::Key_F5), &TLauncherForm::RunExecute},
        {QKeySequence(Qt::CTRL | Qt::Key_Return), &TLauncherForm::RunExecute},
        {QKeySequence(Qt::CTRL | Qt::Key_Enter), &TLauncherForm::RunExecute},
        {QKeySequence(Qt::SHIFT | Qt::Key_F5), &TLauncherForm::StopExecute},
    };
    for (const auto& [key, command] : keys)
        connect(new QShortcut(key, this), &QShortcut::activated, this, command);
    connect(new QShortcut(QKeySequence::Close, this), &QShortcut::activated, this,
            &TLauncherForm::close);
    ui->Input->installEventFilter(this);
}

void TLauncherForm::UpdatePlan()
{
    const LaunchContext context = SystemLaunchContext(definition_.path);
    plan_ = PlanLaunch(definition_.def, options_->Values(), context);
    ui->CommandLine->setText(FileName(CommandText(plan_.command)));
    ui->CommandLine->setCursorPosition(0);
    ui->Problems->setText(
        LaunchProblemTexts(definition_.def, plan_.problems, codec_).join(QLatin1Char(' ')));
    ui->Problems->setVisible(plan_.problems.Any());
    std::vector<std::size_t> flagged = plan_.problems.missingMandatory;
    flagged.insert(flagged.end(), plan_.problems.unclosedQuotes.begin(),
                   plan_.problems.unclosedQuotes.end());
    std::sort(flagged.begin(), flagged.end());
    options_->FlagOptions(flagged);
    ui->Run->setEnabled(!plan_.problems.Any() && !session_->IsRunning());
}

void TLauncherForm::RunExecute()
{
    // The system may have changed since the values did.
    UpdatePlan();
    if (!ui->Run->isEnabled())
        return;
    remembered_->Remember(definition_.def, definition_.path, options_->Values());
    QString error;
    if (!session_->Start(plan_.command, &error)) {
        dialogs_.ShowError(
            this, windowTitle(),
            QStringLiteral("Cannot run %1:\n%2").arg(FileName(plan_.command.program), error));
        return;
    }
    ui->StatusBar->showMessage(QStringLiteral("Running"));
}

void TLauncherForm::StopExecute()
{
    if (!session_->IsRunning())
        return;
    session_->Stop();
    ui->StatusBar->showMessage(QStringLiteral("Stopping"));
}

void TLauncherForm::DefaultsExecute()
{
    options_->SetValues(defaults_);
}

void TLauncherForm::SaveOutputExecute()
{
    FileDialogSettings dialog;
    dialog.kind = FileDialogSettings::Kind::Save;
    dialog.title = QStringLiteral("Save output");
    dialog.filter = QStringLiteral("Text files (*.txt);;All files (*)");
    dialog.defaultSuffix = QStringLiteral("txt");
    dialog.confirmOverwrite = true;
    if (!dialogs_.ChooseFile(this, dialog))
        return;
    QString error;
    if (!ui->Output->Output().SaveTo(dialog.fileName, &error))
        dialogs_.ShowError(
            this, windowTitle(),
            QStringLiteral("Cannot save the output to %1:\n%2").arg(dialog.fileName, error));
}

void TLauncherForm::CopyCommandExecute()
{
    CopyToClipboard(ui->CommandLine->text());
}

void TLauncherForm::CopyToClipboard(const QString& text)
{
    platform_.SetClipboardText(text);
}

void TLauncherForm::SendInputExecute()
{
    if (!session_->IsRunning())
        return;
    session_->SendInput(ui->Input->text().toUtf8() + '\n');
    ui->Input->clear();
}

void TLauncherForm::EndInputExecute()
{
    session_->EndInput();
}

void TLauncherForm::RunningChanged(bool running)
{
    // The controls that are disabled at the end of a run give the focus
    // back to Run, ready for the next one.
    const QWidget* focused = focusWidget();
    const bool focusLeaves = focused == nullptr || focused == ui->Stop ||
                             focused == ui->Input || focused == ui->SendInput ||
                             focused == ui->EndInput;
    ui->Run->setEnabled(!running && !plan_.problems.Any());
    ui->Stop->setEnabled(running);
    for (QWidget* control : {static_cast<QWidget*>(ui->Input), static_cast<QWidget*>(ui->SendInput),
                             static_cast<QWidget*>(ui->EndInput)})
        control->setEnabled(running);
    if (running)
        ui->Input->setFocus();
    else if (focusLeaves)
        ui->Run->setFocus();
}

void TLauncherForm::RunEnded(const QString& text)
{
    ui->StatusBar->showMessage(text);
    if (closeWhenEnded_)
        close();
}

void TLauncherForm::closeEvent(QCloseEvent* event)
{
    if (!session_->IsRunning()) {
        event->accept();
        return;
    }
    event->ignore();
    // A second close while the program is being stopped ends it at once.
    if (closeWhenEnded_) {
        session_->Stop();
        return;
    }
    if (!dialogs_.Confirm(this, windowTitle(),
                          QStringLiteral("The program is still running.\nDo you want to stop it?"),
                          QStringLiteral("&Stop")))
        return;
    closeWhenEnded_ = true;
    StopExecute();
}

bool TLauncherForm::eventFilter(QObject* watched, QEvent* event)
{
    // Ctrl+D in the input line ends the program's input, as in a terminal.
    if (watched == ui->Input && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_D && key->modifiers() == Qt::ControlModifier) {
            EndInputExecute();
            return true;
        }
    }
    return QMainWindow::eventFilter(watched, event);
}
