#pragma once

#include "document/DefinitionKeys.h"
#include "document/LogicalLines.h"
#include "document/NumberText.h"

#include <array>
#include <bitset>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

// The reader's rules for the key lines of a section it reads, written once
// for the reader and the check of a stored file: of each key it asks for,
// only the first line counts; of the listed values "Value1", "Value2", ...,
// only the first line of each number, and the list ends at the first number
// that is missing or whose value ends the list.

// Whether a listed value ends the list, as a missing one does.
inline bool EndsValueList(std::string_view value)
{
    return value.empty();
}

// The key lines of one section, given in file order.
class SectionKeys
{
public:
    // The lines given lie in bytes, which must outlive this and be shorter
    // than 4 GiB.
    explicit SectionKeys(std::string_view bytes) : bytes_(bytes) {}

    // Starts the next section.
    void Clear();
    void Add(const LogicalLine& line);
    // After the section's last key line: finds where its list of values ends.
    void EndSection();

    // The value the reader takes for key: empty when the section has none.
    std::string_view Text(Key key) const
    {
        const auto i = static_cast<std::size_t>(key);
        return found_[i] ? values_[i] : std::string_view();
    }
    std::int32_t Number(Key key) const { return NumberValue(Text(key)); }
    bool Flag(Key key) const { return Number(key) != 0; }

    // After EndSection: the listed values the reader takes, in order.
    std::size_t ValueCount() const { return valueCount_; }
    std::string_view ListedValue(std::size_t index) const
    {
        const Listed& listed = listed_[first_[index] - 1];
        return bytes_.substr(listed.offset, listed.length);
    }
    // After EndSection: the listed lines, and so the numbers within reach: a
    // list of n values needs n lines.
    std::size_t ListedLines() const { return listed_.size(); }
    // After EndSection: the list ends at an empty value, not a missing one.
    bool EndsAtEmpty() const;
    // After EndSection: whether the reader passes over a line given to Add
    // for an earlier line of its key, or of its listed number n within
    // reach; the key of line is key, or "Value" and n.
    bool Repeats(Key key, const LogicalLine& line) const
    {
        return keyOffsets_[static_cast<std::size_t>(key)] != Offset(line.key);
    }
    bool Repeats(std::size_t n, const LogicalLine& line) const
    {
        return n <= listed_.size() && listed_[first_[n - 1] - 1].offset != Offset(line.value);
    }

private:
    // A listed value's line: compact, as a section may list millions.
    struct Listed
    {
        std::uint32_t n;
        std::uint32_t offset; // of the value in the bytes
        std::uint32_t length;
    };

    std::uint32_t Offset(std::string_view text) const
    {
        return static_cast<std::uint32_t>(text.data() - bytes_.data());
    }

    std::string_view bytes_;
    std::array<std::string_view, KeyNames.size()> values_;
    std::array<std::uint32_t, KeyNames.size()> keyOffsets_{}; // of each key's first line
    std::bitset<KeyNames.size()> found_;
    std::string kept_;                 // a rewritten Information block
    std::vector<Listed> listed_;       // in file order
    std::vector<std::uint32_t> first_; // per n - 1: the first line of "Value<n>" + 1, or 0
    std::size_t valueCount_ = 0;
};
