#include "system/ChildProcessPosix.h"

#include <QDeadlineTimer>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <fcntl.h>
#include <pthread.h>
#include <sys/ioctl.h>
#include <sys/syscall.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// Everything the child needs, made before fork: after it, the child may only
// make async-signal-safe calls.
struct ChildPlan
{
    const char* program;
    char* const* argv;
    char* const* envp;
    const char* folder; // nullptr: the parent's own
    const int* standard;
    bool takeTerminal;
    int report; // the write end of a close-on-exec pipe for the reason exec failed
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

// What the parent ignores or blocks is no business of the program's.
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
    // All moved above 0 to 2 first, in case the parent runs without standard
    // descriptors and got them there.
    const int report = ::fcntl(plan.report, F_DUPFD_CLOEXEC, 3);
    if (report < 0)
        FailChild(plan.report);
    int standard[3];
    for (int index = 0; index < 3; ++index) {
        standard[index] = ::fcntl(plan.standard[index], F_DUPFD_CLOEXEC, 3);
        if (standard[index] < 0)
            FailChild(report);
    }
    if (::setsid() < 0 || (plan.takeTerminal && ::ioctl(standard[0], TIOCSCTTY, 0) < 0))
        FailChild(report);
    for (int index = 0; index < 3; ++index) {
        if (::dup2(standard[index], index) < 0)
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
std::vector<char*> CStrings(const std::vector<std::string>& strings)
{
    std::vector<char*> pointers;
    pointers.reserve(strings.size() + 1);
    for (const std::string& text : strings)
        pointers.push_back(const_cast<char*>(text.c_str())); // execve does not write to them
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

} // namespace

Descriptor::~Descriptor()
{
    if (fd_ >= 0)
        ::close(fd_);
}

int LaunchChild(const ChildLaunch& launch, pid_t* pid)
{
    int pipeEnds[2];
    if (::pipe2(pipeEnds, O_CLOEXEC) != 0)
        return errno;
    const Descriptor reportRead(pipeEnds[0]);
    Descriptor reportWrite(pipeEnds[1]);

    std::vector<std::string> argumentStrings{launch.program};
    argumentStrings.insert(argumentStrings.end(), launch.arguments.begin(), launch.arguments.end());
    const std::vector<char*> argv = CStrings(argumentStrings);
    const std::vector<char*> envp = CStrings(launch.environment);
    const ChildPlan plan{launch.program.c_str(),
                         argv.data(),
                         envp.data(),
                         launch.workingFolder.empty() ? nullptr : launch.workingFolder.c_str(),
                         launch.standard,
                         launch.takeTerminal,
                         reportWrite.Get(),
                         ::sysconf(_SC_OPEN_MAX)};

    // No handler of the parent's may run in the child before it resets them.
    sigset_t all;
    sigset_t previous;
    ::sigfillset(&all);
    ::pthread_sigmask(SIG_SETMASK, &all, &previous);
    const pid_t child = ::fork();
    if (child == 0)
        RunChild(plan);
    const int forkFailure = errno;
    ::pthread_sigmask(SIG_SETMASK, &previous, nullptr);
    if (child < 0)
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
        ::waitpid(child, nullptr, 0);
        return reason;
    }
    *pid = child;
    return 0;
}

std::vector<std::string>
ChildEnvironment(const std::vector<std::pair<std::string, std::string>>& changes)
{
    std::vector<std::string> variables;
    for (char** variable = environ; *variable; ++variable)
        variables.emplace_back(*variable);
    for (const auto& [name, value] : changes)
        SetVariable(variables, name, value);
    return variables;
}

Descriptor ProcessEndDescriptor([[maybe_unused]] pid_t pid)
{
#ifdef SYS_pidfd_open
    return Descriptor(static_cast<int>(::syscall(SYS_pidfd_open, pid, 0)));
#else
    return Descriptor();
#endif
}

void AwaitExit(pid_t pid, int timeoutMs)
{
    const QDeadlineTimer deadline(timeoutMs);
    siginfo_t info = {};
    while (::waitid(P_PID, static_cast<id_t>(pid), &info, WEXITED | WNOHANG | WNOWAIT) == 0 &&
           info.si_pid == 0 && !deadline.hasExpired())
        ::usleep(1000);
}

QString ReasonText(int reason)
{
    return QString::fromLocal8Bit(std::strerror(reason));
}
