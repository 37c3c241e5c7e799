#pragma once

#include <QString>
#include <string>
#include <sys/types.h>
#include <utility>
#include <vector>

// What the POSIX ways of running a program share: starting it with its
// arguments as bytes in a session of its own, its environment, and waiting
// for its end.

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
    ~Descriptor();

    int Get() const { return fd_; }
    bool IsOpen() const { return fd_ >= 0; }

private:
    int fd_ = -1;
};

// How a child is started. Strings are bytes, passed to the system unchanged.
struct ChildLaunch
{
    std::string program;                  // used as given: no search path
    std::vector<std::string> arguments;   // argv[1..]; argv[0] is the program
    std::string workingFolder;            // empty: this process's own
    std::vector<std::string> environment; // all of it, as NAME=value
    int standard[3] = {-1, -1, -1};       // become its standard input, output and error
    bool takeTerminal = false;            // standard input is a terminal to control it by
};

// Forks and execs a child that leads a new session, and so a process group
// whose id is its pid. 0 once exec has succeeded, with the child in *pid;
// otherwise the reason (an errno value), the child reaped.
int LaunchChild(const ChildLaunch& launch, pid_t* pid);

// This process's environment with each (name, value) set; later ones replace.
std::vector<std::string>
ChildEnvironment(const std::vector<std::pair<std::string, std::string>>& changes);

// A descriptor that becomes readable when the process ends; not open where
// the system has none, when the caller has to poll.
Descriptor ProcessEndDescriptor(pid_t pid);

// Waits at most timeoutMs for the process to end, without reaping it.
void AwaitExit(pid_t pid, int timeoutMs);

// The system's words for an errno value.
QString ReasonText(int reason);
