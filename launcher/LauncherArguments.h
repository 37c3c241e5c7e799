#pragma once

#include <functional>
#include <string>
#include <vector>

// What the launcher was asked to do by its command line and by the name it
// was started under.
struct LauncherArguments
{
    enum class Mode
    {
        Window,      // open the definition's window
        DryRun,      // print the command Run would start
        PassThrough, // a copy in a program's place, without a display: run the program
        Help,
        Version,
        Usage, // no file: the usage on standard error
    };

    Mode mode = Mode::Usage;
    std::string definitionPath;         // absolute
    std::string namedFile;              // the file named, absolute; empty for a copy
    std::vector<std::string> arguments; // the ARGs
};

// argv as the system gave it. Under the launcher's own name the first
// argument chooses the mode; under any other name (a copy that hiding put in
// a program's place) the definition lies beside the copy and every argument
// is an ARG. findInSearchPath finds a copy started by a bare name;
// ownExecutable is this process's file.
LauncherArguments
ParseLauncherArguments(const std::vector<std::string>& argv, const std::string& ownExecutable,
                       bool hasDisplay,
                       const std::function<std::string(const std::string&)>& findInSearchPath);
