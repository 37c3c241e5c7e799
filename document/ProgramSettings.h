#pragma once

#include "document/DefinitionKeys.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <string>

// The program settings of a definition: everything but its options.
struct CProgramSettings
{
    std::string Name; // caption of the launcher's window
    std::string Program;
    std::string Directory;
    std::string Shell; // written as "Command shell"
    std::int32_t First = 0; // zero-based position of the option initially selected
    std::string Information;
};

// Field by field; texts compare byte for byte.
bool operator==(const CProgramSettings& a, const CProgramSettings& b);
bool operator!=(const CProgramSettings& a, const CProgramSettings& b);

std::ostream& operator<<(std::ostream& out, const CProgramSettings& settings);

// A text field of the settings and the key the file keeps it under.
struct SettingsTextKey
{
    std::string CProgramSettings::*text;
    Key key;
};

// The text fields of the settings with their keys, in their order, for code
// that treats them alike (reading, writing, checking, showing); First is a
// number.
inline constexpr std::array<SettingsTextKey, 5> SettingsTextKeys = {{
    {&CProgramSettings::Name, Key::Name},
    {&CProgramSettings::Program, Key::Program},
    {&CProgramSettings::Directory, Key::Directory},
    {&CProgramSettings::Shell, Key::Shell},
    {&CProgramSettings::Information, Key::Information},
}};

// The text fields alone, in the same order.
inline constexpr std::array<std::string CProgramSettings::*, SettingsTextKeys.size()>
    SettingsTexts = [] {
        std::array<std::string CProgramSettings::*, SettingsTextKeys.size()> texts{};
        for (std::size_t i = 0; i < texts.size(); ++i)
            texts[i] = SettingsTextKeys[i].text;
        return texts;
    }();
