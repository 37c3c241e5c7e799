#include "document/SectionKeys.h"

#include <algorithm>
#include <limits>
#include <optional>

void SectionKeys::Clear()
{
    found_.reset();
    listed_.clear();
}

void SectionKeys::Add(const LogicalLine& line)
{
    std::size_t n = 0;
    if (const std::optional<Key> known = FindKey(line.key)) {
        const auto i = static_cast<std::size_t>(*known);
        if (found_[i])
            return;
        found_.set(i);
        keyOffsets_[i] = Offset(line.key);
        // Only an Information block is rewritten, and only the first
        // Information line of a section is kept.
        if (line.rewritten)
            kept_.assign(line.value);
        values_[i] = line.rewritten ? std::string_view(kept_) : line.value;
    } else if (ListedValueNumber(line.key, n)) {
        // Beyond 2^32 values the number is never reached.
        constexpr std::size_t unreachable = std::numeric_limits<std::uint32_t>::max();
        listed_.push_back({static_cast<std::uint32_t>(std::min(n, unreachable)), Offset(line.value),
                           static_cast<std::uint32_t>(line.value.size())});
    }
}

void SectionKeys::EndSection()
{
    const std::size_t reachable = listed_.size();
    first_.assign(reachable, 0);
    for (std::uint32_t i = 0; i < reachable; ++i) {
        const std::uint32_t n = listed_[i].n;
        if (n <= reachable && first_[n - 1] == 0)
            first_[n - 1] = i + 1;
    }
    valueCount_ = 0;
    while (valueCount_ < reachable && first_[valueCount_] != 0 &&
           !EndsValueList(ListedValue(valueCount_)))
        ++valueCount_;
}

bool SectionKeys::EndsAtEmpty() const
{
    return valueCount_ < listed_.size() && first_[valueCount_] != 0;
}
