#include "document/DefinitionFile.h"
#include "document/DefinitionKeys.h"
#include "document/DefinitionPath.h"
#include "document/LogicalLines.h"
#include "document/SectionIndex.h"
#include "document/SectionKeys.h"

#include <cstdint>
#include <cstdio>
#include <limits>
#include <optional>
#include <string>

// The format's reader is defined as a line scanner that re-reads the file
// from its start for every section position and every key. This reader
// makes one pass instead and gives the same answers: logical lines do not
// depend on where a scan starts, only the first section of a name is ever
// searched, and within it only the first line of a key counts. So the pass
// keeps the first value of every key it will ask for, in the first section
// of every name, and turns each such section into the option it describes;
// a later section of the name copies that option, complete by then. A
// quicker pass before it counts the options, so that the option list is
// made once, at its size. The rules for sections and keys are written once,
// in SectionIndex and SectionKeys, which the checks use too.

namespace {

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

// What the option of a section takes besides its place in the list, once
// the section has ended.
std::size_t TextBytes(const SectionKeys& keys)
{
    std::size_t bytes = keys.ValueCount() * sizeof(std::string);
    for (std::size_t i = 0; i < keys.ValueCount(); ++i)
        bytes += HeapBytes(keys.ListedValue(i).size());
    for (const Key key : {Key::Type, Key::Value, Key::Format, Key::Information})
        bytes += HeapBytes(keys.Text(key).size());
    return bytes;
}

// The option's keys, once the section has ended.
void FillOption(const SectionKeys& keys, COption& option)
{
    option.Type = keys.Text(Key::Type);
    option.Value = keys.Text(Key::Value);
    option.Values.reserve(keys.ValueCount());
    for (std::size_t i = 0; i < keys.ValueCount(); ++i)
        option.Values.emplace_back(keys.ListedValue(i));
    option.Format = keys.Text(Key::Format);
    option.Arg = keys.Number(Key::Arg);
    option.Multiple = keys.Flag(Key::Multiple);
    option.Mandatory = keys.Flag(Key::Mandatory);
    option.UseDir = keys.Flag(Key::UseDir);
    option.Information = keys.Text(Key::Information);
}

void FillSettings(const SectionKeys& keys, CProgramSettings& settings)
{
    for (const SettingsTextKey& field : SettingsTextKeys)
        settings.*field.text = keys.Text(field.key);
    settings.First = keys.Number(Key::First);
}

// One pass over the logical lines: the option of every section in the
// option list, and the program settings from their section.
class SectionScan
{
public:
    SectionScan(std::string_view bytes, CDef& def)
        : bytes_(bytes), def_(def), budget_(bytes.size()),
          index_(bytes, SectionIndex::Names::InList), keys_(bytes)
    {
    }

    void Read()
    {
        // The option list is made once, at its size; the other containers
        // grow with what the file holds, not with its size, which says
        // little about how many sections it has.
        const std::size_t count = SectionIndex::CountOptions(bytes_);
        budget_.Spend(count * sizeof(COption));
        def_.Options.reserve(count);
        index_.Reserve(count + 1);
        budget_.Spend(index_.MemoryUse());
        LogicalLineReader lines(bytes_);
        LogicalLine line;
        while (lines.Next(line)) {
            if (line.IsHeader()) {
                EndSection();
                BeginSection(line);
            } else if (line.kind == LogicalLine::Kind::KeyLine && reading_) {
                keys_.Add(line);
            }
        }
        EndSection();
        if (const std::optional<std::size_t> marked = MarkedOption(def_.First, def_.Options.size()))
            def_.Options[*marked].Default = true;
    }

private:
    void BeginSection(const LogicalLine& header)
    {
        const SectionRole role = index_.Add(header);
        if (role.option && !role.FirstOfName()) {
            COption& option = def_.Options.emplace_back(SourceOf(role.first));
            option.Name = header.name;
        } else if (role.inList && role.FirstOfName()) {
            COption& option = role.option ? def_.Options.emplace_back() : firstSection_;
            budget_.Spend(HeapBytes(header.name.size()));
            option.Name = header.name;
            option_ = &option;
        }
        settings_ = role.settings;
        reading_ = option_ || settings_;
        if (reading_)
            keys_.Clear();
    }

    void EndSection()
    {
        if (!reading_)
            return;
        keys_.EndSection();
        if (option_) {
            budget_.Spend(TextBytes(keys_));
            FillOption(keys_, *option_);
        }
        if (settings_)
            FillSettings(keys_, def_);
        reading_ = false;
        option_ = nullptr;
    }

    // The option of the first section of a name, which a later section of
    // the name copies, counted before it is: its name has the same length.
    const COption& SourceOf(std::size_t position)
    {
        const COption& source =
            position < FirstOption ? firstSection_ : def_.Options[position - FirstOption];
        budget_.Spend(TextBytes(source));
        return source;
    }

    std::string_view bytes_;
    CDef& def_;
    MemoryBudget budget_;
    SectionIndex index_;
    COption firstSection_; // the option of the section at position 0
    // The section being read: its keys, and what they make.
    SectionKeys keys_;
    bool reading_ = false;
    COption* option_ = nullptr;
    bool settings_ = false;
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
