#include "launcher/LauncherPanel.h"

#include "launcher/LaunchProblemTexts.h"
#include "launcher/OptionValueEditor.h"
#include "launcher/OptionsPanel.h"
#include "launcher/OutputView.h"
#include "launcher/RunSession.h"
#include "system/Dialogs.h"
#include "system/FileNameCodec.h"
#include "system/Platform.h"
#include "system/SystemLaunchContext.h"
#include "ui_LauncherPanel.h"

#include <QKeyEvent>
#include <QShortcut>
#include <QTreeWidget>
#include <algorithm>

LauncherPanel::LauncherPanel(Platform& platform, Dialogs& dialogs, QWidget* parent)
    : QWidget(parent), platform_(platform), dialogs_(dialogs),
      ui(std::make_unique<Ui::LauncherPanel>())
{
    ui->setupUi(this);
    options_ = new OptionsPanel(dialogs_, ui->OptionsArea);
    ui->optionsAreaLayout->insertWidget(0, options_, 1);
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
    SessionRunningChanged(false);
}

LauncherPanel::~LauncherPanel() = default;

QPushButton* LauncherPanel::CloseButton() const
{
    return ui->CloseWindow;
}

void LauncherPanel::ShowDefinition(const CDef& def, const std::string& definitionPath,
                                   const LaunchValues& values, const LaunchValues& defaults,
                                   bool keepSelection)
{
    def_ = def;
    definitionPath_ = definitionPath;
    codec_ = TextCodec::ForDocument(def_);
    defaults_ = defaults;
    ui->ProgramInformation->setText(codec_.DecodeLines(def_.Information));
    ui->ProgramInformation->setVisible(!def_.Information.empty());
    options_->SetDefinition(def_, codec_, values, keepSelection);
    UpdatePlan();
}

void LauncherPanel::WireActions()
{
    connect(ui->Run, &QPushButton::clicked, this, &LauncherPanel::RunExecute);
    connect(ui->Stop, &QPushButton::clicked, this, &LauncherPanel::StopExecute);
    connect(ui->Defaults, &QPushButton::clicked, this, &LauncherPanel::DefaultsExecute);
    connect(ui->SaveOutput, &QPushButton::clicked, this, &LauncherPanel::SaveOutputExecute);
    connect(ui->CopyCommand, &QPushButton::clicked, this, &LauncherPanel::CopyCommandExecute);
    connect(ui->SendInput, &QPushButton::clicked, this, &LauncherPanel::SendInputExecute);
    connect(ui->Input, &QLineEdit::returnPressed, this, &LauncherPanel::SendInputExecute);
    connect(ui->EndInput, &QPushButton::clicked, this, &LauncherPanel::EndInputExecute);
    connect(ui->Output, &OutputView::CopyRequested, this, &LauncherPanel::CopyToClipboard);
    connect(options_, &OptionsPanel::ValuesChanged, this, &LauncherPanel::UpdatePlan);
    connect(session_, &RunSession::RunningChanged, this, &LauncherPanel::SessionRunningChanged);
    connect(session_, &RunSession::Ended, this, &LauncherPanel::StatusChanged);
    // Keys that work wherever the focus is in the panel.
    const std::pair<QKeySequence, void (LauncherPanel::*)()> keys[] = {
        {QKeySequence(Qt::Key_F5), &LauncherPanel::RunExecute},
        {QKeySequence(Qt::CTRL | Qt::Key_Return), &LauncherPanel::RunExecute},
        {QKeySequence(Qt::CTRL | Qt::Key_Enter), &LauncherPanel::RunExecute},
        {QKeySequence(Qt::SHIFT | Qt::Key_F5), &LauncherPanel::StopExecute},
    };
    for (const auto& [key, command] : keys) {
        auto* shortcut = new QShortcut(key, this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, command);
    }
    ui->Input->installEventFilter(this);
}

void LauncherPanel::UpdatePlan()
{
    plan_ = PlanLaunch(def_, options_->Values(), SystemLaunchContext(definitionPath_));
    ui->CommandLine->setText(DecodeFileName(QByteArray::fromStdString(CommandText(plan_.command))));
    ui->CommandLine->setCursorPosition(0);
    ui->Problems->setText(LaunchProblemTexts(def_, plan_.problems, codec_).join(QLatin1Char(' ')));
    ui->Problems->setVisible(plan_.problems.Any());
    std::vector<std::size_t> flagged = plan_.problems.missingMandatory;
    flagged.insert(flagged.end(), plan_.problems.unclosedQuotes.begin(),
                   plan_.problems.unclosedQuotes.end());
    std::sort(flagged.begin(), flagged.end());
    options_->FlagOptions(flagged);
    ui->Run->setEnabled(!plan_.problems.Any() && !session_->IsRunning());
}

void LauncherPanel::RunExecute()
{
    // The system may have changed since the values did.
    UpdatePlan();
    if (!ui->Run->isEnabled())
        return;
    Q_EMIT RunStarting(options_->Values());
    QString error;
    if (!session_->Start(plan_.command, &error)) {
        dialogs_.ShowError(this, window()->windowTitle(),
                           QStringLiteral("Cannot run %1:\n%2")
                               .arg(FilePath(plan_.command.program).Text(), error));
        return;
    }
    Q_EMIT StatusChanged(QStringLiteral("Running"));
}

void LauncherPanel::StopExecute()
{
    if (!session_->IsRunning())
        return;
    session_->Stop();
    Q_EMIT StatusChanged(QStringLiteral("Stopping"));
}

void LauncherPanel::DefaultsExecute()
{
    options_->SetValues(defaults_);
}

void LauncherPanel::SaveOutputExecute()
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
            this, window()->windowTitle(),
            QStringLiteral("Cannot save the output to %1:\n%2").arg(dialog.fileName.Text(), error));
}

void LauncherPanel::CopyCommandExecute()
{
    CopyToClipboard(ui->CommandLine->text());
}

void LauncherPanel::CopyToClipboard(const QString& text)
{
    platform_.SetClipboardText(text);
}

void LauncherPanel::SendInputExecute()
{
    if (!session_->IsRunning())
        return;
    session_->SendInput(ui->Input->text().toUtf8() + '\n');
    ui->Input->clear();
}

void LauncherPanel::EndInputExecute()
{
    session_->EndInput();
}

void LauncherPanel::SessionRunningChanged(bool running)
{
    // The controls that are disabled at the end of a run give the focus
    // back to Run, ready for the next one.
    const QWidget* focused = focusWidget();
    const bool focusLeaves = focused == ui->Stop || focused == ui->Input ||
                             focused == ui->SendInput || focused == ui->EndInput;
    ui->Run->setEnabled(!running && !plan_.problems.Any());
    ui->Stop->setEnabled(running);
    for (QWidget* control : {static_cast<QWidget*>(ui->Input), static_cast<QWidget*>(ui->SendInput),
                             static_cast<QWidget*>(ui->EndInput)})
        control->setEnabled(running);
    if (running)
        ui->Input->setFocus();
    else if (focusLeaves)
        ui->Run->setFocus();
    Q_EMIT RunningChanged(running);
}

bool LauncherPanel::eventFilter(QObject* watched, QEvent* event)
{
    // Ctrl+D in the input line ends the program's input, as in a terminal.
    if (watched == ui->Input && event->type() == QEvent::KeyPress) {
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() == Qt::Key_D && key->modifiers() == Qt::ControlModifier) {
            EndInputExecute();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}
