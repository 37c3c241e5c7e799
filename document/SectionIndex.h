#pragma once

#include "document/LogicalLines.h"
#include "document/SectionNames.h"

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>
#include <vector>

// The reader's rules for the sections of a definition file, written once
// for the reader, the check of a stored file and the hazard check. The
// headers count from 0 in file order, headers without a name too. The
// options are the sections at positions 1, 2, ... up to the first header
// without a name: the first section is never an option. A section's keys
// are read only in the first section of its name, letter case aside, so an
// option whose section repeats a name reads the keys of that first section.
// The program settings are read from the first section named "Quarn",
// wherever it stands.

// The option at index i has the section at position i + FirstOption.
inline constexpr std::size_t FirstOption = 1;

// What the reader makes of one section header.
struct SectionRole
{
    static constexpr std::uint32_t NoName = SectionNames::NotFound;

    std::size_t position = 0;    // among the headers, from 0
    std::uint32_t name = NoName; // the number of its name, when the index keeps it
    std::size_t first = 0;       // the position of the first section of its name
    bool inList = false;         // at or before the last option
    bool option = false;         // the section of an option
    bool endsList = false;       // the header without a name that ends the option list
    bool settings = false;       // the program settings' section

    bool FirstOfName() const { return name != NoName && first == position; }
};

class SectionIndex
{
public:
    // The names the index keeps: those up to the end of the option list,
    // which is all the reader needs, or all.
    enum class Names
    {
        InList,
        All
    };

    // The names of the headers given lie in bytes, which must outlive the
    // index and be shorter than 4 GiB.
    SectionIndex(std::string_view bytes, Names names) : names_(bytes), keepAll_(names == Names::All)
    {
    }

    // The options of the file, counted without building an index.
    static std::size_t CountOptions(std::string_view bytes);

    // Room for count names without growing.
    void Reserve(std::size_t count);
    // The bytes this holds.
    std::size_t MemoryUse() const;

    // The role of the file's next header: headers are added in file order.
    SectionRole Add(const LogicalLine& header);
    // Once every header has been added: the role of the header at position.
    SectionRole RoleOf(const LogicalLine& header, std::size_t position) const;

    bool HasSettings() const { return settings_ != NoPosition; }
    // The number of the settings section's name, when there is one.
    std::uint32_t SettingsName() const { return settingsName_; }

private:
    static constexpr std::size_t NoPosition = std::numeric_limits<std::size_t>::max();

    bool KeepsName(std::size_t position) const { return keepAll_ || position < listEnd_; }
    SectionRole RoleAt(std::size_t position, std::uint32_t name) const;

    SectionNames names_;
    const bool keepAll_;
    std::vector<std::uint32_t> firsts_; // per name, the position of its first section
    std::size_t headers_ = 0;
    std::size_t listEnd_ = NoPosition; // the position of the header ending the option list
    std::size_t settings_ = NoPosition;
    std::uint32_t settingsName_ = SectionRole::NoName;
};
