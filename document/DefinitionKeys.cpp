#include "document/DefinitionKeys.h"

#include "document/TextCompare.h"

namespace {

constexpr std::string_view ListedPrefix = "Value";

} // namespace

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
    constexpr std::size_t maxDigits = 18;
    if (key.size() <= ListedPrefix.size() || key.size() > ListedPrefix.size() + maxDigits ||
        key[ListedPrefix.size()] == '0' ||
        !EqualIgnoringCase(key.substr(0, ListedPrefix.size()), ListedPrefix))
        return false;
    n = 0;
    for (const char c : key.substr(ListedPrefix.size())) {
        if (c < '0' || c > '9')
            return false;
        n = n * 10 + static_cast<std::size_t>(c - '0');
    }
    return true;
}

std::string ListedValueKey(std::size_t n)
{
    return std::string(ListedPrefix) + std::to_string(n);
}
