#pragma once

#include <array>
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

// The text fields of the settings, in their order, for code that treats
// them alike (reading, writing, checking, showing); First is a number.
inline constexpr std::array<std::string CProgramSettings::*, 5> SettingsTexts = {
    &CProgramSettings::Name, &CProgramSettings::Program, &CProgramSettings::Directory,
    &CProgramSettings::Shell, &CProgramSettings::Information};
