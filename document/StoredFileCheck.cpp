#include "document/StoredFileCheck.h"

#include "document/Blanks.h"
#include "document/DefinitionFile.h"
#include "document/DefinitionKeys.h"
#include "document/FindingText.h"
#include "document/KeySpelling.h"
#include "document/LineCounter.h"
#include "document/LogicalLines.h"
#include "document/SectionIndex.h"
#include "document/SectionKeys.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <optional>

// The checks rest on the reader's own rules for sections (SectionIndex) and
// for the key lines of a section (SectionKeys). Two passes over the logical
// lines: the first finds the sections and so which keys the reader asks for
// in each, the second looks at every line. The second reads each section
// the reader asks keys of once ahead, to learn which of its lines the
// reader takes.

namespace {

const std::string Capacity = std::to_string(LineCapacity);

// The keys the reader asks for in a section: none in most sections, the
// program settings' in theirs, an option's in the first section of each
// option's name.
struct Asked
{
    bool settings = false;
    bool option = false;

    bool Any() const { return settings || option; }
};

bool Asks(Asked asked, Key key)
{
    return (asked.settings && IsSettingsKey(key)) || (asked.option && IsOptionKey(key));
}

bool AsksFor(Asked asked, std::string_view key)
{
    std::size_t n = 0;
    const std::optional<Key> known = FindKey(key);
    return (known && Asks(asked, *known)) || (asked.option && ListedValueNumber(key, n));
}

} // namespace

class StoredFileCheck::Checker
{
public:
    explicit Checker(std::string_view bytes)
        : bytes_(bytes), counter_(bytes), index_(bytes, SectionIndex::Names::All), keys_(bytes)
    {
        Learn();
    }

    std::vector<std::size_t> optionLines;
    std::vector<bool> optionKeysSaid;
    bool defaultSaid = false;

    // The second pass: every logical line, in order.
    void Report(const std::vector<StoredFinding>& extra, const Sink& sink)
    {
        extra_ = &extra;
        sink_ = &sink;
        if (!index_.HasSettings())
            Emit(1, "the file has no \"[Quarn]\" section: the program settings are read as empty");
        LogicalLineReader lines(bytes_);
        LogicalLine line;
        for (std::size_t begin = 0; lines.Next(line); begin = lines.Position()) {
            const std::size_t end = lines.Position();
            const std::size_t number = counter_.LineAt(begin);
            const std::size_t pieceEnd = PieceEnd(begin);
            if (Cut(pieceEnd) && AtLineStart(begin))
                ReportLongLine(begin, number);
            switch (line.kind) {
            case LogicalLine::Kind::Header:
            case LogicalLine::Kind::NamelessHeader:
                asked_ = CheckHeader(line, StripLineEnd(bytes_.substr(begin, end - begin)), number);
                afterHeader_ = true;
                keysRead_ = false;
                break;
            case LogicalLine::Kind::KeyLine:
                CheckKeyLine(line, begin, pieceEnd, end, number);
                break;
            case LogicalLine::Kind::Other:
                // What is left of a long line has been reported with it.
                if (AtLineStart(begin) && !Cut(pieceEnd) &&
                    !IsBlankText(bytes_.substr(begin, end - begin)))
                    Emit(number, "line is neither a section header nor a key line (it has no "
                                 "\"=\"): the reader ignores it");
                break;
            }
        }
        for (; nextExtra_ < extra_->size(); ++nextExtra_)
            sink((*extra_)[nextExtra_]);
    }

private:
    // A finding, after those of extra on earlier lines.
    void Emit(std::size_t line, std::string message)
    {
        for (; nextExtra_ < extra_->size() && (*extra_)[nextExtra_].line < line; ++nextExtra_)
            (*sink_)((*extra_)[nextExtra_]);
        (*sink_)(StoredFinding{line, std::move(message)});
    }

    bool AtLineStart(std::size_t offset) const
    {
        return offset == 0 || bytes_[offset - 1] == '\n';
    }

    // The end of the first piece the reader reads from begin: up to and
    // including the next LF, at most LineCapacity bytes.
    std::size_t PieceEnd(std::size_t begin) const
    {
        return PastLineFeed(begin, begin + std::min(LineCapacity, bytes_.size() - begin));
    }

    // The offset just past the first LF from begin on, or limit when there
    // is none before it.
    std::size_t PastLineFeed(std::size_t begin, std::size_t limit) const
    {
        const void* lineFeed = std::memchr(bytes_.data() + begin, '\n', limit - begin);
        return lineFeed ? static_cast<std::size_t>(static_cast<const char*>(lineFeed) -
                                                   bytes_.data()) + 1
                        : limit;
    }

