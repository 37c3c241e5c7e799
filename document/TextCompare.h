#pragma once

#include <string_view>

// Comparison of section names, keys and type names without regard to letter
// case. Only the ASCII letters are folded: the texts are bytes of an
// unknown 8-bit or UTF-8 encoding, and every other byte compares exactly.
inline char FoldCase(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
bool EqualIgnoringCase(std::string_view a, std::string_view b);
