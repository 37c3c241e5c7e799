#include "document/StoredFileCheck.h"

#include "document/DefinitionFile.h"
#include "document/DefinitionKeys.h"
#include "document/LogicalLines.h"
#include "document/SectionNames.h"
#include "document/TextCompare.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <cstring>
#include <limits>
#include <optional>

// The reader's rules that the checks rest on: the program settings come
// from the first section named "Quarn", wherever it stands; the options are
// the sections at positions 1, 2, ... up to the first header without a
// name; a section's keys are read only from the first section of its name,
// and within it only the first line of each key counts. Two passes over the
// logical lines: the first finds the sections and so which keys the reader
// asks for in each, the second looks at every line.

namespace {

constexpr std::string_view SettingsName = "Quarn";
constexpr std::string_view Blanks = " \t\n\v\f\r";
constexpr std::size_t ShownLength = 60;

const std::string Capacity = std::to_string(LineCapacity);

// A text of the file as a message shows it, quoted: control bytes escaped,
// so that a finding stays one line of plain text, and long texts cut.
std::string Quoted(std::string_view text)
{
    std::size_t length = std::min(text.size(), ShownLength);
    // Not inside a UTF-8 sequence, which is at most four bytes long.
    for (int step = 0; step < 3 && length > 0 && length < text.size() &&
                       (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80;
         ++step)
        --length;
    std::string shown = "\"";
    for (const char c : text.substr(0, length)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7F) {
            shown += c;
            continue;
        }
        constexpr std::string_view digits = "0123456789abcdef";
        shown += "\\x";
        shown += digits[byte >> 4];
        shown += digits[byte & 0xF];
    }
    if (length < text.size())
        shown += "...";
    return shown + '"';
}

std::string Lines(std::size_t count)
{
    return std::to_string(count) + (count == 1 ? " line" : " lines");
}

bool IsBlankText(std::string_view text)
{
    return text.find_first_not_of(Blanks) == std::string_view::npos;
}

std::string_view TrimBlanks(std::string_view text)
{
    const std::size_t first = text.find_first_not_of(Blanks);
    if (first == std::string_view::npos)
        return {};
    return text.substr(first, text.find_last_not_of(Blanks) - first + 1);
}

// Why the reader takes a number value for another number than it shows;
// empty when it takes it as shown, or when it shows nothing.
std::string NumberDifference(std::string_view value, std::int32_t& number)
{
    number = 0;
    const bool read = ReadNumber(value, number);
    const std::size_t last = value.find_last_not_of(Blanks);
    if (last == std::string_view::npos)
        return {};
    const std::string_view shown = value.substr(0, last + 1);
    std::size_t i = shown.find_first_not_of(Blanks);
    const bool negative = shown[i] == '-';
    if (shown[i] == '-' || shown[i] == '+')
        ++i;
    if (i == shown.size() || shown.find_first_not_of("0123456789", i) != std::string_view::npos)
        return read ? "the reader ignores what follows the digits" : "it is not a number";
    // The number as shown, saturated well beyond the reader's range.
    constexpr std::int64_t ceiling = std::int64_t{1} << 40;
    std::int64_t exact = 0;
    for (; i < shown.size(); ++i)
        exact = std::min(ceiling, exact * 10 + (shown[i] - '0'));
    if (read && (negative ? -exact : exact) == number)
        return {};
    if (shown.size() > NumberWidth)
        return "the reader looks only at the first " + std::to_string(NumberWidth) +
               " characters of a number";
    return "it is beyond the range of the reader's numbers";
}

constexpr std::size_t Longest()
{
    std::size_t longest = 0;
    for (const std::string_view name : KeyNames)
        longest = std::max(longest, name.size());
    return longest;
}
constexpr std::size_t LongestKey = Longest();

// The edits (insert, delete, replace, swap of neighbours) that turn a into
// b, letter case aside; b is a key the reader knows.
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

// Physical line numbers of offsets met in increasing order.
class LineCounter
{
public:
    explicit LineCounter(std::string_view bytes) : bytes_(bytes) {}

