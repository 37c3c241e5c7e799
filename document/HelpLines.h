#pragma once

#include <cstddef>
#include <string_view>
#include <vector>

// One line of a cleaned help text (see CleanHelpText): its indent in
// columns and its text after the indent; a blank line has empty text.
struct HelpLine
{
    std::size_t indent = 0;
    std::string_view text;
};

// The lines of a cleaned help text; the views point into it.
std::vector<HelpLine> SplitHelpLines(std::string_view cleaned);

// The column of text[at] on a line whose text starts at column indent:
// a UTF-8 sequence counts as one column.
std::size_t ColumnAt(const HelpLine& line, std::size_t at);
