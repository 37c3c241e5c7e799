#pragma once

#include "document/HelpLines.h"

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

// The usage lines of a help text: "Usage: grep [OPTION]... PATTERNS [FILE]...",
// its "or:" lines, the lines an argparse usage wraps onto, or the indented
// lines under a "Usage" heading.
struct UsageLines
{
    std::vector<std::string> forms; // each form as one line, without "Usage:"
    std::vector<std::size_t> lines; // the help lines they were read from
};

UsageLines FindUsage(const std::vector<HelpLine>& lines);

// An operand a usage form names: "PATTERNS" required, "[FILE]..." optional
// and repeated, "<pathspec>...", "[port]".
struct UsageOperand
{
    std::string name; // without brackets and dots
    bool required = false;
    bool repeated = false;
};

// The operands of one form, in order. Options ("[-h]", "-o FILE"), groups
// of options ("[OPTION]...", "[flags]"), the command's own words ("git
// commit"), "--" and alternatives in parentheses are not operands.
std::vector<UsageOperand> UsageOperands(std::string_view form);
