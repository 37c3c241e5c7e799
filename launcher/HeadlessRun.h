#pragma once

#include <iosfwd>

struct LauncherArguments;

// The launcher's modes that need no display.

// Prints the command Run would start with the definition's own values and
// the ARGs; 0, or 2 with the reasons on err when it cannot be run or read.
int DryRun(const LauncherArguments& arguments, std::ostream& out, std::ostream& err);

// A copy in a program's place, started without a display: the hidden
// program runs in this process's place with the same arguments, streams and
// exit status, so that scripts calling the program keep working. Returns
// only when it cannot: 127 when the program is not found, 126 when it does
// not start, 2 when the definition cannot be read or would run the copy
// itself.
int PassThrough(const LauncherArguments& arguments, std::ostream& err);
