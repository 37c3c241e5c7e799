#include "document/HelpOptionList.h"

#include "document/HelpAscii.h"

#include <algorithm>
#include <map>
#include <optional>
#include <unordered_map>
#include <unordered_set>

namespace {

using namespace Ascii;

// How far apart the indents of neighbouring options may be: GNU lists
// indent the options without a short name by four more columns.
constexpr std::size_t IndentSlack = 4;

// Names found at the start of one line, or of a line and the one after it.
struct Candidate
{
    HelpOptionHead head;
    std::size_t lastLine = 0;
    std::string description;
    std::size_t descriptionColumn = NoPosition;
    std::string sourceLine;
};

bool MayStartOption(const HelpLine& line)
{
    return !line.text.empty() && (line.text.front() == '-' || line.text.front() == '+');
}

std::optional<Candidate> CandidateAt(const std::vector<HelpLine>& lines, std::size_t i)
{
    const HelpLine& line = lines[i];
    if (!MayStartOption(line))
        return std::nullopt;
    std::optional<HelpOptionHead> head = ReadOptionHead(line.text);
    if (!head)
        return std::nullopt;
    Candidate candidate;
    candidate.lastLine = i;
    candidate.sourceLine = line.text;
    if (head->continued && i + 1 < lines.size() && MayStartOption(lines[i + 1])) {
        // "--color[=WHEN]," then "--colour[=WHEN]  description" below.
        const std::string joined = std::string(line.text) + ' ' + std::string(lines[i + 1].text);
        head = ReadOptionHead(joined);
        if (!head || head->continued)
            return std::nullopt;
        candidate.lastLine = i + 1;
        candidate.sourceLine = joined;
        if (head->descriptionAt != NoPosition) {
            candidate.description = joined.substr(head->descriptionAt);
            candidate.descriptionColumn =
                ColumnAt(lines[i + 1], head->descriptionAt - line.text.size() - 1);
        }
    } else if (head->descriptionAt != NoPosition) {
        candidate.description = line.text.substr(head->descriptionAt);
        candidate.descriptionColumn = ColumnAt(line, head->descriptionAt);
    }
    candidate.head = std::move(*head);
    return candidate;
}

bool IsExamplesHeading(std::string_view text)
{
    const std::string lower = Lowered(text);
    return (StartsWith(lower, "example") || StartsWith(lower, "usage example")) &&
           (lower.back() == ':' || lower == "examples" || lower == "example");
}

// An entry while the list is read, with what decides whether it counts.
struct Draft
{
    Candidate names;
    std::size_t indent = 0;
    std::size_t group = 0;              // entries of one group have no other text between them
    std::vector<const HelpLine*> below; // description lines, nullptr for a blank line
    bool clear = false;                 // described, after a gap or below
};

class OptionListReader
{
public:
    OptionListReader(const std::vector<HelpLine>& lines, const std::vector<std::size_t>& usageLines)
        : lines_(lines)
    {
        list_.roles.assign(lines.size(), LineRole::Other);
        for (const std::size_t line : usageLines)
            list_.roles[line] = LineRole::Usage;
    }

    HelpOptionList Read()
    {
        for (std::size_t i = 0; i < lines_.size(); ++i)
            i = ReadLine(i);
        Close();
        return Finish();
    }

private:
    // Reads line i; returns the last line it took.
    std::size_t ReadLine(std::size_t i)
    {
        const HelpLine& line = lines_[i];
        if (list_.roles[i] == LineRole::Usage) {
            Close();
            ++group_;
            return i;
        }
        if (line.text.empty()) {
            blank_ = true;
            inExamples_ = false;
            if (open_)
                drafts_.back().below.push_back(nullptr);
            return i;
        }
        std::optional<Candidate> candidate;
        if (!inExamples_)
            candidate = CandidateAt(lines_, i);
        if (open_ && Continues(line, candidate.has_value())) {
            Draft& draft = drafts_.back();
            if (draft.names.descriptionColumn == NoPosition)
                draft.names.descriptionColumn = line.indent;
            draft.below.push_back(&line);
            list_.roles[i] = LineRole::Description;
            blank_ = false;
            return i;
        }
        Close();
        blank_ = false;
        if (candidate) {
            const std::size_t last = candidate->lastLine;
            for (std::size_t n = i; n <= last; ++n)
                list_.roles[n] = LineRole::Names;
            drafts_.push_back({std::move(*candidate), line.indent, group_, {}, false});
            open_ = true;
            return last;
        }
        headings_[++group_] = line.text;
        inExamples_ = IsExamplesHeading(line.text);
        return i;
    }

