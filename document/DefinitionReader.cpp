#include "document/DefinitionFile.h"
#include "document/DefinitionKeys.h"
#include "document/DefinitionPath.h"
#include "document/LogicalLines.h"
#include "document/TextCompare.h"

#include <algorithm>
#include <array>
#include <bitset>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <unordered_map>
#include <utility>
#include <vector>

// The format's reader is defined as a line scanner that re-reads the file
// from its start for every section position and every key. This reader
// makes one pass instead and gives the same answers: logical lines do not
// depend on where a scan starts, only the first section of a name is ever
// searched, and within it only the first line of a key counts. So the pass
// keeps the first value of every key it will ask for, in the first section
// of every name, and turns each such section into the option it describes.

namespace {

constexpr std::string_view GlobalSection = "Quarn";

// The first value of every key the reader asks for, in one section.
class SectionValues
{
public:
    void Clear()
    {
        found_.reset();
        listed_.clear();
    }

    void Add(std::string_view key, std::string_view value)
    {
        std::size_t n = 0;
        if (const std::optional<Key> known = FindKey(key)) {
            const auto i = static_cast<std::size_t>(*known);
            if (!found_[i]) {
                found_.set(i);
                values_[i] = value;
            }
        } else if (ListedValueNumber(key, n)) {
            listed_.emplace_back(n, value);
        }
    }

    std::string Text(Key key) const { return std::string(View(key)); }

    std::int32_t Number(Key key) const { return NumberValue(View(key)); }

    bool Flag(Key key) const { return Number(key) != 0; }

    // "Value1", "Value2", ... up to the first missing or empty one. A list
    // of n values needs n lines, so larger numbers are never reached.
    std::vector<std::string> ValueList()
    {
        const std::size_t reachable = listed_.size();
        first_.assign(reachable, std::nullopt);
        for (const auto& [n, value] : listed_) {
            if (n <= reachable && !first_[n - 1])
                first_[n - 1] = value;
        }
        std::vector<std::string> values;
        for (std::size_t i = 0; i < reachable && first_[i] && !first_[i]->empty(); ++i)
            values.emplace_back(*first_[i]);
        return values;
    }

private:
    std::string_view View(Key key) const
    {
        const auto i = static_cast<std::size_t>(key);
        return found_[i] ? values_[i] : std::string_view();
    }

    std::array<std::string_view, KeyNames.size()> values_;
    std::bitset<KeyNames.size()> found_;
    std::vector<std::pair<std::size_t, std::string_view>> listed_; // in file order
    std::vector<std::optional<std::string_view>> first_;           // ValueList's scratch
};

COption OptionFields(SectionValues& section)
{
    COption option;
    option.Type = section.Text(Key::Type);
    option.Value = section.Text(Key::Value);
    option.Values = section.ValueList();
    option.Format = section.Text(Key::Format);
    option.Arg = section.Number(Key::Arg);
    option.Multiple = section.Flag(Key::Multiple);
    option.Mandatory = section.Flag(Key::Mandatory);
    option.UseDir = section.Flag(Key::UseDir);
    option.Information = section.Text(Key::Information);
    return option;
}

void GlobalFields(const SectionValues& section, CDef& def)
{
    def.Name = section.Text(Key::Name);
    def.Program = section.Text(Key::Program);
    def.Directory = section.Text(Key::Directory);
    def.Shell = section.Text(Key::Shell);
    def.First = section.Number(Key::First);
    def.Information = section.Text(Key::Information);
}

// One pass over the logical lines: the section headers by position, the
// option described by the first section of each name, and the global
// fields from the first section named "Quarn".
class SectionScan
{
public:
    explicit SectionScan(std::string_view bytes)
    {
        // The containers grow with what the file holds; nothing is reserved
        // from its size, which says little about how many sections it has.
        LogicalLineReader lines(bytes);
        LogicalLine line;
        while (lines.Next(line)) {
            if (line.kind == LogicalLine::Kind::Header ||
                line.kind == LogicalLine::Kind::NamelessHeader) {
                EndSection();
                BeginSection(line);
            } else if (line.kind == LogicalLine::Kind::KeyLine && collecting_) {
                current_.Add(line.key, line.value);
            }
        }
        EndSection();
    }

    CDef& Global() { return global_; }

    // The options at positions 1, 2, ... up to the first header without a
    // name; def.First gives the marked one.
    void TakeOptions(CDef& def)
    {
        std::size_t count = 0;
        while (count + 1 < sections_.size() && !sections_[count + 1].name.empty())
            ++count;
        def.Options.resize(count);
        // Backwards, so that later sections of a name copy its option
        // before the first section of the name takes it over.
        for (std::size_t position = count; position > 0; --position) {
            const Section& section = sections_[position];
            COption& option = def.Options[position - 1];
            if (section.ownsOption)
                option = std::move(options_[section.option]);
            else
                option = options_[section.option];
            option.Name = std::string(section.name);
            option.Default = def.First >= 0 && static_cast<std::size_t>(def.First) == position - 1;
        }
    }

private:
    struct Section
    {
        std::string_view name;   // empty for a header without ']'
        std::size_t option = 0;  // in options_: the first section of this name
        bool ownsOption = false; // this is that first section
    };

    void BeginSection(const LogicalLine& header)
    {
        Section& section = sections_.emplace_back();
        if (header.kind == LogicalLine::Kind::NamelessHeader)
            return;
        section.name = header.name;
        const auto [first, added] = names_.try_emplace(header.name, options_.size());
        section.option = first->second;
        section.ownsOption = added;
        if (!added)
            return;
        options_.emplace_back();
        current_.Clear();
        collecting_ = true;
        isGlobal_ = EqualIgnoringCase(header.name, GlobalSection);
    }

    void EndSection()
    {
        if (!collecting_)
            return;
        options_.back() = OptionFields(current_);
        if (isGlobal_)
            GlobalFields(current_, global_);
        collecting_ = false;
    }

    std::vector<Section> sections_;
    std::vector<COption> options_;
    std::unordered_map<std::string_view, std::size_t, FoldedHash, FoldedEqual> names_;
    CDef global_;
    SectionValues current_; // the first section of its name being read
    bool collecting_ = false;
    bool isGlobal_ = false;
};

} // namespace

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
    SectionScan scan(bytes);
    CDef def = std::move(scan.Global());
    if (def.Program.empty() && !SamePath(program, definitionPath))
        def.Program = program;
    // Position 0 is the global section, wherever "[Quarn]" stands.
    scan.TakeOptions(def);
    return def;
}
