#pragma once

#include "document/Def.h"

#include <string>
#include <vector>

// What the user has chosen for each option of a definition, as its control
// holds it: the text for the types that take a value (for Multiple several
// values, as SplitValueList reads them), "1" (ticked) or "0" for check boxes.
struct LaunchValues
{
    std::vector<std::string> options;        // one per option, in the definition's order
    std::vector<std::string> extraArguments; // arguments no option takes, added at the end
};

bool operator==(const LaunchValues& a, const LaunchValues& b);

// The definition's own values: Value, and for a check box "1" or "0" as
// Value says, an empty Value leaving it in the state that adds nothing.
LaunchValues DefaultValues(const CDef& def);

// The launcher's arguments put into the options: an option whose Arg is N
// takes the Nth argument (counted from 1); a Multiple option also takes
// every later argument up to the next one that another option names. A
// check box takes "0" and an empty argument as not ticked, anything else as
// ticked. The arguments no option takes become extraArguments.
void ApplyArguments(const CDef& def, const std::vector<std::string>& arguments,
                    LaunchValues& values);

// Whether the option takes a list of values: Multiple, on a type that allows it.
bool TakesValueList(const COption& option);

// The values the option's words are made from, in order: none when the
// option adds nothing (an empty text, no value in the list, a check box in
// the state that adds nothing), "1" or "0" for a check box that adds its words.
std::vector<std::string> EmittedValues(const COption& option, const std::string& value);

// Whether a value counts as given for a Mandatory option.
inline bool HasValue(const COption& option, const std::string& value)
{
    return !EmittedValues(option, value).empty();
}