    bool Continues(const HelpLine& line, bool isCandidate) const
    {
        const Draft& draft = drafts_.back();
        if (line.indent <= draft.indent)
            return false;
        const std::size_t column = draft.names.descriptionColumn;
        const bool atDescription = column != NoPosition && line.indent >= column;
        return blank_ ? atDescription : atDescription || !isCandidate;
    }

    void Close()
    {
        if (!open_)
            return;
        std::vector<const HelpLine*>& below = drafts_.back().below;
        while (!below.empty() && below.back() == nullptr)
            below.pop_back();
        open_ = false;
    }

    HelpOptionList Finish()
    {
        for (Draft& draft : drafts_) {
            const bool described = !draft.names.description.empty() || !draft.below.empty();
            draft.clear = draft.names.head.separated && described;
            Layouts& layouts = layouts_[{draft.group, draft.indent}];
            layouts.clear += draft.clear ? 1 : 0;
            layouts.described += !draft.clear && !draft.names.description.empty() ? 1 : 0;
        }
        std::vector<HelpEntry> entries;
        entries.reserve(drafts_.size());
        for (const Draft& draft : drafts_) {
            if (draft.clear || HasClearNeighbour(draft))
                entries.push_back(Entry(draft));
        }
        FixValues(entries);
        RemoveRepeatedNames(entries);
        list_.entries = std::move(entries);
        return std::move(list_);
    }

    // A line of unclear layout counts when an option of clear layout stands
    // in the same run of options at about its indent; or, in a run with
    // none, when it and others of its indent have descriptions and the run
    // is headed as options or has at least three of them.
    bool HasClearNeighbour(const Draft& draft) const
    {
        std::size_t described = 0;
        const std::size_t lowest = draft.indent > IndentSlack ? draft.indent - IndentSlack : 0;
        for (auto at = layouts_.lower_bound({draft.group, lowest});
             at != layouts_.end() && at->first.first == draft.group &&
             at->first.second <= draft.indent + IndentSlack;
             ++at) {
            if (at->second.clear > 0)
                return true;
            described += at->second.described;
        }
        const auto heading = headings_.find(draft.group);
        const bool headed = heading != headings_.end() && NamesOptions(heading->second);
        return !draft.names.description.empty() && (described >= 3 || (described >= 2 && headed));
    }

    static bool NamesOptions(std::string_view heading)
    {
        const std::string lower = Lowered(heading);
        return lower.find("option") != NoPosition || lower.find("flag") != NoPosition ||
               lower.find("argument") != NoPosition;
    }

    static HelpEntry Entry(const Draft& draft)
    {
        HelpEntry entry;
        entry.spellings = draft.names.head.spellings;
        entry.repeatable = draft.names.head.repeatable;
        entry.defaultShown = draft.names.head.defaultShown;
        entry.sourceLine = draft.names.sourceLine;
        entry.description = draft.names.description;
        // The column of the lines below, as the first of them shows it.
        const std::size_t column = draft.below.empty() ? 0 : draft.below.front()->indent;
        bool paragraph = false;
        bool aside = false; // the line before was set apart from the column
        bool first = entry.description.empty();
        for (const HelpLine* line : draft.below) {
            if (line == nullptr) {
                paragraph = true;
                continue;
            }
            // A line set apart from the column or after one that is, a list
            // item, or the line after a blank one or a colon starts a line
            // of its own.
            const char lead = line->text.front();
            const bool ownLine = paragraph || aside || line->indent != column || lead == '-' ||
                                 lead == '*' || lead == '=' || entry.description.back() == ':';
            if (!first)
                entry.description += ownLine ? '\n' : ' ';
            entry.description += line->text;
            first = false;
            paragraph = false;
            aside = line->indent != column;
        }
        return entry;
    }

