#include "document/NumberText.h"

#include "document/Blanks.h"

#include <algorithm>
#include <limits>

bool ReadNumber(std::string_view value, std::int32_t& number)
{
    value = value.substr(0, NumberWidth);
    std::size_t i = 0;
    while (i < value.size() && IsBlank(value[i]))
        ++i;
    const bool negative = i < value.size() && value[i] == '-';
    if (i < value.size() && (value[i] == '-' || value[i] == '+'))
        ++i;
    // Magnitudes beyond the 32-bit range saturate instead of overflowing.
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    const std::size_t digits = i;
    for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i)
        magnitude = std::min(limit, magnitude * 10 + (value[i] - '0'));
    if (i == digits)
        return false;
    number = static_cast<std::int32_t>(negative ? -magnitude : std::min(magnitude, limit - 1));
    return true;
}

std::string NumberDifference(std::string_view value, std::int32_t& number)
{
    number = 0;
    const bool read = ReadNumber(value, number);
    const std::string_view shown = TrimBlanks(value);
    if (shown.empty())
        return {};
    std::size_t i = 0;
    const bool negative = shown[i] == '-';
    if (shown[i] == '-' || shown[i] == '+')
        ++i;
    if (i == shown.size() || shown.find_first_not_of("0123456789", i) != std::string_view::npos)
        return read ? "the reader ignores what follows the digits" : "it is not a number";
    // The number as shown, saturated well beyond the reader's range.
    constexpr std::int64_t ceiling = std::int64_t{1} << 40;
    std::int64_t exact = 0;
    for (; i < shown.size(); ++i)
        exact = std::min(ceiling, exact * 10 + (shown[i] - '0'));
    if (read && (negative ? -exact : exact) == number)
        return {};
    // Counted with the leading blanks the reader looks at too.
    if (static_cast<std::size_t>(shown.data() - value.data()) + shown.size() > NumberWidth)
        return "the reader looks only at the first " + std::to_string(NumberWidth) +
               " characters of a number";
    return "it is beyond the range of the reader's numbers";
}