    // A piece that ends neither in LF nor at the end: the line went on.
    bool Cut(std::size_t pieceEnd) const
    {
        return pieceEnd < bytes_.size() && bytes_[pieceEnd - 1] != '\n';
    }

    // Named like the program settings' section, letter case aside.
    bool SettingsNamed(const SectionRole& role) const
    {
        return role.name != SectionRole::NoName && role.name == index_.SettingsName();
    }

    // The first pass: the sections, the line of the first section of each
    // name and whether an option reads its keys, and the options the reader
    // makes.
    void Learn()
    {
        LogicalLineReader lines(bytes_);
        LineCounter counter(bytes_);
        LogicalLine line;
        std::int32_t first = 0;
        for (std::size_t begin = 0; lines.Next(line); begin = lines.Position()) {
            if (!line.IsHeader())
                continue;
            const SectionRole role = index_.Add(line);
            if (role.settings) {
                ReadSection(lines.Position());
                first = keys_.Number(Key::First);
            }
            if (role.name == SectionRole::NoName)
                continue;
            const std::size_t number = counter.LineAt(begin);
            if (role.FirstOfName()) {
                firstLines_.push_back(static_cast<std::uint32_t>(number));
                optionNames_.push_back(false);
            }
            if (role.option) {
                optionLines.push_back(number);
                optionKeysSaid.push_back(!role.FirstOfName() || SettingsNamed(role));
                optionNames_[role.name] = true;
            }
        }
        defaultSaid = MarksNoOption(first);
    }

    // Reads the key lines of a section from begin on, ahead of the pass.
    void ReadSection(std::size_t begin)
    {
        keys_.Clear();
        LogicalLineReader lines(bytes_, begin);
        LogicalLine line;
        while (lines.Next(line) && !line.IsHeader()) {
            if (line.kind == LogicalLine::Kind::KeyLine)
                keys_.Add(line);
        }
        keys_.EndSection();
    }

    // "First" counts from 0 among the options the file makes.
    bool MarksNoOption(std::int32_t first) const
    {
        return !optionLines.empty() && !MarkedOption(first, optionLines.size());
    }

    // The findings of a section header, and the keys the reader asks for
    // in its section.
    Asked CheckHeader(const LogicalLine& line, std::string_view header, std::size_t number)
    {
        const SectionRole role = index_.RoleOf(line, position_++);
        // The index keeps every name.
        if (role.name == SectionRole::NoName) {
            std::string message = "header " + Quoted(header) +
                                  (line.kind == LogicalLine::Kind::Header ? " has an empty name"
                                                                          : " has no \"]\"") +
                                  ": the key lines under it are never read";
            if (role.endsList)
                message += ", and neither it nor any section after it is read as an option";
            Emit(number, std::move(message));
            return {};
        }
        const bool settingsName = SettingsNamed(role);
        const std::string shown = Quoted(header.substr(0, line.name.size() + 2));
        if (!role.FirstOfName()) {
            const std::string firstLine = std::to_string(firstLines_[role.name]);
            if (role.option && settingsName)
                Emit(number, "section " + shown + " is read as an option named " +
                                 Quoted(line.name) +
                                 " with the keys of the program settings' section at line " +
                                 firstLine + "; its own keys are never read");
            else
                Emit(number, "section " + shown + " has the name of the section at line " +
                                 firstLine +
                                 ", letter case aside: its keys are never read, as the reader "
                                 "looks only in the first section of a name");
        } else if (role.position == 0 && !settingsName) {
            Emit(number, "the first section " + shown +
                             " is never read as an option: the reader skips the first section, "
                             "whatever its name");
        } else if (role.option && settingsName) {
            Emit(number, "section " + shown +
                             " is not the first section, so the reader reads it twice: as the "
                             "program settings and as an option named " +
                             Quoted(line.name));
        }
        if (!IsBlankText(header.substr(line.name.size() + 2)))
            Emit(number, "text after \"]\" is ignored: the section is named " + Quoted(line.name));
        if (!role.FirstOfName())
            return {};
        return {role.settings, optionNames_[role.name]};
    }

