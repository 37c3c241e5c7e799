#include "document/OptionType.h"

#include "document/TextCompare.h"

std::optional<OptionType> FindOptionType(std::string_view name)
{
    for (std::size_t i = 0; i < OptionTypeNames.size(); ++i) {
        if (EqualIgnoringCase(name, OptionTypeNames[i]))
            return static_cast<OptionType>(i);
    }
    return std::nullopt;
}
