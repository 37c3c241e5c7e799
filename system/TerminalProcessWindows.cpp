#include "system/TerminalProcess.h"

#include <QElapsedTimer>
#include <QProcess>
#include <QProcessEnvironment>
#include <QTimer>

// Windows: no pseudo-terminal. The program's output and errors come merged
// through one pipe, its input is a pipe, and there is no process group to
// interrupt: a Stop asks the program to close and kills it after the grace.

namespace {

constexpr int GraceMs = 3000;
constexpr int KillWaitMs = 1000;

QString Text(const std::string& bytes)
{
    return QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
}

} // namespace

class TerminalProcess::Backend
{
public:
    QProcess process;
    QTimer grace;
    QElapsedTimer clock;
    bool running = false;
    bool stopping = false;
};

TerminalProcess::TerminalProcess(QObject* parent)
    : QObject(parent), backend_(std::make_unique<Backend>())
{
    QProcess& process = backend_->process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    connect(&process, &QProcess::readyReadStandardOutput, this,
            [this] { Q_EMIT OutputReady(backend_->process.readAllStandardOutput()); });
    connect(&process, &QProcess::finished, this, [this](int exitCode, QProcess::ExitStatus status) {
        backend_->grace.stop();
        const QByteArray rest = backend_->process.readAllStandardOutput();
        if (!rest.isEmpty())
            Q_EMIT OutputReady(rest);
        ProgramEnd end;
        end.signalled = status == QProcess::CrashExit;
        end.exitStatus = exitCode;
        end.elapsedMs = backend_->clock.elapsed();
        backend_->running = false;
        Q_EMIT Finished(end);
    });
    backend_->grace.setSingleShot(true);
    backend_->grace.setInterval(GraceMs);
    connect(&backend_->grace, &QTimer::timeout, &process, &QProcess::kill);
}

TerminalProcess::~TerminalProcess()
{
    QProcess& process = backend_->process;
    process.disconnect(this);
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished(KillWaitMs);
    }
}

bool TerminalProcess::Start(const std::string& program, const std::vector<std::string>& arguments,
                            const std::string& workingFolder,
                            const std::vector<std::pair<std::string, std::string>>& environment,
                            QString* error)
{
    if (backend_->running) {
        *error = QStringLiteral("A program is already running.");
        return false;
    }
    QProcess& process = backend_->process;
    QStringList argumentTexts;
    for (const std::string& argument : arguments)
        argumentTexts.append(Text(argument));
    QProcessEnvironment variables = QProcessEnvironment::systemEnvironment();
    for (const auto& [name, value] : environment)
        variables.insert(Text(name), Text(value));
    process.setProcessEnvironment(variables);
    process.setWorkingDirectory(Text(workingFolder));
    backend_->stopping = false;
    backend_->clock.start();
    process.start(Text(program), argumentTexts);
    if (!process.waitForStarted()) {
        *error = process.errorString();
        return false;
    }
    backend_->running = true;
    return true;
}

bool TerminalProcess::IsRunning() const
{
    return backend_->running;
}

void TerminalProcess::Write(const QByteArray& bytes)
{
    backend_->process.write(bytes);
}

void TerminalProcess::EndInput()
{
    backend_->process.closeWriteChannel();
}

void TerminalProcess::Interrupt()
{
    if (!backend_->running)
        return;
    if (backend_->stopping) {
        backend_->process.kill();
        return;
    }
    backend_->stopping = true;
    backend_->process.terminate();
    backend_->grace.start();
}

void TerminalProcess::Kill()
{
    if (!backend_->running)
        return;
    backend_->process.kill();
    backend_->process.waitForFinished(KillWaitMs);
}

void TerminalProcess::SetTerminalSize(int, int)
{
    // Pipes have no size.
}
