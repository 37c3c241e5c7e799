#pragma once

#include <string>
#include <string_view>
#include <vector>

// How a command text quotes a word for the shell that reads it.
enum class ShellSyntax
{
    Posix,   // single quotes; a quote inside is written '\''
    Windows, // double quotes; a quote inside is doubled
};

// The word as the shell reads it back exactly: unchanged when it holds only
// characters the shell takes literally, quoted otherwise.
std::string QuoteForShell(std::string_view word, ShellSyntax syntax);

// The words as one line for a POSIX shell. The first word is quoted also
// when it holds '=', which would make it an assignment.
std::string PosixCommandText(const std::vector<std::string>& words);
