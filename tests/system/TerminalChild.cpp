// Run by TerminalProcessTest. "live": prints a line, waits for a line of
// input, prints the terminal's size. "report ARGS...": prints how it was
// started. Output is left to stdio: line by line on a terminal, in blocks on
// a pipe.

#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <string>
#include <sys/ioctl.h>
#include <termios.h>
#include <unistd.h>

namespace {

std::string Hex(const std::string& bytes)
{
    std::string text;
    for (const unsigned char byte : bytes) {
        text += "0123456789abcdef"[byte >> 4];
        text += "0123456789abcdef"[byte & 15];
    }
    return text;
}

std::string Variable(const char* name)
{
    const char* value = std::getenv(name);
    return value ? value : "-";
}

void PrintSize()
{
    winsize size = {};
    ::ioctl(STDIN_FILENO, TIOCGWINSZ, &size);
    std::printf("size %dx%d\n", size.ws_col, size.ws_row);
}

bool SignalsByDefault()
{
    sigset_t blocked;
    ::sigprocmask(SIG_SETMASK, nullptr, &blocked);
    for (const int signal : {SIGINT, SIGPIPE, SIGUSR1}) {
        struct sigaction action = {};
        ::sigaction(signal, nullptr, &action);
        if (action.sa_handler != SIG_DFL || ::sigismember(&blocked, signal))
            return false;
    }
    return true;
}

void Report(int argc, char** argv)
{
    std::printf("tty %d%d%d\n", ::isatty(STDIN_FILENO), ::isatty(STDOUT_FILENO),
                ::isatty(STDERR_FILENO));
    std::printf("leader %d\n", ::tcgetsid(STDIN_FILENO) == ::getpid());
    std::printf("term %s\n", Variable("TERM").c_str());
    std::printf("pagers %s %s\n", Variable("PAGER").c_str(), Variable("GIT_PAGER").c_str());
    std::printf("value %s\n", Hex(Variable("QUARN_VALUE")).c_str());
    char folder[4096];
    std::printf("folder %s\n", Hex(::getcwd(folder, sizeof folder) ? folder : "-").c_str());
    for (int i = 2; i < argc; ++i)
        std::printf("argument %s\n", Hex(argv[i]).c_str());
    std::printf("signals %s\n", SignalsByDefault() ? "default" : "changed");
    int descriptors = 0;
    for (int fd = 3; fd < 1024; ++fd)
        descriptors += ::fcntl(fd, F_GETFD) >= 0 ? 1 : 0;
    std::printf("descriptors %d\n", descriptors);
    PrintSize();
}

} // namespace

int main(int argc, char** argv)
{
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "report") {
        Report(argc, argv);
        return 0;
    }
    std::printf("first\n");
    char line[256];
    if (mode != "live" || !std::fgets(line, sizeof line, stdin))
        return 1;
    PrintSize();
    return 0;
}
