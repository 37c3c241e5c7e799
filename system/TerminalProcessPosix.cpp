#include "system/TerminalProcess.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QSocketNotifier>
#include <QTimer>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <pthread.h>
#include <sys/ioctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <termios.h>
#include <unistd.h>

extern char** environ;

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

// An owned file descriptor, closed with its owner.
class Descriptor
{
public:
    Descriptor() = default;
    explicit Descriptor(int fd) : fd_(fd) {}
    Descriptor(Descriptor&& other) noexcept { std::swap(fd_, other.fd_); }
    Descriptor& operator=(Descriptor&& other) noexcept
    {
        std::swap(fd_, other.fd_); // the old one is closed with other
        return *this;
    }
    ~Descriptor()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }

    int Get() const { return fd_; }
    bool IsOpen() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

// Everything the child needs, made before fork: after it, the child may only
// make async-signal-safe calls.
struct ChildPlan
{
    const char* program;
    char* const* argv;
    char* const* envp;
    const char* folder; // nullptr: the launcher's own
    int terminal;       // the pseudo-terminal's slave side
    int report;         // the write end of a close-on-exec pipe for the reason exec failed
    long descriptorLimit;
};

[[noreturn]] void FailChild(int report)
{
    const int reason = errno;
    [[maybe_unused]] const ssize_t written = ::write(report, &reason, sizeof reason);
    ::_exit(127);
}

void CloseOtherDescriptors(int report, long limit)
{
#if defined(SYS_close_range) && defined(CLOSE_RANGE_CLOEXEC)
    // Marked, not closed: report must stay open until exec succeeds.
    if (::syscall(SYS_close_range, 3U, ~0U, CLOSE_RANGE_CLOEXEC) == 0)
        return;
#endif
    for (int fd = 3; fd < limit; ++fd) {
        if (fd != report)
            ::close(fd);
    }
}

// What the launcher ignores or blocks is no business of the program's.
void ResetSignals()
{
    struct sigaction byDefault = {};
    byDefault.sa_handler = SIG_DFL;
    for (int signal = 1; signal < NSIG; ++signal)
        ::sigaction(signal, &byDefault, nullptr); // refused for SIGKILL and SIGSTOP: harmless
    sigset_t none;
    ::sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
}

[[noreturn]] void RunChild(const ChildPlan& plan)
{
    // Both moved above 0 to 2 first, which the terminal takes over, in case
    // the launcher runs without standard descriptors and got them there.
    const int report = ::fcntl(plan.report, F_DUPFD_CLOEXEC, 3);
    if (report < 0)
        FailChild(plan.report);
    const int terminal = ::fcntl(plan.terminal, F_DUPFD_CLOEXEC, 3);
    if (terminal < 0 || ::setsid() < 0 || ::ioctl(terminal, TIOCSCTTY, 0) < 0)
        FailChild(report);
    for (int standard = STDIN_FILENO; standard <= STDERR_FILENO; ++standard) {
        if (::dup2(terminal, standard) < 0)
            FailChild(report);
    }
    if (plan.folder && ::chdir(plan.folder) < 0)
        FailChild(report);
    CloseOtherDescriptors(report, plan.descriptorLimit);
    ResetSignals();
    ::execve(plan.program, plan.argv, plan.envp);
    FailChild(report);
}

// A null-terminated array of the strings, which must outlive it.
std::vector<char*> CStrings(std::vector<std::string>& strings)
{
    std::vector<char*> pointers;
    pointers.reserve(strings.size() + 1);
    for (std::string& text : strings)
        pointers.push_back(text.data());
    pointers.push_back(nullptr);
    return pointers;
}

void SetVariable(std::vector<std::string>& variables, const std::string& name,
                 const std::string& value)
{
    const std::string prefix = name + '=';
    variables.erase(std::remove_if(variables.begin(), variables.end(),
                                   [prefix](const std::string& variable) {
                                       return variable.compare(0, prefix.size(), prefix) == 0;
                                   }),
                    variables.end());
    variables.push_back(prefix + value);
}

std::vector<std::string>
ChildEnvironment(const std::vector<std::pair<std::string, std::string>>& changes)
{
    std::vector<std::string> variables;
    for (char** variable = environ; *variable; ++variable)
        variables.emplace_back(*variable);
    // The output pane understands colours, and no pager may wait for keys
    // while its output is shown in a window.
    SetVariable(variables, "TERM", "xterm-256color");
    SetVariable(variables, "PAGER", "cat");
    SetVariable(variables, "GIT_PAGER", "cat");
    for (const auto& [name, value] : changes)
        SetVariable(variables, name, value);
    return variables;
}

QString ReasonText(int reason)
{
    return QString::fromLocal8Bit(std::strerror(reason));
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
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0)
        return errno;
    const Descriptor reportRead(pipeEnds[0]);
    Descriptor reportWrite(pipeEnds[1]);

    std::vector<std::string> argumentStrings{program};
    argumentStrings.insert(argumentStrings.end(), arguments.begin(), arguments.end());
    std::vector<std::string> variables = ChildEnvironment(environment);
    const std::vector<char*> argv = CStrings(argumentStrings);
    const std::vector<char*> envp = CStrings(variables);
    const ChildPlan plan{program.c_str(),
                         argv.data(),
                         envp.data(),
                         workingFolder.empty() ? nullptr : workingFolder.c_str(),
                         slave.Get(),
                         reportWrite.Get(),
                         ::sysconf(_SC_OPEN_MAX)};

    // No handler of the launcher's may run in the child before it resets them.
    sigset_t all;
    sigset_t previous;
    ::sigfillset(&all);
    ::pthread_sigmask(SIG_SETMASK, &all, &previous);
    clock_.start();
    const pid_t pid = ::fork();
    if (pid == 0)
        RunChild(plan);
    const int forkFailure = errno;
    ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    if (pid < 0)
        return forkFailure;

    // With the parent's write end closed, the pipe reads as empty once exec
    // has closed the child's: anything else is the reason exec failed.
    reportWrite = Descriptor();
    int reason = 0;
    ssize_t got = 0;
    do {
        got = ::read(reportRead.Get(), &reason, sizeof reason);
    } while (got < 0 && errno == EINTR);
    if (got == static_cast<ssize_t>(sizeof reason)) {
        ::waitpid(pid, nullptr, 0);
        return reason;
    }
    child_ = pid;
    return 0;
}

void TerminalProcess::Backend::Watch()
{
    output_ = std::make_unique<QSocketNotifier>(master_.Get(), QSocketNotifier::Read);
    QObject::connect(output_.get(), &QSocketNotifier::activated, [this] { ReadOutput(); });
    inputSpace_ = std::make_unique<QSocketNotifier>(master_.Get(), QSocketNotifier::Write);
    inputSpace_->setEnabled(false);
    QObject::connect(inputSpace_.get(), &QSocketNotifier::activated, [this] { WriteQueued(); });
#ifdef SYS_pidfd_open
    pidfd_ = Descriptor(static_cast<int>(::syscall(SYS_pidfd_open, child_, 0)));
#endif
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
    const QDeadlineTimer deadline(KillWaitMs);
    siginfo_t info = {};
    while (::waitid(P_PID, static_cast<id_t>(child_), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
           info.si_pid == 0 && !deadline.hasExpired())
        ::usleep(1000);
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