    void ReportLongLine(std::size_t begin, std::size_t number)
    {
        const std::size_t length = PastLineFeed(begin, bytes_.size()) - begin;
        // The rest may start a section of its own.
        const bool header = bytes_[begin + LineCapacity] == '[';
        Emit(number, "line is " + std::to_string(length) +
                         " characters long with its line end, more than the " + Capacity +
                         " the reader reads as one line: it reads the rest as further lines" +
                         (header ? ", the first of them a section header" : ""));
    }

    void CheckKeyLine(const LogicalLine& line, std::size_t begin, std::size_t pieceEnd,
                      std::size_t end, std::size_t number)
    {
        // The value as the line shows it.
        const std::size_t valueBegin = begin + line.key.size() + 1;
        const std::string_view raw = bytes_.substr(valueBegin, pieceEnd - valueBegin);
        if (line.block)
            CheckBlock(line.count, pieceEnd, end, number);
        if (!afterHeader_)
            Emit(number, "key line before the first section header: the reader never reads it");
        // A section the reader never asks has been reported at its header.
        else if (asked_.Any())
            CheckKey(line, StripLineEnd(raw), begin, number);
    }

    // The lines an Information count folds into its key's line.
    void CheckBlock(std::int32_t count, std::size_t textBegin, std::size_t end,
                    std::size_t number)
    {
        std::size_t taken = 0;
        std::optional<std::size_t> header; // its line: the counter goes forward only
        for (std::size_t piece = textBegin; piece < end; ++taken) {
            if (!header && bytes_[piece] == '[' && AtLineStart(piece))
                header = counter_.LineAt(piece);
            piece = PastLineFeed(piece, end);
        }
        const std::string counted = "the Information count " + std::to_string(count);
        const bool atEnd = end == bytes_.size();
        if (count < 0) {
            Emit(number, counted + " takes in every line that follows as text" +
                             (atEnd ? ", to the end of the file"
                                    : ", up to the " + Capacity +
                                          " characters the reader takes; it reads the rest as "
                                          "ordinary lines"));
        } else if (taken < static_cast<std::size_t>(count)) {
            if (atEnd)
                Emit(number, counted + " runs past the end of the file: only " + Lines(taken) +
                                 (taken == 1 ? " follows" : " follow"));
            else
                Emit(number, "the Information block is longer than the " + Capacity +
                                 " characters the reader takes with its key: it reads what is "
                                 "left of it, from line " +
                                 std::to_string(counter_.LineAt(end)) + " on, as ordinary lines");
        }
        // A header in the text is taken for text on purpose when the block
        // ends as the writer ends it, with an empty line after it; a count
        // below zero has been reported as taking in every line.
        if (header && count >= 0 && !FollowedByEmptyLine(end))
            Emit(number, counted + " takes in the section header at line " +
                             std::to_string(*header) + " as text");
    }

    bool FollowedByEmptyLine(std::size_t offset) const
    {
        const std::string_view rest = bytes_.substr(offset);
        return AtLineStart(offset) && (rest.substr(0, 1) == "\n" || rest.substr(0, 2) == "\r\n");
    }

    void Repeated(std::string_view key, std::size_t first, std::size_t number)
    {
        Emit(number, "key " + Quoted(key) + " repeats the one at line " + std::to_string(first) +
                         ": the reader takes only the first");
    }

    void CheckKey(const LogicalLine& line, std::string_view value, std::size_t begin,
                  std::size_t number)
    {
        // The section's key lines, from its first on.
        if (!keysRead_) {
            ReadSection(begin);
            keysRead_ = true;
            keyLines_.fill(0);
            listedLines_.assign(asked_.option ? keys_.ListedLines() : 0, 0);
        }
        const std::string_view key = line.key;
        if (const std::optional<Key> known = FindKey(key); known && Asks(asked_, *known)) {
            std::size_t& first = keyLines_[static_cast<std::size_t>(*known)];
            if (keys_.Repeats(*known, line)) {
                Repeated(key, first, number);
                return;
            }
            first = number;
            CheckValue(*known, line, value, number);
            return;
        }
        std::size_t n = 0;
        if (asked_.option && ListedValueNumber(key, n)) {
            CheckListedValue(line, n, number);
            return;
        }
        const std::string_view trimmed = TrimBlanks(key);
        if (trimmed.size() != key.size() && AsksFor(asked_, trimmed)) {
            Emit(number, "key " + Quoted(key) + " is never read: the reader asks for " +
                             Quoted(trimmed) + ", and blanks belong to the key");
            return;
        }
        if (asked_.option && key.size() > 5 && AsksFor(asked_, key.substr(0, 5)) &&
            key.find_first_not_of("0123456789", 5) == std::string_view::npos) {
            Emit(number, "key " + Quoted(key) +
                             " is never read: the reader asks for \"Value1\", \"Value2\", ... "
                             "without leading zeros");
            return;
        }
        const char* const where = asked_.settings && asked_.option ? "this section"
                                  : asked_.settings                ? "the program settings' section"
                                                                   : "an option's section";
        std::string message =
            "key " + Quoted(key) + " is never read: the reader does not ask for it in " + where;
        const Asked asked = asked_;
        if (const std::optional<Key> meant =
                MeantKey(key, [asked](Key candidate) { return Asks(asked, candidate); }))
            message += " (did you mean " + Quoted(KeyName(*meant)) + "?)";
        Emit(number, std::move(message));
    }