    std::size_t LineAt(std::size_t offset)
    {
        line_ += static_cast<std::size_t>(
            std::count(bytes_.begin() + static_cast<std::ptrdiff_t>(offset_),
                       bytes_.begin() + static_cast<std::ptrdiff_t>(offset), '\n'));
        offset_ = offset;
        return line_;
    }

private:
    std::string_view bytes_;
    std::size_t offset_ = 0;
    std::size_t line_ = 1;
};

// The first section of a name, the only one the reader reads keys from.
// Kept small: a file may have millions of names.
struct NamedSection
{
    std::uint32_t position; // among the headers, from 0
    std::uint32_t line;
    bool asksSettings = false;
    bool asksOption = false;
};

// A section's "Value1", "Value2", ... lines: how many, and the first n
// (from 0) that is missing or empty, where the reader stops asking.
struct ValueList
{
    std::uint32_t listed = 0;
    std::uint32_t stop = 0;
    bool stopEmpty = false;
};

// Where the reader stops in one section's listed values, given in file order.
class ListStop
{
public:
    void Clear() { listed_.clear(); }

    void Add(std::size_t n, bool empty)
    {
        // Numbers past 2^32 are never reached, as Find says why.
        constexpr std::size_t unreachable = std::numeric_limits<std::uint32_t>::max();
        listed_.push_back({static_cast<std::uint32_t>(std::min(n, unreachable)), empty});
    }

    ValueList Find()
    {
        // A list of n values needs n lines, so larger numbers are never reached.
        const auto reachable = static_cast<std::uint32_t>(listed_.size());
        found_.assign(reachable, Found::Missing);
        for (const auto& [n, empty] : listed_) {
            if (n <= reachable && found_[n - 1] == Found::Missing)
                found_[n - 1] = empty ? Found::Empty : Found::Present;
        }
        ValueList list;
        list.listed = reachable;
        while (list.stop < reachable && found_[list.stop] == Found::Present)
            ++list.stop;
        list.stopEmpty = list.stop < reachable && found_[list.stop] == Found::Empty;
        return list;
    }

private:
    enum class Found
    {
        Missing,
        Empty,
        Present
    };
    std::vector<std::pair<std::uint32_t, bool>> listed_;
    std::vector<Found> found_;
};

} // namespace

class StoredFileCheck::Checker
{
public:
    explicit Checker(std::string_view bytes) : bytes_(bytes), counter_(bytes), names_(bytes)
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
        if (settings_ == NoName)
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
                section_ = CheckHeader(line, StripLineEnd(bytes_.substr(begin, end - begin)),
                                       number);
                afterHeader_ = true;
                keyLines_.fill(0);
                listedLines_.assign(section_ && section_->asksOption ? list_.listed : 0, 0);
                break;
            case LogicalLine::Kind::KeyLine:
                CheckKeyLine(line.key, begin, pieceEnd, end, number);
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
    static constexpr std::uint32_t NoName = std::numeric_limits<std::uint32_t>::max();

    struct FirstKey
    {
        std::size_t line;
        std::int32_t value;
    };

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

