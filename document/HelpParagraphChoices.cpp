#include "document/HelpParagraphChoices.h"

#include "document/HelpAscii.h"

#include <algorithm>
#include <string>
#include <unordered_map>

namespace {

using namespace Ascii;

// Words of prose as option names and value names are written: "--backup",
// "TIME_STYLE".
bool IsWordChar(char c)
{
    return IsNameChar(c) || c == '.';
}

class ParagraphReader
{
public:
    ParagraphReader(const std::vector<HelpLine>& lines, const std::vector<LineRole>& roles,
                    std::vector<HelpEntry>& entries)
        : lines_(lines), roles_(roles), entries_(entries)
    {
        for (std::size_t i = 0; i < entries.size(); ++i) {
            if (!TakesValue(entries[i]) || !entries[i].choices.values.empty())
                continue;
            const std::string value = ValueName(entries[i]);
            if (value.size() > 1 && IsCapitals(value))
                byValue_[value].push_back(i);
            for (const HelpSpelling& spelling : entries[i].spellings)
                bySpelling_[spelling.name].push_back(i);
        }
    }

    void Read()
    {
        if (byValue_.empty() && bySpelling_.empty())
            return;
        for (std::size_t i = 0; i < lines_.size();) {
            if (!IsProse(i)) {
                ++i;
                continue;
            }
            std::size_t end = i + 1;
            std::string text(lines_[i].text);
            for (; end < lines_.size() && IsProse(end) && lines_[end].indent == lines_[i].indent;
                 ++end)
                text.append(" ").append(lines_[end].text);
            if (text.back() == ':')
                end = ReadTable(text, lines_[i].indent, end);
            else
                ReadSentences(text);
            i = end;
        }
    }

private:
    bool IsProse(std::size_t i) const
    {
        return roles_[i] == LineRole::Other && !lines_[i].text.empty();
    }

    // The options a clause names: by one of their names (with an empty
    // value name), else by their value's name in capitals, with that name.
    struct Named
    {
        std::string valueName;
        const std::vector<std::size_t>* entries;
    };

    std::vector<Named> NamedIn(std::string_view clause) const
    {
        std::vector<Named> bySpelling;
        std::vector<Named> byValue;
        for (std::size_t i = 0; i < clause.size();) {
            if (!IsWordChar(clause[i])) {
                ++i;
                continue;
            }
            std::size_t end = i;
            while (end < clause.size() && IsWordChar(clause[end]))
                ++end;
            std::string word(clause.substr(i, end - i));
            while (!word.empty() && word.back() == '.')
                word.pop_back();
            const auto spelled = bySpelling_.find(word);
            if (spelled != bySpelling_.end())
                bySpelling.push_back({std::string(), &spelled->second});
            const auto valued = byValue_.find(word);
            if (valued != byValue_.end())
                byValue.push_back({word, &valued->second});
            i = end;
        }
        return bySpelling.empty() ? byValue : bySpelling;
    }

    void Give(const std::vector<std::size_t>& targets, const ChoiceList& choices)
    {
        for (const std::size_t target : targets) {
            if (entries_[target].choices.values.empty())
                entries_[target].choices = choices;
        }
    }

    void ReadSentences(std::string_view text)
    {
        for (const std::string_view clause : Clauses(text)) {
            for (const Named& named : NamedIn(clause)) {
                const ChoiceList choices = ChoicesInProse(clause, named.valueName);
                if (!choices.values.empty())
                    Give(*named.entries, choices);
            }
        }
    }

    // A table after an introducing sentence: returns the line after it.
    std::size_t ReadTable(std::string_view text, std::size_t indent, std::size_t next)
    {
        const std::vector<std::string_view> clauses = Clauses(text);
        const std::vector<Named> named =
            clauses.empty() ? std::vector<Named>() : NamedIn(clauses.back());
        std::size_t row = next;
        if (row < lines_.size() && lines_[row].text.empty())
            ++row;
        ChoiceList choices;
        for (; row < lines_.size() && IsProse(row) && lines_[row].indent > indent; ++row) {
            if (!ReadRow(lines_[row].text, choices.values))
                return next;
        }
        if (choices.values.size() >= 2) {
            for (const Named& options : named)
                Give(*options.entries, choices);
        }
        return choices.values.empty() ? next : row;
    }

    // The first column of a table row: one value, or a few separated by
    // commas, before two blanks or the end of the line.
    static bool ReadRow(std::string_view row, std::vector<std::string>& values)
    {
        const std::size_t gap = row.find("  ");
        std::string_view column = row.substr(0, gap);
        while (!column.empty()) {
            const std::size_t comma = column.find(", ");
            const std::string_view value = column.substr(0, comma);
            if (!IsChoiceWord(value))
                return false;
            values.emplace_back(value);
            column = comma == NoPosition ? std::string_view() : column.substr(comma + 2);
        }
        return true;
    }

    const std::vector<HelpLine>& lines_;
    const std::vector<LineRole>& roles_;
    std::vector<HelpEntry>& entries_;
    std::unordered_map<std::string, std::vector<std::size_t>> byValue_;
    std::unordered_map<std::string, std::vector<std::size_t>> bySpelling_;
};

} // namespace

void AddParagraphChoices(const std::vector<HelpLine>& lines, const std::vector<LineRole>& roles,
                         std::vector<HelpEntry>& entries)
{
    ParagraphReader(lines, roles, entries).Read();
}
