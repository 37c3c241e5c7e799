#pragma once

#include "document/Def.h"
#include "document/LaunchValues.h"
#include "document/ShellQuoting.h"

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

// What the rules need to know of the system a definition runs on.
struct LaunchContext
{
    std::string definitionFolder; // absolute, with its final separator
    std::string currentFolder;    // the launcher's own, absolute
    ShellSyntax syntax = ShellSyntax::Posix;
    // "* /C" in the Shell field: the platform's shell and its command switch.
    std::vector<std::string> defaultShell = {"/bin/sh", "-c"};
    // Added to a Shell field that names only a program.
    std::string shellCommandSwitch = "-c";
    // The path of a program named without a folder, from the search path;
    // empty when there is none.
    std::function<std::string(const std::string& name)> findInSearchPath;
    std::function<bool(const std::string& path)> isFile;
    std::function<bool(const std::string& path)> isFolder;
};

// A program as Run starts it.
struct CommandLine
{
    std::string program;                // as the system finds it; as written when it cannot
    std::vector<std::string> arguments; // after the program
    std::string workingFolder;          // empty: the launcher's own current folder
};

// Why Run cannot start; empty lists and None when it can.
struct LaunchProblems
{
    enum class Program
    {
        None,
        NotSet,
        NotFound
    };
    Program program = Program::None;
    std::string missingShell;                  // the shell as written, when it cannot be found
    std::string missingFolder;                 // the working folder, when it is no folder
    std::vector<std::size_t> missingMandatory; // options that must have a value
    std::vector<std::size_t> unclosedQuotes;   // options whose Format has an unclosed quote

    bool Any() const
    {
        return program != Program::None || !missingShell.empty() || !missingFolder.empty() ||
               !missingMandatory.empty() || !unclosedQuotes.empty();
    }
};

struct LaunchPlan
{
    CommandLine command;
    LaunchProblems problems;
};

// The path of a program as Run finds it: a name without a folder on the
// search path, any other relative path from the definition's folder; empty
// when it cannot be found.
std::string FindProgram(const std::string& name, const LaunchContext& context);

// The command a definition runs with the given values: the program, each
// option's words in list order, then the extra arguments; through the
// Shell field's shell when there is one. Values are never split or
// interpreted: each is one word, or quoted for the shell.
LaunchPlan PlanLaunch(const CDef& def, const LaunchValues& values, const LaunchContext& context);

// The command as one line for a POSIX shell, with "cd DIR && " before it
// when it runs in a folder of its own.
std::string CommandText(const CommandLine& command);