    // The first pass: the first section of every name, which of them the
    // reader asks for which keys, where it stops in their listed values,
    // and the options it makes.
    void Learn()
    {
        LogicalLineReader lines(bytes_);
        LineCounter counter(bytes_);
        LogicalLine line;
        std::uint32_t reading = NoName; // the first section of its name
        ListStop listStop;
        std::size_t headers = 0;
        for (std::size_t begin = 0; lines.Next(line); begin = lines.Position()) {
            if (line.kind == LogicalLine::Kind::KeyLine && reading != NoName) {
                std::size_t n = 0;
                if (ListedValueNumber(line.key, n))
                    listStop.Add(n, line.value.empty());
                else if (reading == settings_ && !first_ && FindKey(line.key) == Key::First)
                    first_ = FirstKey{counter.LineAt(begin), NumberValue(line.value)};
                continue;
            }
            if (line.kind != LogicalLine::Kind::Header &&
                line.kind != LogicalLine::Kind::NamelessHeader)
                continue;
            if (reading != NoName)
                StoreList(reading, listStop.Find());
            reading = NoName;
            const std::size_t position = headers++;
            if (line.name.empty()) {
                if (position >= 1 && listEnd_ > position)
                    listEnd_ = position;
                continue;
            }
            const std::size_t number = counter.LineAt(begin);
            const auto [name, added] = names_.Add(line.name);
            if (added)
                sections_.push_back(
                    {static_cast<std::uint32_t>(position), static_cast<std::uint32_t>(number)});
            NamedSection& named = sections_[name];
            const bool settingsName = EqualIgnoringCase(line.name, SettingsName);
            if (position >= 1 && position < listEnd_) {
                optionLines.push_back(number);
                optionKeysSaid.push_back(!added || settingsName);
                named.asksOption = true;
            }
            if (!added)
                continue;
            reading = name;
            listStop.Clear();
            if (settingsName && settings_ == NoName) {
                settings_ = name;
                named.asksSettings = true;
            }
        }
        if (reading != NoName)
            StoreList(reading, listStop.Find());
        defaultSaid = first_ && MarksNoOption(first_->value);
    }

    // Only the sections with listed values keep where their list stops.
    void StoreList(std::uint32_t name, const ValueList& list)
    {
        if (list.listed > 0)
            lists_.emplace_back(name, list);
    }

    ValueList ListOf(std::uint32_t name) const
    {
        const auto found =
            std::lower_bound(lists_.begin(), lists_.end(), name,
                             [](const std::pair<std::uint32_t, ValueList>& list,
                                std::uint32_t wanted) { return list.first < wanted; });
        return found != lists_.end() && found->first == name ? found->second : ValueList();
    }

    // "First" counts from 0 among the options the file makes.
    bool MarksNoOption(std::int32_t first) const
    {
        return !optionLines.empty() &&
               (first < 0 || static_cast<std::size_t>(first) >= optionLines.size());
    }

