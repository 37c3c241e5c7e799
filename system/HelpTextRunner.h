#pragma once

#include <QString>
#include <string>

// Getting a program's own description of its options, to draft a definition
// from: the text its help option prints, or its manual page.

// The ways to ask a program for help. Only HelpOption is tried on its own:
// -h means something else to some programs.
enum class HelpSource
{
    HelpOption,     // PROGRAM --help
    ShortHelp,      // PROGRAM -h
    SingleDashHelp, // PROGRAM -help
    HelpCommand,    // PROGRAM help
    ManualPage      // man PROGRAMNAME
};

struct HelpText
{
    bool ok = false;
    std::string text; // when ok: bytes as printed (a manual page may hold overstrikes)
    HelpSource source = HelpSource::HelpOption;
    QString problem; // when not ok: why, in a sentence for the user
};

// Runs program the given way and returns what it printed: its standard
// output, or its standard error when the output is blank; any exit status.
// program is a path in bytes; a name without a '/' is looked up on the
// search path. The program runs with an argument vector (no shell), with
// standard input empty, in a fresh temporary folder, with the caller's
// environment plus LC_ALL=C, NO_COLOR=1, TERM=dumb, PAGER=cat, MANPAGER=cat,
// and a wide COLUMNS and MANWIDTH. It leads a session of its own; whatever is
// left of its process group when the run ends is killed. Not ok when it could
// not be started, printed nothing, printed something that is not text, printed
// more than 1 MiB or did not finish within 5 seconds.
//
// ManualPage looks the program's file name up with `man -w` and takes `man`'s
// text. Blocks for at most about 5 seconds a program run (two for ManualPage).
HelpText RunForHelp(const std::string& program, HelpSource source);

// The program's --help text, or its manual page where --help ran but gave
// nothing useful (nothing, or no line whose first non-blank character is
// '-') and a manual page exists. A --help that could not run, hung, flooded
// or printed binary is reported as such, without the manual page.
HelpText HelpFor(const std::string& program);
