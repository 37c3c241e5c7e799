#pragma once

#include <cstdint>

// A colour of the program's output, in one 32-bit word: the default colour, one of the 256
// indexed colours (0 to 15 are the terminal's basic ones) or a 24-bit RGB colour.
namespace TerminalColor {

constexpr std::uint32_t Default = 0;
constexpr std::uint32_t IndexedKind = 1;
constexpr std::uint32_t RgbKind = 2;

constexpr std::uint32_t Indexed(std::uint32_t index)
{
    return IndexedKind << 24 | (index & 0xFF);
}

constexpr std::uint32_t Rgb(std::uint32_t red, std::uint32_t green, std::uint32_t blue)
{
    return RgbKind << 24 | (red & 0xFF) << 16 | (green & 0xFF) << 8 | (blue & 0xFF);
}

constexpr std::uint32_t KindOf(std::uint32_t color)
{
    return color >> 24;
}

// The index of an indexed colour, or the RGB value of a 24-bit one.
constexpr std::uint32_t ValueOf(std::uint32_t color)
{
    return color & 0xFFFFFF;
}

} // namespace TerminalColor

// How a stretch of output is drawn, as the program's escape sequences set it. Invalid marks
// bytes that are not UTF-8: they are kept as they came and drawn as escapes.
struct TerminalStyle
{
    enum Flag : std::uint8_t
    {
        Bold = 1,
        Dim = 2,
        Italic = 4,
        Underline = 8,
        Reverse = 16,
        Invalid = 32,
    };

    std::uint32_t Foreground = TerminalColor::Default;
    std::uint32_t Background = TerminalColor::Default;
    std::uint8_t Flags = 0;

    bool Has(Flag flag) const { return (Flags & flag) != 0; }

    friend bool operator==(const TerminalStyle& a, const TerminalStyle& b)
    {
        return a.Foreground == b.Foreground && a.Background == b.Background && a.Flags == b.Flags;
    }
    friend bool operator!=(const TerminalStyle& a, const TerminalStyle& b) { return !(a == b); }
};
