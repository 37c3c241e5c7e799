#include "launcher/LauncherForm.h"

#include "launcher/LauncherPanel.h"
#include "launcher/OptionsPanel.h"
#include "launcher/RememberedValues.h"
#include "launcher/RunSession.h"
#include "system/Dialogs.h"
#include "system/DisplayNames.h"
#include "system/FilePath.h"
#include "system/TextCodec.h"

#include <QCloseEvent>
#include <QPushButton>
#include <QShortcut>
#include <QStatusBar>
#include <QTreeWidget>

TLauncherForm::TLauncherForm(Platform& platform, Dialogs& dialogs,
                             const LaunchDefinition& definition,
                             const std::vector<std::string>& arguments, QWidget* parent)
    : QMainWindow(parent), dialogs_(dialogs), definition_(definition),
      remembered_(std::make_unique<RememberedValues>(platform)),
      panel_(new LauncherPanel(platform, dialogs, this))
{
    setCentralWidget(panel_);
    setStatusBar(new QStatusBar(this));
    resize(720, 560);
    const CDef& def = definition_.def;
    setWindowTitle(def.Name.empty()
                       ? VisibleFileName(FilePath(definition_.path).FileName().Text())
                       : TextCodec::ForDocument(def).Decode(def.Name));

    LaunchValues values = DefaultValues(def);
    remembered_->Restore(def, definition_.path, values);
    ApplyArguments(def, arguments, values);
    // Defaults goes back to the definition's values; the arguments that no
    // option takes are no option's value and stay.
    LaunchValues defaults = DefaultValues(def);
    defaults.extraArguments = values.extraArguments;
    panel_->ShowDefinition(def, definition_.path, values, defaults);

    connect(panel_, &LauncherPanel::RunStarting, this, &TLauncherForm::RunStarting);
    connect(panel_, &LauncherPanel::RunningChanged, this, &TLauncherForm::RunningChanged);
    connect(panel_, &LauncherPanel::StatusChanged, this, &TLauncherForm::ShowStatus);
    connect(panel_->CloseButton(), &QPushButton::clicked, this, &TLauncherForm::close);
    connect(new QShortcut(QKeySequence::Close, this), &QShortcut::activated, this,
            &TLauncherForm::close);
    panel_->Options().List()->setFocus();
}

TLauncherForm::~TLauncherForm() = default;

void TLauncherForm::RunStarting(const LaunchValues& values)
{
    remembered_->Remember(definition_.def, definition_.path, values);
}

void TLauncherForm::ShowStatus(const QString& text)
{
    statusBar()->showMessage(text);
}

void TLauncherForm::RunningChanged(bool running)
{
    if (!running && closeWhenEnded_)
        close();
}

void TLauncherForm::closeEvent(QCloseEvent* event)
{
    if (!panel_->Session().IsRunning()) {
        event->accept();
        return;
    }
    event->ignore();
    // A second close while the program is being stopped ends it at once.
    if (closeWhenEnded_) {
        panel_->Session().Stop();
        return;
    }
    if (!dialogs_.Confirm(this, windowTitle(),
                          QStringLiteral("The program is still running.\nDo you want to stop it?"),
                          QStringLiteral("&Stop")))
        return;
    closeWhenEnded_ = true;
    panel_->StopExecute();
}
