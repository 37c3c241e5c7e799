#pragma once

#include <functional>
#include <string>
#include <utility>

// Runs work in a forked child process (to change its user, or to end it at
// a chosen moment) and answers its exit code, -1 when it did not exit by
// itself or could not start, and the report it returned.
std::pair<int, std::string> InChild(const std::function<std::string()>& work);
