#pragma once

#include <string_view>

// The five option types, in the fixed order of the editor's Type box:
// "String", "Suggest", "Select", "False", "True".
enum class OptionType
{
    String = 0,
    Suggest = 1,
    Select = 2,
    False = 3,
    True = 4
};

// The type a type name stands for, without regard to letter case; any other
// text, an empty one included, is "String".
OptionType OptionTypeOf(std::string_view typeName);

// "False" and "True" are check boxes; the other types take a value.
inline bool IsCheckBoxType(OptionType type)
{
    return type == OptionType::False || type == OptionType::True;
}