    // The findings of a section header; the first section of its name, when
    // the reader asks for keys in it.
    const NamedSection* CheckHeader(const LogicalLine& line, std::string_view header,
                                    std::size_t number)
    {
        const std::size_t position = position_++;
        if (line.name.empty()) {
            std::string message = "header " + Quoted(header) +
                                  (line.kind == LogicalLine::Kind::Header ? " has an empty name"
                                                                          : " has no \"]\"") +
                                  ": the key lines under it are never read";
            if (position == listEnd_)
                message += ", and neither it nor any section after it is read as an option";
            Emit(number, std::move(message));
            return nullptr;
        }
        // Every name has been met in the first pass.
        const std::uint32_t name = names_.Add(line.name).first;
        const NamedSection& first = sections_[name];
        const bool option = position >= 1 && position < listEnd_;
        const bool settingsName = EqualIgnoringCase(line.name, SettingsName);
        const std::string shown = Quoted(header.substr(0, line.name.size() + 2));
        if (first.position != position) {
            const std::string firstLine = std::to_string(first.line);
            if (option && settingsName)
                Emit(number, "section " + shown + " is read as an option named " +
                                 Quoted(line.name) +
                                 " with the keys of the program settings' section at line " +
                                 firstLine + "; its own keys are never read");
            else
                Emit(number, "section " + shown + " has the name of the section at line " +
                                 firstLine +
                                 ", letter case aside: its keys are never read, as the reader "
                                 "looks only in the first section of a name");
        } else if (position == 0 && !settingsName) {
            Emit(number, "the first section " + shown +
                             " is never read as an option: the reader skips the first section, "
                             "whatever its name");
        } else if (option && settingsName) {
            Emit(number, "section " + shown +
                             " is not the first section, so the reader reads it twice: as the "
                             "program settings and as an option named " +
                             Quoted(line.name));
        }
        if (!IsBlankText(header.substr(line.name.size() + 2)))
            Emit(number, "text after \"]\" is ignored: the section is named " + Quoted(line.name));
        const bool asked = first.position == position && (first.asksSettings || first.asksOption);
        if (asked)
            list_ = ListOf(name);
        return asked ? &first : nullptr;
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

    void CheckKeyLine(std::string_view key, std::size_t begin, std::size_t pieceEnd,
                      std::size_t end, std::size_t number)
    {
        // The value as the line shows it; an Information block's count.
        const std::string_view raw = bytes_.substr(begin + key.size() + 1,
                                                   pieceEnd - begin - key.size() - 1);
        std::int32_t count = 0;
        const bool block = EqualIgnoringCase(key, KeyNames[static_cast<std::size_t>(
                                                      Key::Information)]) &&
                           ReadNumber(raw, count);
        if (block)
            CheckBlock(count, pieceEnd, end, number);
        if (!afterHeader_)
            Emit(number, "key line before the first section header: the reader never reads it");
        // A section the reader never asks has been reported at its header.
        else if (section_)
            CheckKey(*section_, key, StripLineEnd(raw), block, number);
    }

    // The lines an Information count folds into its key's line.
    void CheckBlock(std::int32_t count, std::size_t textBegin, std::size_t end,
                    std::size_t number)
    {
        std::size_t taken = 0;
        std::optional<std::size_t> header;
        for (std::size_t piece = textBegin; piece < end; ++taken) {
            if (!header && bytes_[piece] == '[' && AtLineStart(piece))
                header = piece;
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
                             std::to_string(counter_.LineAt(*header)) + " as text");
    }

    bool FollowedByEmptyLine(std::size_t offset) const
    {
        const std::string_view rest = bytes_.substr(offset);
        return AtLineStart(offset) && (rest.substr(0, 1) == "\n" || rest.substr(0, 2) == "\r\n");
    }

    static bool Asks(const NamedSection& section, Key key)
    {
        return (section.asksSettings && IsSettingsKey(key)) ||
               (section.asksOption && IsOptionKey(key));
    }

    static bool AsksFor(const NamedSection& section, std::string_view key)
    {
        std::size_t n = 0;
        const std::optional<Key> known = FindKey(key);
        return (known && Asks(section, *known)) ||
               (section.asksOption && ListedValueNumber(key, n));
    }

    void CheckKey(const NamedSection& section, std::string_view key, std::string_view value,
                  bool block, std::size_t number)
    {
        if (const std::optional<Key> known = FindKey(key); known && Asks(section, *known)) {
            std::size_t& first = keyLines_[static_cast<std::size_t>(*known)];
            if (first != 0) {
                Emit(number, "key " + Quoted(key) + " repeats the one at line " +
                                 std::to_string(first) + ": the reader takes only the first");
                return;
            }
            first = number;
            CheckValue(*known, key, value, block, number);
            return;
        }
        std::size_t n = 0;
        if (section.asksOption && ListedValueNumber(key, n)) {
            CheckListedValue(key, n, number);
            return;
        }
        const std::string_view trimmed = TrimBlanks(key);
        if (trimmed.size() != key.size() && AsksFor(section, trimmed)) {
            Emit(number, "key " + Quoted(key) + " is never read: the reader asks for " +
                             Quoted(trimmed) + ", and blanks belong to the key");
            return;
        }
        if (section.asksOption && key.size() > 5 && AsksFor(section, key.substr(0, 5)) &&
            key.find_first_not_of("0123456789", 5) == std::string_view::npos) {
            Emit(number, "key " + Quoted(key) +
                             " is never read: the reader asks for \"Value1\", \"Value2\", ... "
                             "without leading zeros");
            return;
        }
        const char* const where = section.asksSettings && section.asksOption ? "this section"
                                  : section.asksSettings ? "the program settings' section"
                                                         : "an option's section";
        std::string message =
            "key " + Quoted(key) + " is never read: the reader does not ask for it in " + where;
        if (const std::optional<Key> meant = Meant(section, key))
            message +=
                " (did you mean " + Quoted(KeyNames[static_cast<std::size_t>(*meant)]) + "?)";
        Emit(number, std::move(message));
    }

    // The reader asks for "Value1", "Value2", ... and stops at the first
    // that is missing or empty; only the first line of each counts.
    void CheckListedValue(std::string_view key, std::size_t n, std::size_t number)
    {
        if (n <= list_.listed) {
            std::uint32_t& first = listedLines_[n - 1];
            if (first != 0) {
                Emit(number, "key " + Quoted(key) + " repeats the one at line " +
                                 std::to_string(first) + ": the reader takes only the first");
                return;
            }
            first = static_cast<std::uint32_t>(number);
        }
        if (n > list_.stop + 1)
            Emit(number, "key " + Quoted(key) + " is never read: the list of values ends at " +
                             "\"Value" + std::to_string(list_.stop + 1) + "\", which is " +
                             (list_.stopEmpty ? "empty" : "missing"));
    }

    // The key the section is asked for that a misspelt key is near enough
    // to, if any.
    static std::optional<Key> Meant(const NamedSection& section, std::string_view key)
    {
        const std::size_t allowed = key.size() < 5 ? 1 : 2;
        std::optional<Key> meant;
        std::size_t best = allowed + 1;
        for (std::size_t i = 0; i < KeyNames.size(); ++i) {
            const std::string_view name = KeyNames[i];
            if (!Asks(section, static_cast<Key>(i)) ||
                std::max(name.size(), key.size()) - std::min(name.size(), key.size()) > allowed)
                continue;
            if (const std::size_t distance = Distance(key, name); distance < best) {
                best = distance;
                meant = static_cast<Key>(i);
            }
        }
        return meant;
    }

    // A number value that reads otherwise than it looks, and a "First"
    // that marks no option.
    void CheckValue(Key key, std::string_view written, std::string_view value, bool block,
                    std::size_t number)
    {
        const bool flag = key == Key::Multiple || key == Key::Mandatory || key == Key::UseDir;
        const bool count = key == Key::Information && block;
        if (!flag && !count && key != Key::First && key != Key::Arg)
            return;
        std::int32_t read = 0;
        std::string why = NumberDifference(value, read);
        if (flag && why.empty() && read != 0 && read != 1)
            why = "every number but 0 sets it";
        const bool marksNone = key == Key::First && MarksNoOption(read);
        if (why.empty() && !marksNone)
            return;
        const std::string shown = Quoted(std::string(written) + '=' + std::string(value));
        if (!why.empty()) {
            const std::string readAs = flag    ? (read != 0 ? "set" : "not set")
                                       : count ? "a count of " + Lines(static_cast<std::size_t>(
                                                                     std::max(read, 0)))
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
    // What the first pass learns: per name its first section, and the
    // lists of values of those that have them, by name.
    SectionNames names_;
    std::vector<NamedSection> sections_;
    std::vector<std::pair<std::uint32_t, ValueList>> lists_;
    std::uint32_t settings_ = NoName;
    std::size_t listEnd_ = static_cast<std::size_t>(-1); // the first header ending the options
    std::optional<FirstKey> first_;
    // The second pass's place: the headers so far, the section the reader
    // asks for keys in (none before the first header and in sections it
    // never asks), and there the first line of each key (0 for none).
    std::size_t position_ = 0;
    bool afterHeader_ = false;
    const NamedSection* section_ = nullptr;
    ValueList list_; // the values listed in section_
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
