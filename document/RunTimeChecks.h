#pragma once

#include "document/Def.h"

#include <string>
#include <vector>

// Mistakes in a definition that only show when it runs: the file keeps
// them, and the launcher does what they say, which is not what the author
// meant. They depend on the definition alone, not on the machine.
enum class RunTimeMistake
{
    UnclosedQuote,        // the Format has a quote without its end: Run refuses the option
    StrayPercent,         // a '%' in the Format is neither "%s" nor "%%"
    SelectWithoutValues,  // a "Select" option offers nothing to choose
    ValueNotListed,       // a "Select" option's Value is not among its listed values
    CheckBoxWithoutFormat, // a "False" or "True" option can never add anything
    SharedArgument,       // another option already takes this argument number
    SkippedArgument,      // no option takes the argument numbers before this one
    SecondFolderOption,   // an earlier option already chooses the working folder
    RepeatedFormat,       // Multiple with a Format without "%s": its words come before every value
};

struct RunTimeFinding
{
    int option; // zero-based position
    RunTimeMistake mistake;
    std::string message;
};

// Every mistake of def, in option order.
std::vector<RunTimeFinding> FindRunTimeMistakes(const CDef& def);
