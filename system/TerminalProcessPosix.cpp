#include "system/ChildProcessPosix.h"
#include "system/TerminalProcess.h"

#include <QElapsedTimer>
#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <fcntl.h>
#include <iterator>
#include <sys/ioctl.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

namespace {

constexpr qsizetype ReadChunk = 64 * 1024;
// The most read at one time: per notification while the program runs, so
// that a flood of output leaves the event loop free between reads, and after
// its end, where it is far more than a terminal holds and a bound against
// processes left behind that keep writing.
constexpr qsizetype ReadBudget = 1024 * 1024;
constexpr int GraceMs = 3000;
constexpr int ExitPollMs = 20;
// How long the end of a killed program is waited for before going on.
constexpr int KillWaitMs = 1000;
constexpr unsigned short DefaultColumns = 80;
constexpr unsigned short DefaultRows = 24;

// The output pane understands colours, and no pager may wait for keys while
// its output is shown in a window; the caller's environment may say otherwise.
std::vector<std::string>
TerminalEnvironment(const std::vector<std::pair<std::string, std::string>>& changes)
{
    std::vector<std::pair<std::string, std::string>> variables{
        {"TERM", "xterm-256color"}, {"PAGER", "cat"}, {"GIT_PAGER", "cat"}};
    variables.insert(variables.end(), changes.begin(), changes.end());
    return ChildEnvironment(variables);
}

} // namespace

// A run under a pseudo-terminal: the program leads a session of its own with
// the terminal's slave side as its controlling terminal and standard
// descriptors; the launcher holds the master side.
//
// The ended program is reaped only when its process group no longer matters
// (after a Stop, at the next Start, on destruction): until then the zombie
// keeps its pid, and so its process group id, from being reused, and the
// group can be killed without hitting anyone else's.
class TerminalProcess::Backend
{
public:
    explicit Backend(TerminalProcess& owner);
    ~Backend() { Release(); }
    Backend(const Backend&) = delete;
    Backend& operator=(const Backend&) = delete;

    bool Start(const std::string& program, const std::vector<std::string>& arguments,
               const std::string& workingFolder,
               const std::vector<std::pair<std::string, std::string>>& environment, QString* error);
    bool IsRunning() const { return running_; }
    void Write(const QByteArray& bytes);
    void EndInput();
    void Interrupt();
    void Kill();
    void SetTerminalSize(int columns, int rows);

private:
    bool ProgramAlive() const { return running_ && !exited_; }
    // Each gives 0 or the reason it failed.
    int OpenTerminal(Descriptor& slave);
    int Launch(const std::string& program, const std::vector<std::string>& arguments,
               const std::string& workingFolder,
               const std::vector<std::pair<std::string, std::string>>& environment);
    void Watch();
    void ApplyTerminalSize();
    void ReadOutput();
    // Reads what the terminal has, up to limit; true when every slave side is closed.
    bool ReadInto(QByteArray& bytes, qsizetype limit);
    void Queue(const QByteArray& bytes);
    void WriteQueued();
    void SignalGroups(int signal);
    void WaitForExit();
    void CheckExit();
    void Finish(const ProgramEnd& end);
    // Kills what is left of the last run's process group and reaps its program.
    void EndGroup();
    void Release();

    TerminalProcess& owner_;
    unsigned short columns_ = DefaultColumns;
    unsigned short rows_ = DefaultRows;
    Descriptor master_;
    Descriptor pidfd_;
    pid_t child_ = 0;      // the last run's program, until reaped
    pid_t foreground_ = 0; // a process group of its own the program put in the foreground
    bool running_ = false;
    bool exited_ = false;
    bool stopping_ = false;
    bool atLineStart_ = true; // of the input written
    QByteArray input_;        // written, not yet taken by the terminal
    QElapsedTimer clock_;
    std::unique_ptr<QSocketNotifier> output_;
    std::unique_ptr<QSocketNotifier> inputSpace_;
    std::unique_ptr<QSocketNotifier> exit_;
    QTimer exitPoll_; // where the system cannot notify the program's end
    QTimer grace_;
    std::vector<char> buffer_ = std::vector<char>(ReadChunk);
};

TerminalProcess::Backend::Backend(TerminalProcess& owner) : owner_(owner)
{
    exitPoll_.setInterval(ExitPollMs);
    QObject::connect(&exitPoll_, &QTimer::timeout, [this] { CheckExit(); });
    grace_.setSingleShot(true);
    grace_.setInterval(GraceMs);
    QObject::connect(&grace_, &QTimer::timeout, [this] { SignalGroups(SIGKILL); });
}

bool TerminalProcess::Backend::Start(
    const std::string& program, const std::vector<std::string>& arguments,
    const std::string& workingFolder,
    const std::vector<std::pair<std::string, std::string>>& environment, QString* error)
{
    if (running_) {
        *error = QStringLiteral("A program is already running.");
        return false;
    }
    Release();
    const int failure = Launch(program, arguments, workingFolder, environment);
    if (failure != 0) {
        Release();
        *error = ReasonText(failure);
        return false;
    }
    running_ = true;
    exited_ = false;
    stopping_ = false;
    atLineStart_ = true;
    Watch();
    return true;
}

