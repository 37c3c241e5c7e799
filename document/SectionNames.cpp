#include "document/SectionNames.h"

#include "document/DefinitionFile.h"
#include "document/TextCompare.h"

#include <limits>

static_assert(LineCapacity <= std::numeric_limits<std::uint16_t>::max(),
              "a section name's length must fit its field");

namespace {

constexpr std::size_t MinimumSlots = 16;

// Slots for count names, at most three in four of them used.
std::size_t SlotsFor(std::size_t count)
{
    std::size_t slots = MinimumSlots;
    while (slots / 4 * 3 < count)
        slots *= 2;
    return slots;
}

} // namespace

void SectionNames::Reserve(std::size_t count)
{
    starts_.reserve(count);
    lengths_.reserve(count);
    if (SlotsFor(count) > slots_.size())
        Rehash(SlotsFor(count));
}

std::pair<std::uint32_t, bool> SectionNames::Add(std::string_view name)
{
    if (slots_.size() < SlotsFor(Count() + 1))
        Rehash(SlotsFor(Count() + 1));
    const std::size_t slot = SlotOf(name);
    if (slots_[slot] != 0)
        return {slots_[slot] - 1, false};
    const auto number = static_cast<std::uint32_t>(Count());
    starts_.push_back(static_cast<std::uint32_t>(name.data() - bytes_.data()));
    lengths_.push_back(static_cast<std::uint16_t>(name.size()));
    slots_[slot] = number + 1;
    return {number, true};
}

std::uint32_t SectionNames::Find(std::string_view name) const
{
    if (slots_.empty())
        return NotFound;
    const std::size_t slot = SlotOf(name);
    return slots_[slot] != 0 ? slots_[slot] - 1 : NotFound;
}

// The slot that holds name, or the empty slot where it would go.
std::size_t SectionNames::SlotOf(std::string_view name) const
{
    const std::size_t mask = slots_.size() - 1;
    std::size_t slot = HomeSlot(name);
    while (slots_[slot] != 0 && !EqualIgnoringCase(NameOf(slots_[slot] - 1), name))
        slot = (slot + 1) & mask;
    return slot;
}

std::size_t SectionNames::MemoryUse() const
{
    return starts_.capacity() * sizeof(std::uint32_t) +
           lengths_.capacity() * sizeof(std::uint16_t) + slots_.capacity() * sizeof(std::uint32_t);
}

// The high bits of the folded name's hash, spread by a Fibonacci multiplier:
// FNV-1a's low bits depend only on the low bits of the bytes.
std::size_t SectionNames::HomeSlot(std::string_view name) const
{
    const std::uint64_t hash = FoldedHash()(name);
    return static_cast<std::size_t>((hash * 0x9E3779B97F4A7C15ULL) >> shift_);
}

void SectionNames::Rehash(std::size_t slots)
{
    slots_.assign(slots, 0);
    shift_ = 64;
    for (std::size_t size = slots; size > 1; size /= 2)
        --shift_;
    const std::size_t mask = slots - 1;
    for (std::uint32_t number = 0; number < Count(); ++number) {
        std::size_t slot = HomeSlot(NameOf(number));
        while (slots_[slot] != 0)
            slot = (slot + 1) & mask;
        slots_[slot] = number + 1;
    }
}
