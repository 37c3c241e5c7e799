#pragma once

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

// One option of a definition: what the launcher offers for one
// command-line argument. Texts are byte strings, kept exactly as read or
// typed; Information separates its lines with CR LF.
struct COption
{
    std::string Name;
    std::string Type; // one of the five type names, or whatever a file held
    std::string Value;
    std::vector<std::string> Values;
    std::string Format;
    std::int32_t Arg = 0; // argument number; 0 or less means none
    bool Multiple = false;
    bool Mandatory = false;
    bool UseDir = false;
    bool Default = false; // the option initially selected; mirrors CDef::First
    std::string Information;
};

// Field by field, in declaration order; texts compare byte for byte, so a
// change of letter case is a change.
bool operator==(const COption& a, const COption& b);
bool operator!=(const COption& a, const COption& b);

// Every field, for test failure messages.
std::ostream& operator<<(std::ostream& out, const COption& option);
