#pragma once

#include "document/LaunchCommand.h"

#include <QObject>
#include <QString>
#include <memory>

class OutputView;
class TerminalProcess;
struct ProgramEnd;

// The runs of the launcher's window, one at a time: the program starts
// under a terminal, its output goes to the output pane as it comes, and
// its end is told there and by Ended. What a run leaves running is stopped
// by the next run, or when the session ends.
class RunSession : public QObject
{
    Q_OBJECT

public:
    explicit RunSession(OutputView& output, QObject* parent = nullptr);
    ~RunSession() override;

    // False, with the reason, when the program could not be started.
    bool Start(const CommandLine& command, QString* error);
    bool IsRunning() const;
    // Interrupts the program as Ctrl+C does; it is ended outright when it
    // has not ended after a grace period, or at once on a second Stop.
    void Stop();
    void SendInput(const QByteArray& bytes);
    void EndInput();

    // How a run ended, as the window says it: "Exited with status 0 after 1.2 s".
    static QString EndText(const ProgramEnd& end);

Q_SIGNALS:
    void RunningChanged(bool running);
    void Ended(const QString& text);

private:
    void OutputReady(const QByteArray& bytes);
    void ProgramFinished(const ProgramEnd& end);
    void SizeInCellsChanged(int columns, int rows);

    OutputView& output_;
    std::unique_ptr<TerminalProcess> process_;
};