    // Only the first line of each number counts, and the list ends at the
    // first number missing or ending it.
    void CheckListedValue(const LogicalLine& line, std::size_t n, std::size_t number)
    {
        if (keys_.Repeats(n, line)) {
            Repeated(line.key, listedLines_[n - 1], number);
            return;
        }
        if (n <= keys_.ListedLines())
            listedLines_[n - 1] = static_cast<std::uint32_t>(number);
        const std::size_t end = keys_.ValueCount() + 1;
        if (n > end)
            Emit(number, "key " + Quoted(line.key) + " is never read: the list of values ends at " +
                             Quoted(ListedValueKey(end)) + ", which is " +
                             (keys_.EndsAtEmpty() ? "empty" : "missing"));
    }

    // A number value that reads otherwise than it looks, and a "First"
    // that marks no option.
    void CheckValue(Key key, const LogicalLine& line, std::string_view value, std::size_t number)
    {
        const bool flag = key == Key::Multiple || key == Key::Mandatory || key == Key::UseDir;
        if (!flag && !line.block && key != Key::First && key != Key::Arg)
            return;
        std::int32_t read = 0;
        std::string why = NumberDifference(value, read);
        if (flag && why.empty() && read != 0 && read != 1)
            why = "every number but 0 sets it";
        const bool marksNone = key == Key::First && MarksNoOption(read);
        if (why.empty() && !marksNone)
            return;
        const std::string shown = Quoted(std::string(line.key) + '=' + std::string(value));
        if (!why.empty()) {
            const std::string readAs =
                flag         ? (read != 0 ? "set" : "not set")
                : line.block ? "a count of " + Lines(static_cast<std::size_t>(std::max(read, 0)))
                             : std::to_string(read);
            Emit(number, shown + " is read as " + readAs + ": " + why);
        }
        if (!marksNone)
            return;
        const std::size_t options = optionLines.size();
        if (read < 0)
            Emit(number, shown + " marks no option: a save leaves it out, and the first option "
                                 "then becomes the default");
        else
            Emit(number, shown + " marks no option: it counts from 0, and the file has " +
                             std::to_string(options) + (options == 1 ? " option" : " options"));
    }

    std::string_view bytes_;
    LineCounter counter_;
    // What the first pass learns: the sections, and per name the line of
    // its first section and whether it is an option's name.
    SectionIndex index_;
    std::vector<std::uint32_t> firstLines_;
    std::vector<bool> optionNames_;
    // The second pass's place: the headers so far, the keys the reader asks
    // for in this section (none before the first header), the section's key
    // lines as read ahead once it has one, and the line of the first line of
    // each key and listed number met so far.
    std::size_t position_ = 0;
    bool afterHeader_ = false;
    Asked asked_;
    SectionKeys keys_;
    bool keysRead_ = false;
    std::array<std::size_t, KeyNames.size()> keyLines_{};
    std::vector<std::uint32_t> listedLines_;
    const std::vector<StoredFinding>* extra_ = nullptr;
    const Sink* sink_ = nullptr;
    std::size_t nextExtra_ = 0;
};

StoredFileCheck::StoredFileCheck(std::string_view bytes)
    : checker_(std::make_unique<Checker>(bytes))
{
}

StoredFileCheck::~StoredFileCheck() = default;

const std::vector<std::size_t>& StoredFileCheck::OptionLines() const
{
    return checker_->optionLines;
}

bool StoredFileCheck::OptionKeysSaid(std::size_t option) const
{
    return checker_->optionKeysSaid[option];
}

bool StoredFileCheck::DefaultSaid() const
{
    return checker_->defaultSaid;
}

void StoredFileCheck::Report(const std::vector<StoredFinding>& extra, const Sink& sink)
{
    checker_->Report(extra, sink);
}