int TerminalProcess::Backend::OpenTerminal(Descriptor& slave)
{
    master_ = Descriptor(::posix_openpt(O_RDWR | O_NOCTTY | O_CLOEXEC));
    char name[128];
    if (!master_.IsOpen() || ::grantpt(master_.Get()) != 0 || ::unlockpt(master_.Get()) != 0 ||
        ::ptsname_r(master_.Get(), name, sizeof name) != 0)
        return errno;
    slave = Descriptor(::open(name, O_RDWR | O_NOCTTY | O_CLOEXEC));
    if (!slave.IsOpen())
        return errno;
    // Output as the program writes it: the output pane takes a line feed
    // as the end of a line, and the kernel's translation of each one into
    // CR LF would cost most of the time of a program that writes much.
    termios settings = {};
    if (::tcgetattr(slave.Get(), &settings) != 0)
        return errno;
    settings.c_oflag &= ~static_cast<tcflag_t>(OPOST);
    if (::tcsetattr(slave.Get(), TCSANOW, &settings) != 0)
        return errno;
    const int flags = ::fcntl(master_.Get(), F_GETFL);
    if (flags < 0 || ::fcntl(master_.Get(), F_SETFL, flags | O_NONBLOCK) != 0)
        return errno;
    ApplyTerminalSize();
    return 0;
}

int TerminalProcess::Backend::Launch(
    const std::string& program, const std::vector<std::string>& arguments,
    const std::string& workingFolder,
    const std::vector<std::pair<std::string, std::string>>& environment)
{
    Descriptor slave;
    if (const int failure = OpenTerminal(slave))
        return failure;
    ChildLaunch launch;
    launch.program = program;
    launch.arguments = arguments;
    launch.workingFolder = workingFolder;
    launch.environment = TerminalEnvironment(environment);
    std::fill(std::begin(launch.standard), std::end(launch.standard), slave.Get());
    launch.takeTerminal = true;
    clock_.start();
    return LaunchChild(launch, &child_);
}

void TerminalProcess::Backend::Watch()
{
    output_ = std::make_unique<QSocketNotifier>(master_.Get(), QSocketNotifier::Read);
    QObject::connect(output_.get(), &QSocketNotifier::activated, [this] { ReadOutput(); });
    inputSpace_ = std::make_unique<QSocketNotifier>(master_.Get(), QSocketNotifier::Write);
    inputSpace_->setEnabled(false);
    QObject::connect(inputSpace_.get(), &QSocketNotifier::activated, [this] { WriteQueued(); });
    pidfd_ = ProcessEndDescriptor(child_);
    if (!pidfd_.IsOpen()) {
        exitPoll_.start();
        return;
    }
    exit_ = std::make_unique<QSocketNotifier>(pidfd_.Get(), QSocketNotifier::Read);
    QObject::connect(exit_.get(), &QSocketNotifier::activated, [this] { CheckExit(); });
}

void TerminalProcess::Backend::SetTerminalSize(int columns, int rows)
{
    columns_ = static_cast<unsigned short>(std::clamp(columns, 1, 0xFFFF));
    rows_ = static_cast<unsigned short>(std::clamp(rows, 1, 0xFFFF));
    ApplyTerminalSize();
}

void TerminalProcess::Backend::ApplyTerminalSize()
{
    if (!master_.IsOpen())
        return;
    winsize size = {};
    size.ws_col = columns_;
    size.ws_row = rows_;
    ::ioctl(master_.Get(), TIOCSWINSZ, &size); // tells the foreground group with SIGWINCH
}

void TerminalProcess::Backend::ReadOutput()
{
    QByteArray bytes;
    if (ReadInto(bytes, ReadBudget))
        output_->setEnabled(false);
    // After the end, what processes left behind write is read only so that
    // they do not block on a full terminal.
    if (ProgramAlive() && !bytes.isEmpty())
        Q_EMIT owner_.OutputReady(bytes);
}

bool TerminalProcess::Backend::ReadInto(QByteArray& bytes, qsizetype limit)
{
    while (bytes.size() < limit) {
        const ssize_t got = ::read(master_.Get(), buffer_.data(), buffer_.size());
        if (got > 0) {
            bytes.append(buffer_.data(), got);
            continue;
        }
        if (got < 0 && errno == EINTR)
            continue;
        return !(got < 0 && errno == EAGAIN); // EIO: no slave side open
    }
    return false;
}

void TerminalProcess::Backend::Write(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return;
    Queue(bytes);
    atLineStart_ = bytes.endsWith('\n') || bytes.endsWith('\r');
}

void TerminalProcess::Backend::EndInput()
{
    // The terminal hands a line with text over at the first end-of-file
    // character and reads a second one on an empty line as the end.
    termios settings = {};
    const char endOfFile = ::tcgetattr(master_.Get(), &settings) == 0
                               ? static_cast<char>(settings.c_cc[VEOF])
                               : '\x04';
    Queue(QByteArray(atLineStart_ ? 1 : 2, endOfFile));
    atLineStart_ = true;
}

