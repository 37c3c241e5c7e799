#pragma once

#include "document/LaunchCommand.h"
#include "system/TextCodec.h"

#include <QWidget>
#include <memory>

class Dialogs;
class OptionsPanel;
class Platform;
class QPushButton;
class RunSession;
namespace Ui {
class LauncherPanel;
}

// What the launcher shows of a definition, in a window of its own or in the
// editor's preview: the program's information, the options with their
// values, the command Run starts, live, the buttons, and the program's
// output and input. Showing a definition runs nothing.
class LauncherPanel : public QWidget
{
    Q_OBJECT

public:
    LauncherPanel(Platform& platform, Dialogs& dialogs, QWidget* parent = nullptr);
    ~LauncherPanel() override;

    // Shows def, kept as a copy, with values; Defaults goes back to
    // defaults. The selected option stays where it is when there is one and
    // keepSelection is set, else the option at First is selected.
    void ShowDefinition(const CDef& def, const std::string& definitionPath,
                        const LaunchValues& values, const LaunchValues& defaults,
                        bool keepSelection = false);

    const CDef& Definition() const { return def_; }
    const std::string& DefinitionPath() const { return definitionPath_; }
    OptionsPanel& Options() const { return *options_; }
    RunSession& Session() const { return *session_; }
    // Close, which only a window of its own shows.
    QPushButton* CloseButton() const;

    // The commands of the buttons and keys.
    void RunExecute();
    void StopExecute();
    void DefaultsExecute();
    void SaveOutputExecute();
    void CopyCommandExecute();
    void SendInputExecute();
    void EndInputExecute();

Q_SIGNALS:
    // Run is about to start the program with these values.
    void RunStarting(const LaunchValues& values);
    void RunningChanged(bool running);
    // What the status bar says: the run's state, how it ended.
    void StatusChanged(const QString& text);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void WireActions();
    void UpdatePlan();
    void SessionRunningChanged(bool running);
    void CopyToClipboard(const QString& text);

    Platform& platform_;
    Dialogs& dialogs_;
    CDef def_;
    std::string definitionPath_;
    TextCodec codec_;
    LaunchValues defaults_;
    LaunchPlan plan_;
    std::unique_ptr<Ui::LauncherPanel> ui;
    OptionsPanel* options_;
    RunSession* session_;
};
