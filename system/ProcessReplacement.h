#pragma once

#include <string>
#include <vector>

// What a launcher copy started in a program's place needs before any
// window exists.

// Whether a graphical display is there to show windows on.
bool HasGraphicalDisplay();

// This process's executable file, as the system names it; empty when it
// cannot tell.
std::string OwnExecutablePath();

// Whether two paths name the same file (links followed).
bool IsSameFile(const std::string& a, const std::string& b);

// Runs program in place of this process with the arguments (after the
// program's own name), keeping the standard streams, the environment and
// the exit status. Returns only when that failed, with the reason.
std::string ReplaceProcess(const std::string& program, const std::vector<std::string>& arguments);