void TerminalProcess::Backend::Queue(const QByteArray& bytes)
{
    if (!ProgramAlive())
        return;
    input_ += bytes;
    WriteQueued();
}

void TerminalProcess::Backend::WriteQueued()
{
    qsizetype written = 0;
    while (written < input_.size()) {
        const ssize_t put = ::write(master_.Get(), input_.constData() + written,
                                    static_cast<std::size_t>(input_.size() - written));
        if (put > 0)
            written += put;
        else if (put < 0 && errno == EAGAIN)
            break;
        else if (!(put < 0 && errno == EINTR))
            written = input_.size(); // the terminal is gone: nobody reads the rest
    }
    input_.remove(0, written);
    inputSpace_->setEnabled(!input_.isEmpty());
}

void TerminalProcess::Backend::Interrupt()
{
    if (!ProgramAlive())
        return;
    if (stopping_) {
        SignalGroups(SIGKILL);
        return;
    }
    stopping_ = true;
    SignalGroups(SIGINT);
    grace_.start();
}

void TerminalProcess::Backend::Kill()
{
    if (!ProgramAlive())
        return;
    stopping_ = true;
    SignalGroups(SIGKILL);
    WaitForExit();
    CheckExit();
}

void TerminalProcess::Backend::SignalGroups(int signal)
{
    if (child_ <= 0) // kill(0, ...) would signal the launcher's own group
        return;
    // A shell with job control runs its jobs in groups of their own. The one
    // in the foreground is remembered: the terminal forgets it when the
    // program ends, and it may outlive the program.
    const pid_t foreground = ::tcgetpgrp(master_.Get());
    if (foreground > 0 && foreground != child_)
        foreground_ = foreground;
    ::kill(-child_, signal);
    if (foreground_ > 0)
        ::kill(-foreground_, signal);
}

void TerminalProcess::Backend::WaitForExit()
{
    AwaitExit(child_, KillWaitMs);
}

void TerminalProcess::Backend::CheckExit()
{
    siginfo_t info = {};
    const int result =
        ::waitid(P_PID, static_cast<id_t>(child_), &info, WEXITED | WNOHANG | WNOWAIT);
    if (result == 0 ? info.si_pid == 0 : errno == EINTR)
        return; // still running
    ProgramEnd end;
    end.elapsedMs = clock_.elapsed();
    if (result != 0) {
        // Reaped by another part of the process: the status is lost and
        // the pid is no longer ours to signal.
        end.exitStatus = -1;
        child_ = 0;
    } else {
        end.signalled = info.si_code != CLD_EXITED;
        end.exitStatus = info.si_status;
    }
    Finish(end);
}

void TerminalProcess::Backend::Finish(const ProgramEnd& end)
{
    exited_ = true;
    if (exit_)
        exit_->setEnabled(false);
    exitPoll_.stop();
    grace_.stop();
    input_.clear();
    inputSpace_->setEnabled(false);
    // What the program wrote before it ended is in the terminal by now;
    // processes it left behind holding the terminal are not waited for.
    QByteArray rest;
    if (output_->isEnabled() && ReadInto(rest, ReadBudget))
        output_->setEnabled(false);
    if (stopping_) // nothing started may outlive a Stop
        EndGroup();
    if (!rest.isEmpty())
        Q_EMIT owner_.OutputReady(rest);
    running_ = false;
    Q_EMIT owner_.Finished(end);
}

void TerminalProcess::Backend::EndGroup()
{
    if (child_ > 0) {
        SignalGroups(SIGKILL);
        if (!exited_)
            WaitForExit();
        ::waitpid(child_, nullptr, WNOHANG);
    }
    child_ = 0;
    foreground_ = 0;
}

void TerminalProcess::Backend::Release()
{
    EndGroup();
    output_.reset();
    inputSpace_.reset();
    exit_.reset();
    exitPoll_.stop();
    grace_.stop();
    pidfd_ = Descriptor();
    master_ = Descriptor();
    input_.clear();
    running_ = false;
}

TerminalProcess::TerminalProcess(QObject* parent)
    : QObject(parent), backend_(std::make_unique<Backend>(*this))
{
}

TerminalProcess::~TerminalProcess() = default;

bool TerminalProcess::Start(const std::string& program, const std::vector<std::string>& arguments,
                            const std::string& workingFolder,
                            const std::vector<std::pair<std::string, std::string>>& environment,
                            QString* error)
{
    return backend_->Start(program, arguments, workingFolder, environment, error);
}

bool TerminalProcess::IsRunning() const
{
    return backend_->IsRunning();
}

void TerminalProcess::Write(const QByteArray& bytes)
{
    backend_->Write(bytes);
}

void TerminalProcess::EndInput()
{
    backend_->EndInput();
}

void TerminalProcess::Interrupt()
{
    backend_->Interrupt();
}

void TerminalProcess::Kill()
{
    backend_->Kill();
}

void TerminalProcess::SetTerminalSize(int columns, int rows)
{
    backend_->SetTerminalSize(columns, rows);
}
