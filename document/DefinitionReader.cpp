#include "document/DefinitionFile.h"
#include "document/DefinitionKeys.h"
#include "document/DefinitionPath.h"
#include "document/LogicalLines.h"
#include "document/SectionNames.h"
#include "document/TextCompare.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <cstdint>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>
#include <vector>

// The format's reader is defined as a line scanner that re-reads the file
// from its start for every section position and every key. This reader
// makes one pass instead and gives the same answers: logical lines do not
// depend on where a scan starts, only the first section of a name is ever
// searched, and within it only the first line of a key counts. So the pass
// keeps the first value of every key it will ask for, in the first section
// of every name, and turns each such section into the option it describes;
// a later section of the name copies that option, complete by then. A
// quicker pass before it counts the options, so that the option list is
// made once, at its size.

namespace {

constexpr std::string_view GlobalSection = "Quarn";

// The bytes a text takes besides the string itself.
std::size_t HeapBytes(std::size_t length)
{
    static const std::size_t inPlace = std::string().capacity();
    return length > inPlace ? length + 1 : 0;
}

std::size_t HeapBytes(const std::string& text)
{
    return HeapBytes(text.capacity());
}

// The bytes an option takes besides its place in the option list.
std::size_t TextBytes(const COption& option)
{
    std::size_t bytes = HeapBytes(option.Name) + HeapBytes(option.Type) + HeapBytes(option.Value) +
                        HeapBytes(option.Format) + HeapBytes(option.Information) +
                        option.Values.capacity() * sizeof(std::string);
    for (const std::string& value : option.Values)
        bytes += HeapBytes(value);
    return bytes;
}

// The memory the document takes as it is read, against the limit for the
// size of its file; exceeded, the file is refused before the memory is
// taken.
class MemoryBudget
{
public:
    explicit MemoryBudget(std::size_t fileSize) : limit_(DocumentMemoryLimit(fileSize)) {}

    void Spend(std::size_t bytes)
    {
        if (bytes > limit_ - used_)
            throw DocumentTooLarge(limit_);
        used_ += bytes;
    }

private:
    std::size_t limit_;
    std::size_t used_ = 0;
};

// The first value of every key the reader asks for, in one section.
class SectionValues
{
public:
    explicit SectionValues(std::string_view bytes) : bytes_(bytes) {}

    void Clear()
    {
        found_.reset();
        listed_.clear();
    }

    void Add(const LogicalLine& line)
    {
        std::size_t n = 0;
        if (const std::optional<Key> known = FindKey(line.key)) {
            const auto i = static_cast<std::size_t>(*known);
            if (found_[i])
                return;
            found_.set(i);
            // Only an Information block is rewritten, and only the first
            // Information line of a section is kept.
            if (line.rewritten)
                kept_.assign(line.value);
            values_[i] = line.rewritten ? std::string_view(kept_) : line.value;
        } else if (ListedValueNumber(line.key, n)) {
            // A list of n values needs n lines: beyond 2^32 values the
            // number is never reached.
            constexpr std::size_t unreachable = std::numeric_limits<std::uint32_t>::max();
            listed_.push_back({static_cast<std::uint32_t>(std::min(n, unreachable)),
                               static_cast<std::uint32_t>(line.value.data() - bytes_.data()),
                               static_cast<std::uint32_t>(line.value.size())});
        }
    }

    std::int32_t Number(Key key) const { return NumberValue(View(key)); }

    bool Flag(Key key) const { return Number(key) != 0; }

