#pragma once

#include "document/LaunchCommand.h"
#include "launcher/LaunchDefinition.h"
#include "system/TextCodec.h"

#include <QMainWindow>
#include <memory>

class Dialogs;
class OptionsPanel;
class Platform;
class RememberedValues;
class RunSession;
namespace Ui {
class TLauncherForm;
}

// The launcher's window for one definition: the program's information, the
// options with their values, the command Run starts, live, and the
// program's output. Opening it runs nothing; the program runs when the
// user presses Run.
class TLauncherForm : public QMainWindow
{
    Q_OBJECT

public:
    // arguments are the ARGs of the launcher's command line: they override
    // the values last run with, which override the definition's own.
    TLauncherForm(Platform& platform, Dialogs& dialogs, LaunchDefinition definition,
                  const std::vector<std::string>& arguments, QWidget* parent = nullptr);
    ~TLauncherForm() override;

    const LaunchPlan& Plan() const { return plan_; }
    OptionsPanel& Options() const { return *options_; }
    RunSession& Session() const { return *session_; }

    // The commands of the window's buttons and keys.
    void RunExecute();
    void StopExecute();
    void DefaultsExecute();
    void SaveOutputExecute();
    void CopyCommandExecute();
    void SendInputExecute();
    void EndInputExecute();

protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void WireActions();
    void UpdatePlan();
    void RunningChanged(bool running);
    void RunEnded(const QString& text);
    void CopyToClipboard(const QString& text);

    Platform& platform_;
    Dialogs& dialogs_;
    LaunchDefinition definition_;
    TextCodec codec_;
    LaunchValues defaults_; // the definition's own, with the ARGs no option takes
    LaunchPlan plan_;
    std::unique_ptr<Ui::TLauncherForm> ui;
    std::unique_ptr<RememberedValues> remembered_;
    OptionsPanel* options_;
    RunSession* session_;
    bool closeWhenEnded_ = false;
};
