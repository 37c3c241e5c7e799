#pragma once

#include <array>
#include <optional>
#include <string_view>

// The five option types, in the fixed order of the editor's Type box.
inline constexpr std::array<std::string_view, 5> OptionTypeNames = {
    "String", "Suggest", "Select", "False", "True"};

enum class OptionType { String = 0, Suggest = 1, Select = 2, False = 3, True = 4 };

// The type a stored Type text names, matched without regard to letter case;
// empty when the text names none of the five (the editor then treats it as
// "String").
std::optional<OptionType> FindOptionType(std::string_view name);
