#pragma once

#include "system/ProgramEnd.h"

#include <QString>
#include <cstddef>
#include <string>
#include <utility>
#include <vector>

// A program run to its end, or stopped at a bound, for what it prints.
struct CapturedRun
{
    enum class Outcome
    {
        Finished,   // it ended by itself
        NotStarted, // reason says why
        TimedOut,   // stopped at the time limit
        TooMuch     // stopped when it printed more than the output limit
    };
    Outcome outcome = Outcome::NotStarted;
    ProgramEnd end;     // when Finished
    std::string output; // standard output, as read
    std::string errors; // standard error, as read
    QString reason;     // when NotStarted, in the system's words
};

struct RunLimits
{
    int timeMs = 0;
    std::size_t outputBytes = 0; // standard output and error together
};

// Runs program (a path, used as given: no search path) with the arguments
// (argv[1..]) in workingFolder, with this process's environment plus
// `environment` (NAME -> value; replaces), standard input empty, and waits
// for its end within the limits. Strings are bytes. The program leads a
// session of its own; when the run ends, whatever is left in its process
// group is killed. Blocks for at most about timeMs.
CapturedRun RunCaptured(const std::string& program, const std::vector<std::string>& arguments,
                        const std::string& workingFolder,
                        const std::vector<std::pair<std::string, std::string>>& environment,
                        const RunLimits& limits);
