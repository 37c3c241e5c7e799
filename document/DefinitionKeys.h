#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

// The keys the definition reader asks for. The reader and the check of a
// stored file share them, so that the check warns about exactly the keys
// the reader passes over.

enum class Key
{
    Name,
    Program,
    Directory,
    Shell,
    First,
    Information,
    Type,
    Value,
    Format,
    Arg,
    Multiple,
    Mandatory,
    UseDir,
    Count
};

inline constexpr std::array<std::string_view, static_cast<std::size_t>(Key::Count)> KeyNames = {
    "Name",  "Program", "Directory", "Command shell", "First",     "Information",  "Type",
    "Value", "Format",  "Arg",       "Multiple",      "Mandatory", "Use Directory"};

// The section named "Quarn" is asked for the program settings' keys, an
// option's section for the option's keys; "Information" is a key of both.
inline bool IsSettingsKey(Key key)
{
    return key <= Key::Information;
}

inline bool IsOptionKey(Key key)
{
    return key >= Key::Information;
}

// The key of that name, without regard to letter case; none for "Value1",
// "Value2", ... and for keys the reader never asks for.
std::optional<Key> FindKey(std::string_view key);

// The n of a key that the reader spells "Value" followed by n in decimal:
// from 1, without leading zeros. Longer numbers than any list can reach
// are not taken.
bool ListedValueNumber(std::string_view key, std::size_t& n);

// The bytes C's isspace() accepts in the "C" locale.
inline bool IsBlank(char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}
