#include "system/CapturedRun.h"
#include "system/ChildProcessPosix.h"

#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <algorithm>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// How often the program's end is looked for where the system cannot tell it.
constexpr int ExitPollMs = 20;
// How long the end of a killed program is waited for before going on.
constexpr int KillWaitMs = 1000;
constexpr std::size_t ReadChunk = 64 * 1024;

// A pipe whose read end does not block; 0 or the reason it failed.
int OpenPipe(Descriptor& readEnd, Descriptor& writeEnd)
{
    int ends[2];
    if (::pipe2(ends, O_CLOEXEC) != 0)
        return errno;
    readEnd = Descriptor(ends[0]);
    writeEnd = Descriptor(ends[1]);
    const int flags = ::fcntl(readEnd.Get(), F_GETFL);
    if (flags < 0 || ::fcntl(readEnd.Get(), F_SETFL, flags | O_NONBLOCK) != 0)
        return errno;
    return 0;
}

// One run: the program, its two output pipes and what came through them.
// The program is reaped only after its group has been killed: until then its
// zombie keeps the group's id from being reused.
class Capture
{
public:
    Capture(CapturedRun& run, std::size_t limit) : run_(run), limit_(limit) {}
    ~Capture() { Stop(); }
    Capture(const Capture&) = delete;
    Capture& operator=(const Capture&) = delete;

    // 0 or the reason the program could not be started.
    int Start(ChildLaunch launch);
    void Follow(int timeMs);

private:
    std::size_t Total() const { return run_.output.size() + run_.errors.size(); }
    // Reads what the pipes hold, up to one byte past the limit.
    void ReadAvailable();
    void Read(Descriptor& pipe, std::string& text);
    void WaitForEvent(const QDeadlineTimer& deadline);
    bool HasEnded();
    // Kills what is left of the program's process group and reaps the program.
    void Stop();

    CapturedRun& run_;
    const std::size_t limit_;
    pid_t pid_ = 0; // until reaped
    bool ended_ = false;
    Descriptor output_;
    Descriptor errors_;
    Descriptor end_;
    QElapsedTimer clock_;
};

int Capture::Start(ChildLaunch launch)
{
    const Descriptor input(::open("/dev/null", O_RDONLY | O_CLOEXEC));
    if (!input.IsOpen())
        return errno;
    Descriptor outputWrite;
    Descriptor errorsWrite;
    if (const int failure = OpenPipe(output_, outputWrite))
        return failure;
    if (const int failure = OpenPipe(errors_, errorsWrite))
        return failure;
    launch.standard[0] = input.Get();
    launch.standard[1] = outputWrite.Get();
    launch.standard[2] = errorsWrite.Get();
    clock_.start();
    if (const int failure = LaunchChild(launch, &pid_))
        return failure;
    end_ = ProcessEndDescriptor(pid_);
    return 0; // the write ends close here: the pipes end when the program's copies do
}

void Capture::Follow(int timeMs)
{
    const QDeadlineTimer deadline(timeMs);
    for (;;) {
        ReadAvailable();
        if (Total() > limit_) {
            run_.outcome = CapturedRun::Outcome::TooMuch;
            break;
        }
        if (HasEnded()) {
            // What it wrote is in the pipes by now; what it left running is
            // not waited for.
            Stop();
            ReadAvailable();
            run_.outcome =
                Total() > limit_ ? CapturedRun::Outcome::TooMuch : CapturedRun::Outcome::Finished;
            break;
        }
        if (deadline.hasExpired()) {
            run_.outcome = CapturedRun::Outcome::TimedOut;
            break;
        }
        WaitForEvent(deadline);
    }
    Stop();
}

void Capture::ReadAvailable()
{
    Read(output_, run_.output);
    Read(errors_, run_.errors);
}

void Capture::Read(Descriptor& pipe, std::string& text)
{
    char buffer[ReadChunk];
    while (pipe.IsOpen() && Total() <= limit_) {
        const std::size_t wanted = std::min(sizeof buffer, limit_ + 1 - Total());
        const ssize_t got = ::read(pipe.Get(), buffer, wanted);
        if (got > 0)
            text.append(buffer, static_cast<std::size_t>(got));
        else if (got < 0 && errno == EAGAIN)
            return;
        else if (!(got < 0 && errno == EINTR))
            pipe = Descriptor(); // its end, or nothing more to be had from it
    }
}

void Capture::WaitForEvent(const QDeadlineTimer& deadline)
{
    pollfd watched[3] = {
        {output_.Get(), POLLIN, 0}, {errors_.Get(), POLLIN, 0}, {end_.Get(), POLLIN, 0}};
    // A negative descriptor is passed over; a closed pipe is already negative.
    const int remaining = static_cast<int>(std::max<qint64>(deadline.remainingTime(), 0));
    ::poll(watched, 3, end_.IsOpen() ? remaining : std::min(remaining, ExitPollMs));
}

bool Capture::HasEnded()
{
    siginfo_t info = {};
    const int result = ::waitid(P_PID, static_cast<id_t>(pid_), &info, WEXITED | WNOHANG | WNOWAIT);
    if (result == 0 ? info.si_pid == 0 : errno == EINTR)
        return false;
    run_.end.elapsedMs = clock_.elapsed();
    if (result != 0) {
        // Reaped by another part of the process: the status is lost and the
        // pid is no longer ours to signal.
        run_.end.exitStatus = -1;
        pid_ = 0;
    } else {
        run_.end.signalled = info.si_code != CLD_EXITED;
        run_.end.exitStatus = info.si_status;
    }
    ended_ = true;
    return true;
}

void Capture::Stop()
{
    if (pid_ <= 0) // kill(0, ...) would signal this process's own group
        return;
    ::kill(-pid_, SIGKILL);
    if (!ended_)
        AwaitExit(pid_, KillWaitMs);
    ::waitpid(pid_, nullptr, WNOHANG);
    pid_ = 0;
}

} // namespace

CapturedRun RunCaptured(const std::string& program, const std::vector<std::string>& arguments,
                        const std::string& workingFolder,
                        const std::vector<std::pair<std::string, std::string>>& environment,
                        const RunLimits& limits)
{
    CapturedRun run;
    Capture capture(run, limits.outputBytes);
    ChildLaunch launch;
    launch.program = program;
    launch.arguments = arguments;
    launch.workingFolder = workingFolder;
    launch.environment = ChildEnvironment(environment);
    if (const int failure = capture.Start(std::move(launch))) {
        run.reason = ReasonText(failure);
        return run;
    }
    capture.Follow(limits.timeMs);
    return run;
}
