#pragma once

#include "document/TextCompare.h"

#include <algorithm>
#include <string>
#include <string_view>

// Character classes and small text functions of the help text reader. Only
// ASCII letters and digits count: help texts are bytes of an unknown
// encoding, and option names are ASCII.
namespace Ascii {

inline constexpr std::size_t NoPosition = std::string_view::npos;

inline bool IsLower(char c)
{
    return c >= 'a' && c <= 'z';
}

inline bool IsUpper(char c)
{
    return c >= 'A' && c <= 'Z';
}

inline bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

inline bool IsLetter(char c)
{
    return IsLower(c) || IsUpper(c);
}

inline bool IsAlnum(char c)
{
    return IsLetter(c) || IsDigit(c);
}

// Letters, digits, '_' and '-': what option names and value words are made of.
inline bool IsNameChar(char c)
{
    return IsAlnum(c) || c == '_' || c == '-';
}

inline bool IsOpening(char c)
{
    return c == '<' || c == '[' || c == '{' || c == '(';
}

inline bool IsClosing(char c)
{
    return c == '>' || c == ']' || c == '}' || c == ')';
}

// Letters in capitals only, at least one: "WHEN", "TIME_STYLE", "P12".
inline bool IsCapitals(std::string_view word)
{
    return std::none_of(word.begin(), word.end(), IsLower) &&
           std::any_of(word.begin(), word.end(), IsUpper);
}

inline std::string Lowered(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(), FoldCase);
    return lower;
}

inline std::string_view Trimmed(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

inline bool StartsWith(std::string_view text, std::string_view prefix)
{
    return text.substr(0, prefix.size()) == prefix;
}

inline bool EndsWith(std::string_view text, std::string_view suffix)
{
    return text.size() >= suffix.size() && text.substr(text.size() - suffix.size()) == suffix;
}

// Whether the '.' at text[at] ends a sentence: it is followed by a blank or
// the end, and does not end "e.g", "i.e" or "etc".
inline bool EndsSentence(std::string_view text, std::size_t at)
{
    if (text[at] != '.' || (at + 1 < text.size() && text[at + 1] != ' '))
        return false;
    const std::string_view before = text.substr(0, at);
    const std::size_t blank = before.rfind(' ');
    std::string_view word = before.substr(blank == NoPosition ? 0 : blank + 1);
    if (StartsWith(word, "("))
        word.remove_prefix(1);
    return word != "e.g" && word != "i.e" && word != "etc";
}

} // namespace Ascii