    // Finds "Value1", "Value2", ... up to the first missing or empty one.
    // A list of n values needs n lines, so larger numbers are never reached.
    void FindValueList()
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
               !ListedValue(valueCount_).empty())
            ++valueCount_;
    }

    // What the option of this section takes besides its place in the list,
    // after FindValueList.
    std::size_t TextBytes() const
    {
        std::size_t bytes = valueCount_ * sizeof(std::string);
        for (std::size_t i = 0; i < valueCount_; ++i)
            bytes += HeapBytes(ListedValue(i).size());
        for (const Key key : {Key::Type, Key::Value, Key::Format, Key::Information})
            bytes += HeapBytes(View(key).size());
        return bytes;
    }

    // The option's keys, after FindValueList.
    void FillOption(COption& option) const
    {
        option.Type = View(Key::Type);
        option.Value = View(Key::Value);
        option.Values.reserve(valueCount_);
        for (std::size_t i = 0; i < valueCount_; ++i)
            option.Values.emplace_back(ListedValue(i));
        option.Format = View(Key::Format);
        option.Arg = Number(Key::Arg);
        option.Multiple = Flag(Key::Multiple);
        option.Mandatory = Flag(Key::Mandatory);
        option.UseDir = Flag(Key::UseDir);
        option.Information = View(Key::Information);
    }

    void FillGlobal(CDef& def) const
    {
        def.Name = View(Key::Name);
        def.Program = View(Key::Program);
        def.Directory = View(Key::Directory);
        def.Shell = View(Key::Shell);
        def.First = Number(Key::First);
        def.Information = View(Key::Information);
    }

private:
    // A listed value's line: compact, as a section may list millions.
    struct Listed
    {
        std::uint32_t n;
        std::uint32_t offset; // of the value in the bytes
        std::uint32_t length;
    };

    std::string_view View(Key key) const
    {
        const auto i = static_cast<std::size_t>(key);
        return found_[i] ? values_[i] : std::string_view();
    }

    std::string_view ListedValue(std::size_t index) const
    {
        const Listed& listed = listed_[first_[index] - 1];
        return bytes_.substr(listed.offset, listed.length);
    }

    std::string_view bytes_;
    std::array<std::string_view, KeyNames.size()> values_;
    std::bitset<KeyNames.size()> found_;
    std::string kept_;                 // a rewritten Information block
    std::vector<Listed> listed_;       // in file order
    std::vector<std::uint32_t> first_; // per n - 1: the first line of "Value<n>" + 1, or 0
    std::size_t valueCount_ = 0;
};

// The options: the sections at positions 1, 2, ... up to the first header
// without a name.
std::size_t CountOptions(std::string_view bytes)
{
    LogicalLineReader lines(bytes);
    LogicalLine line;
    std::size_t headers = 0;
    while (lines.Next(line)) {
        if (line.kind != LogicalLine::Kind::Header &&
            line.kind != LogicalLine::Kind::NamelessHeader)
            continue;
        if (headers >= 1 && line.name.empty())
            break;
        ++headers;
    }
    return headers > 0 ? headers - 1 : 0;
}

// One pass over the logical lines: the option of every section in the
// option list, and the global fields from the first section named "Quarn",
// wherever it stands.
class SectionScan
{
public:
    SectionScan(std::string_view bytes, CDef& def)
        : bytes_(bytes), def_(def), budget_(bytes.size()), names_(bytes), current_(bytes)
    {
    }

    void Read()
    {
        // The option list is made once, at its size; the other containers
        // grow with what the file holds, not with its size, which says
        // little about how many sections it has.
        const std::size_t count = CountOptions(bytes_);
        budget_.Spend(count * sizeof(COption));
        def_.Options.reserve(count);
        names_.Reserve(count + 1);
        optionOf_.reserve(count + 1);
        budget_.Spend(names_.MemoryUse() + optionOf_.capacity() * sizeof(std::uint32_t));
        LogicalLineReader lines(bytes_);
        LogicalLine line;
        while (lines.Next(line)) {
            if (line.kind == LogicalLine::Kind::Header ||
                line.kind == LogicalLine::Kind::NamelessHeader) {
                EndSection();
                BeginSection(line);
            } else if (line.kind == LogicalLine::Kind::KeyLine && collecting_) {
                current_.Add(line);
            }
        }
        EndSection();
        const auto first = static_cast<std::size_t>(def_.First);
        if (def_.First >= 0 && first < def_.Options.size())
            def_.Options[first].Default = true;
    }

private:
    static constexpr std::uint32_t FirstSection = std::numeric_limits<std::uint32_t>::max();