    // "--indicator-style=slash" beside "--indicator-style=WORD", and
    // "-Werror=dev" beside "-Werror=deprecated": a fixed value makes the
    // spelling a switch of its own.
    static void FixValues(std::vector<HelpEntry>& entries)
    {
        std::unordered_map<std::string, int> shown; // names shown with "=" and a value
        for (const HelpEntry& entry : entries) {
            for (const HelpSpelling& spelling : entry.spellings)
                shown[spelling.name] += spelling.joiner == '=' ? 1 : 0;
        }
        static const std::unordered_set<std::string> Booleans = {"true", "false", "yes",
                                                                 "no",   "on",    "off"};
        for (HelpEntry& entry : entries) {
            for (HelpSpelling& spelling : entry.spellings) {
                if (entry.defaultShown && !spelling.value.empty()) {
                    // "--all=false:" shows a switch, "--file=[]:" a list.
                    entry.repeatable = entry.repeatable || spelling.value == "[]";
                    if (Booleans.count(spelling.value) != 0)
                        spelling.value.clear();
                }
                if (!spelling.fixedCandidate)
                    continue;
                if (shown[spelling.name] < 2 && Booleans.count(spelling.value) == 0)
                    continue;
                spelling.name += '=' + spelling.value;
                spelling.value.clear();
                spelling.joiner = 0;
                spelling.fixedCandidate = false;
            }
        }
    }

    // Each name once: a later entry keeps only the names not shown before,
    // and goes when none is left.
    static void RemoveRepeatedNames(std::vector<HelpEntry>& entries)
    {
        std::unordered_set<std::string> seen;
        std::vector<HelpEntry> kept;
        kept.reserve(entries.size());
        for (HelpEntry& entry : entries) {
            std::vector<HelpSpelling> fresh;
            for (HelpSpelling& spelling : entry.spellings) {
                const bool isNew = seen.count(spelling.name) == 0 &&
                                   (spelling.negated.empty() || seen.count(spelling.negated) == 0);
                if (!isNew)
                    continue;
                seen.insert(spelling.name);
                if (!spelling.negated.empty())
                    seen.insert(spelling.negated);
                fresh.push_back(std::move(spelling));
            }
            if (fresh.empty())
                continue;
            entry.spellings = std::move(fresh);
            kept.push_back(std::move(entry));
        }
        entries = std::move(kept);
    }

    const std::vector<HelpLine>& lines_;
    HelpOptionList list_;
    std::vector<Draft> drafts_;
    std::size_t group_ = 0;
    std::unordered_map<std::size_t, std::string_view> headings_; // the line that starts a group
    // The options of a group at one indent: how many have a clear layout, and
    // how many of the others a description on their line.
    struct Layouts
    {
        std::size_t clear = 0;
        std::size_t described = 0;
    };
    std::map<std::pair<std::size_t, std::size_t>, Layouts> layouts_; // by group, then indent
    bool open_ = false;
    bool blank_ = false;
    bool inExamples_ = false;
};

} // namespace

HelpOptionList ReadOptionList(const std::vector<HelpLine>& lines,
                              const std::vector<std::size_t>& usageLines)
{
    return OptionListReader(lines, usageLines).Read();
}

std::string ValueName(const HelpEntry& entry)
{
    for (const HelpSpelling& spelling : entry.spellings) {
        if (spelling.value.empty())
            continue;
        std::string_view name = spelling.value;
        while (EndsWith(name, "..."))
            name.remove_suffix(3);
        while (!name.empty() && (name.front() == '[' || name.front() == '<' || name.front() == '='))
            name.remove_prefix(1);
        while (!name.empty() && (name.back() == ']' || name.back() == '>'))
            name.remove_suffix(1);
        const bool word = !name.empty() && std::all_of(name.begin(), name.end(), [](char c) {
            return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                   c == '_' || c == '-';
        });
        return word ? std::string(name) : std::string();
    }
    return {};
}

bool TakesValue(const HelpEntry& entry)
{
    return std::any_of(entry.spellings.begin(), entry.spellings.end(),
                       [](const HelpSpelling& s) { return !s.value.empty(); });
}
