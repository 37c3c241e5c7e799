#include "document/OptionType.h"

#include "document/TextCompare.h"

#include <array>

OptionType OptionTypeOf(std::string_view typeName)
{
    static constexpr std::array<std::string_view, 5> Names = {"String", "Suggest", "Select",
                                                              "False", "True"};
    for (std::size_t i = 0; i < Names.size(); ++i) {
        if (EqualIgnoringCase(typeName, Names[i]))
            return static_cast<OptionType>(i);
    }
    return OptionType::String;
}
