#pragma once

#include "Def.h"

#include <string>
#include <string_view>

// The .Quarn format: an INI-like text with the global section "[Quarn]"
// followed by one section per option.

// Capacity of one logical line of the reader, and of an Information block
// with its key.
inline constexpr std::size_t LineCapacity = 40958;

// The exact bytes the writer produces for def.
std::string WriteDefinition(const CDef& def);

// Reads a whole definition from the file's bytes. program is the path the
// user asked to open, made absolute; it becomes the program when the file
// names none and differs from the definition path definitionPath.
CDef ReadDefinition(std::string_view bytes, const std::string& program,
                    const std::string& definitionPath);

// How many characters of a number value the reader looks at.
inline constexpr std::size_t NumberWidth = 31;

// Reads a number value as the format does: at most the first NumberWidth
// characters, leading blanks skipped, an optional sign, then the decimal
// digits; clamped to the 32-bit range. False when there are no digits.
bool ReadNumber(std::string_view value, std::int32_t& number);

// The number the reader takes a value for: 0 when it has no digits.
inline std::int32_t NumberValue(std::string_view value)
{
    std::int32_t number = 0;
    ReadNumber(value, number);
    return number;
}
