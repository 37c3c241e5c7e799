#include "document/KeySpelling.h"

#include "document/TextCompare.h"

#include <algorithm>
#include <array>

namespace {

constexpr std::size_t Longest()
{
    std::size_t longest = 0;
    for (const std::string_view name : KeyNames)
        longest = std::max(longest, name.size());
    return longest;
}
constexpr std::size_t LongestKey = Longest();

// The edits that turn a into b, letter case aside; b is a key the reader
// knows.
std::size_t Distance(std::string_view a, std::string_view b)
{
    std::array<std::size_t, LongestKey + 1> before{}, previous{}, row{};
    for (std::size_t j = 0; j <= b.size(); ++j)
        previous[j] = j;
    for (std::size_t i = 1; i <= a.size(); ++i) {
        row[0] = i;
        for (std::size_t j = 1; j <= b.size(); ++j) {
            const bool same = FoldCase(a[i - 1]) == FoldCase(b[j - 1]);
            row[j] = std::min({previous[j] + 1, row[j - 1] + 1, previous[j - 1] + (same ? 0 : 1)});
            if (i > 1 && j > 1 && FoldCase(a[i - 1]) == FoldCase(b[j - 2]) &&
                FoldCase(a[i - 2]) == FoldCase(b[j - 1]))
                row[j] = std::min(row[j], before[j - 2] + 1);
        }
        before.swap(previous);
        previous.swap(row);
    }
    return previous[b.size()];
}

} // namespace

std::optional<Key> MeantKey(std::string_view key, const std::function<bool(Key)>& asked)
{
    const std::size_t allowed = key.size() < 5 ? 1 : 2;
    std::optional<Key> meant;
    std::size_t best = allowed + 1;
    for (std::size_t i = 0; i < KeyNames.size(); ++i) {
        const std::string_view name = KeyNames[i];
        if (!asked(static_cast<Key>(i)) ||
            std::max(name.size(), key.size()) - std::min(name.size(), key.size()) > allowed)
            continue;
        if (const std::size_t distance = Distance(key, name); distance < best) {
            best = distance;
            meant = static_cast<Key>(i);
        }
    }
    return meant;
}
