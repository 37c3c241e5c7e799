#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
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

inline std::string_view KeyName(Key key)
{
    return KeyNames[static_cast<std::size_t>(key)];
}

// The program settings are read from the first section of this name.
inline constexpr std::string_view SettingsSection = "Quarn";

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

// The key of the listed value n: "Value" followed by n.
std::string ListedValueKey(std::size_t n);

// The option that the settings' First marks as the default: First counts
// from 0 among the options; none when it is out of their range.
inline std::optional<std::size_t> MarkedOption(std::int32_t first, std::size_t options)
{
    if (first < 0 || static_cast<std::size_t>(first) >= options)
        return std::nullopt;
    return static_cast<std::size_t>(first);
}
