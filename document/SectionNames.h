#pragma once

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>
#include <utility>
#include <vector>

// The section names of one file, numbered from 0 in the order they are
// first met, letter case aside, as the reader matches them. A name is kept
// as its place in the file's bytes, so that a file of millions of short
// sections costs a few bytes a name, however long the names are.
class SectionNames
{
public:
    // The names given to Add lie in bytes, which must outlive this and be
    // shorter than 4 GiB.
    explicit SectionNames(std::string_view bytes) : bytes_(bytes) {}

    // Room for count names without growing.
    void Reserve(std::size_t count);

    // The number of name, and whether it is met first now.
    std::pair<std::uint32_t, bool> Add(std::string_view name);

    // The number of a name added before; NotFound for one never added.
    static constexpr std::uint32_t NotFound = std::numeric_limits<std::uint32_t>::max();
    std::uint32_t Find(std::string_view name) const;

    std::size_t Count() const { return starts_.size(); }

    // The bytes this holds.
    std::size_t MemoryUse() const;

private:
    std::string_view NameOf(std::uint32_t number) const
    {
        return bytes_.substr(starts_[number], lengths_[number]);
    }
    std::size_t HomeSlot(std::string_view name) const;
    std::size_t SlotOf(std::string_view name) const;
    void Rehash(std::size_t slots);

    std::string_view bytes_;
    std::vector<std::uint32_t> starts_;  // per number, the name's offset in the bytes
    std::vector<std::uint16_t> lengths_; // a name fits a line of the file
    std::vector<std::uint32_t> slots_;   // open addressing: a number + 1, or 0
    unsigned shift_ = 64;                // 64 - log2(slots_.size())
};
