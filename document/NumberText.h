#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// Number values as the reader reads them, and as their text shows them.

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

// Why the reader takes a number value for another number than it shows;
// empty when it takes it as shown, or when it shows nothing. number is what
// the reader takes it for.
std::string NumberDifference(std::string_view value, std::int32_t& number);
