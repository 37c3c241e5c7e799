#include "tests/document/ChildProcess.h"

#include <sys/types.h>
#include <sys/wait.h>
#include <unistd.h>

std::pair<int, std::string> InChild(const std::function<std::string()>& work)
{
    int channel[2];
    if (::pipe(channel) != 0)
        return {-1, {}};
    const pid_t child = ::fork();
    if (child < 0) {
        ::close(channel[0]);
        ::close(channel[1]);
        return {-1, {}};
    }
    if (child == 0) {
        ::close(channel[0]);
        const std::string report = work();
        const bool sent = ::write(channel[1], report.data(), report.size()) ==
                          static_cast<ssize_t>(report.size());
        ::_exit(sent ? 0 : 1);
    }
    ::close(channel[1]);
    std::string report;
    char buffer[256];
    for (ssize_t n; (n = ::read(channel[0], buffer, sizeof buffer)) > 0;)
        report.append(buffer, static_cast<std::size_t>(n));
    ::close(channel[0]);
    int status = 0;
    ::waitpid(child, &status, 0);
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, report};
}
