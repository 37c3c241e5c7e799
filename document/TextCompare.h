#pragma once

#include <cstddef>
#include <string_view>

// Comparison of section names, keys and type names without regard to letter
// case. Only the ASCII letters are folded: the texts are bytes of an
// unknown 8-bit or UTF-8 encoding, and every other byte compares exactly.
inline char FoldCase(char c)
{
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}
inline bool EqualIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (FoldCase(a[i]) != FoldCase(b[i]))
            return false;
    }
    return true;
}

// Hash and equality for maps keyed by names matched without regard to
// letter case, without building folded copies of the names.
struct FoldedHash
{
    std::size_t operator()(std::string_view name) const
    {
        // FNV-1a over the folded bytes.
        std::size_t hash = 14695981039346656037ULL;
        for (const char c : name) {
            hash ^= static_cast<unsigned char>(FoldCase(c));
            hash *= 1099511628211ULL;
        }
        return hash;
    }
};

struct FoldedEqual
{
    bool operator()(std::string_view a, std::string_view b) const
    {
        return EqualIgnoringCase(a, b);
    }
};
