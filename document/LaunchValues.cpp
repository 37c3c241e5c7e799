#include "document/LaunchValues.h"

#include "document/CommandWords.h"
#include "document/OptionType.h"

namespace {

const std::string Ticked = "1";
const std::string NotTicked = "0";

// The state that adds the check box's words: "True" when ticked, "False"
// when not.
const std::string& EmittingState(OptionType type)
{
    return type == OptionType::True ? Ticked : NotTicked;
}

const std::string& SilentState(OptionType type)
{
    return type == OptionType::True ? NotTicked : Ticked;
}

std::string DefaultValue(const COption& option)
{
    const OptionType type = OptionTypeOf(option.Type);
    if (!IsCheckBoxType(type))
        return option.Value;
    if (option.Value == Ticked || option.Value == NotTicked)
        return option.Value;
    return SilentState(type);
}

// Whether some option takes its value from the argument at index.
bool IsNamed(const CDef& def, std::size_t index)
{
    for (const COption& option : def.Options) {
        if (option.Arg > 0 && static_cast<std::size_t>(option.Arg) == index + 1)
            return true;
    }
    return false;
}

} // namespace

bool operator==(const LaunchValues& a, const LaunchValues& b)
{
    return a.options == b.options && a.extraArguments == b.extraArguments;
}

LaunchValues DefaultValues(const CDef& def)
{
    LaunchValues values;
    for (const COption& option : def.Options)
        values.options.push_back(DefaultValue(option));
    return values;
}

bool TakesValueList(const COption& option)
{
    return option.Multiple && OptionTypeOf(option.Type) == OptionType::String;
}

void ApplyArguments(const CDef& def, const std::vector<std::string>& arguments,
                    LaunchValues& values)
{
    std::vector<bool> taken(arguments.size(), false);
    for (std::size_t i = 0; i < def.Options.size(); ++i) {
        const COption& option = def.Options[i];
        if (option.Arg <= 0 || static_cast<std::size_t>(option.Arg) > arguments.size())
            continue;
        const std::size_t first = static_cast<std::size_t>(option.Arg) - 1;
        const OptionType type = OptionTypeOf(option.Type);
        taken[first] = true;
        if (IsCheckBoxType(type)) {
            const std::string& argument = arguments[first];
            values.options[i] = argument.empty() || argument == NotTicked ? NotTicked : Ticked;
        } else if (TakesValueList(option)) {
            std::vector<std::string> list = {arguments[first]};
            for (std::size_t k = first + 1; k < arguments.size() && !IsNamed(def, k) && !taken[k];
                 ++k) {
                list.push_back(arguments[k]);
                taken[k] = true;
            }
            values.options[i] = JoinValueList(list);
        } else {
            values.options[i] = arguments[first];
        }
    }
    values.extraArguments.clear();
    for (std::size_t k = 0; k < arguments.size(); ++k) {
        if (!taken[k])
            values.extraArguments.push_back(arguments[k]);
    }
}

std::vector<std::string> EmittedValues(const COption& option, const std::string& value)
{
    const OptionType type = OptionTypeOf(option.Type);
    if (IsCheckBoxType(type)) {
        if ((value == Ticked) == (type == OptionType::True))
            return {EmittingState(type)};
        return {};
    }
    if (TakesValueList(option))
        return SplitValueList(value);
    if (value.empty())
        return {};
    return {value};
}