    void BeginSection(const LogicalLine& header)
    {
        const std::size_t position = position_++;
        if (position > 0 && header.name.empty())
            listEnded_ = true;
        if (listEnded_) {
            // Past the option list only the program settings are read.
            BeginGlobal(header.name);
            return;
        }
        if (header.name.empty())
            return;
        const auto [number, added] = names_.Add(header.name);
        if (!added) {
            COption& option = def_.Options.emplace_back(SourceOf(number));
            option.Name = header.name;
            return;
        }
        optionOf_.push_back(position == 0 ? FirstSection
                                          : static_cast<std::uint32_t>(def_.Options.size()));
        COption& option = position == 0 ? firstSection_ : def_.Options.emplace_back();
        budget_.Spend(HeapBytes(header.name.size()));
        option.Name = header.name;
        option_ = &option;
        current_.Clear();
        collecting_ = true;
        BeginGlobal(header.name);
    }

    void BeginGlobal(std::string_view name)
    {
        if (globalFound_ || !EqualIgnoringCase(name, GlobalSection))
            return;
        globalFound_ = true;
        isGlobal_ = true;
        current_.Clear();
        collecting_ = true;
    }

    void EndSection()
    {
        if (!collecting_)
            return;
        current_.FindValueList();
        if (option_) {
            budget_.Spend(current_.TextBytes());
            current_.FillOption(*option_);
        }
        if (isGlobal_)
            current_.FillGlobal(def_);
        collecting_ = false;
        isGlobal_ = false;
        option_ = nullptr;
    }

    COption& OptionOf(std::uint32_t number)
    {
        const std::uint32_t index = optionOf_[number];
        return index == FirstSection ? firstSection_ : def_.Options[index];
    }

    // The option a later section of a name copies, counted before it is:
    // its name has the same length.
    const COption& SourceOf(std::uint32_t number)
    {
        const COption& source = OptionOf(number);
        budget_.Spend(TextBytes(source));
        return source;
    }

    std::string_view bytes_;
    CDef& def_;
    MemoryBudget budget_;
    SectionNames names_;
    std::vector<std::uint32_t> optionOf_; // per name: its option, or FirstSection
    COption firstSection_;                // the option of the section at position 0
    std::size_t position_ = 0;            // of the next header
    bool listEnded_ = false;
    bool globalFound_ = false;
    // The first section of its name being read: its values, and what they
    // make.
    SectionValues current_;
    bool collecting_ = false;
    COption* option_ = nullptr;
    bool isGlobal_ = false;
};

} // namespace

DocumentTooLarge::DocumentTooLarge(std::size_t limit)
{
    std::snprintf(reason_, sizeof reason_,
                  "the document would take more than %zu MiB of memory, the limit for a file of "
                  "its size",
                  limit >> 20);
}

const char* DocumentTooLarge::what() const noexcept
{
    return reason_;
}

std::size_t DocumentMemoryLimit(std::size_t fileSize)
{
    return 3 * fileSize + (std::size_t{16} << 20);
}

bool ReadNumber(std::string_view value, std::int32_t& number)
{
    value = value.substr(0, NumberWidth);
    std::size_t i = 0;
    while (i < value.size() && IsBlank(value[i]))
        ++i;
    const bool negative = i < value.size() && value[i] == '-';
    if (i < value.size() && (value[i] == '-' || value[i] == '+'))
        ++i;
    // Magnitudes beyond the 32-bit range saturate instead of overflowing.
    constexpr std::int64_t limit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    const std::size_t digits = i;
    for (; i < value.size() && value[i] >= '0' && value[i] <= '9'; ++i)
        magnitude = std::min(limit, magnitude * 10 + (value[i] - '0'));
    if (i == digits)
        return false;
    number = static_cast<std::int32_t>(negative ? -magnitude : std::min(magnitude, limit - 1));
    return true;
}

CDef ReadDefinition(std::string_view bytes, const std::string& program,
                    const std::string& definitionPath)
{
    // Places in the bytes are kept in 32 bits; a file is far smaller.
    if (bytes.size() > std::numeric_limits<std::uint32_t>::max())
        throw DocumentTooLarge(DocumentMemoryLimit(bytes.size()));
    CDef def;
    SectionScan(bytes, def).Read();
    if (def.Program.empty() && !SamePath(program, definitionPath))
        def.Program = program;
    return def;
}
