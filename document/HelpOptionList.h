#pragma once

#include "document/HelpChoices.h"
#include "document/HelpLines.h"
#include "document/HelpOptionHead.h"

#include <cstddef>
#include <string>
#include <vector>

// One option as a help text's option list describes it.
struct HelpEntry
{
    std::vector<HelpSpelling> spellings;
    bool repeatable = false;
    bool defaultShown = false; // the value shown after '=' is the default
    bool mandatory = false;
    std::string description; // its lines as shown, '\n' between them
    ChoiceList choices;
    std::size_t line = 0;   // the help line with the names
    std::string sourceLine; // that line, trimmed (two lines when the names go on)
};

// Which help lines the option list takes: an option's names, or its description.
enum class LineRole
{
    Other, // prose, headings, tables, examples
    Names,
    Description,
    Usage
};

struct HelpOptionList
{
    std::vector<HelpEntry> entries; // in the help's order, each name once
    std::vector<LineRole> roles;    // one per help line
};

// The options of a help text's lines, whatever the layout: names at the
// start of a line and their description after a gap or on the lines
// below, indented further. A line whose names are followed by a single
// blank, or that has no description, counts only beside an option of
// clear layout at about the same indent. Options in "Examples" sections,
// and names shown again, are left out. usageLines are not read.
HelpOptionList ReadOptionList(const std::vector<HelpLine>& lines,
                              const std::vector<std::size_t>& usageLines);

// The name of the value an entry takes, as prose refers to it: "WHEN" for
// "--color[=WHEN]", "mode" for "<mode>"; empty when it has none.
std::string ValueName(const HelpEntry& entry);

// Whether the entry takes a value (a fixed "=word" does not count).
bool TakesValue(const HelpEntry& entry);
