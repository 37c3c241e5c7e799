#pragma once

#include "document/LaunchValues.h"
#include "launcher/LaunchDefinition.h"

#include <QMainWindow>
#include <memory>

class Dialogs;
class LauncherPanel;
class Platform;
class RememberedValues;

// The launcher's window for one definition: its panel, under the
// definition's caption, with a status bar and Close. The values the user
// runs with are remembered for the next time. Closing the window while the
// program runs asks whether to stop it first.
class TLauncherForm : public QMainWindow
{
    Q_OBJECT

public:
    // arguments are the ARGs of the launcher's command line: they override
    // the values last run with, which override the definition's own.
    TLauncherForm(Platform& platform, Dialogs& dialogs, const LaunchDefinition& definition,
                  const std::vector<std::string>& arguments, QWidget* parent = nullptr);
    ~TLauncherForm() override;

    LauncherPanel& Panel() const { return *panel_; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void RunStarting(const LaunchValues& values);
    void RunningChanged(bool running);
    void ShowStatus(const QString& text);

    Dialogs& dialogs_;
    LaunchDefinition definition_;
    std::unique_ptr<RememberedValues> remembered_;
    LauncherPanel* panel_;
    bool closeWhenEnded_ = false;
};
