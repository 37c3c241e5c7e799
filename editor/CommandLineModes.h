#pragma once

#include <iosfwd>
#include <optional>
#include <vector>

// The editor's command line before any window: the modes that need no
// display (--check, --draft, --help, --version) and wrong command lines.
// Returns their exit status, or nothing when the window is to open, with
// arguments as its command line: the program, then the file to open; a
// "--" before the file is taken out. Only the exact words are options: a
// first argument that starts with '-' and is none of them is an error,
// while "./--name" and "-- --name" name a file.
std::optional<int> RunCommandLineMode(std::vector<char*>& arguments, std::ostream& out,
                                      std::ostream& errors);
