#include "document/DefinitionKeys.h"

#include "document/TextCompare.h"

std::optional<Key> FindKey(std::string_view key)
{
    for (std::size_t i = 0; i < KeyNames.size(); ++i) {
        // Length and first letter before the whole: the reader asks this for
        // every key line.
        const std::string_view name = KeyNames[i];
        if (key.size() == name.size() && FoldCase(key[0]) == FoldCase(name[0]) &&
            EqualIgnoringCase(key, name))
            return static_cast<Key>(i);
    }
    return std::nullopt;
}

bool ListedValueNumber(std::string_view key, std::size_t& n)
{
    constexpr std::string_view prefix = "Value";
    constexpr std::size_t maxDigits = 18;
    if (key.size() <= prefix.size() || key.size() > prefix.size() + maxDigits ||
        key[prefix.size()] == '0' || !EqualIgnoringCase(key.substr(0, prefix.size()), prefix))
        return false;
    n = 0;
    for (const char c : key.substr(prefix.size())) {
        if (c < '0' || c > '9')
            return false;
        n = n * 10 + static_cast<std::size_t>(c - '0');
    }
    return true;
}
