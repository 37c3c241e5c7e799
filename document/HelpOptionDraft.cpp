#include "document/HelpOptionDraft.h"

#include "document/DefinitionKeys.h"
#include "document/HelpAscii.h"
#include "document/TextCompare.h"

#include <algorithm>
#include <array>
#include <unordered_set>

namespace {

// Words in a description hint, and its length at most.
constexpr std::size_t HintWords = 4;
constexpr std::size_t HintLength = 30;

// Which name is preferred: "--output", then "-output" or "+output", then "-o".
int Preference(const std::string& name)
{
    if (Ascii::StartsWith(name, "--"))
        return 2;
    return name.size() > 2 ? 1 : 0;
}

// "-NUM" as grep shows it, "-#" as zstd does: the number itself is the option.
bool IsNumberOption(const HelpEntry& entry)
{
    static constexpr std::array<std::string_view, 4> Places = {"NUM", "NUMBER", "DIGITS", "#"};
    if (entry.spellings.size() != 1 || entry.spellings.front().name[0] != '-')
        return false;
    const std::string_view place = std::string_view(entry.spellings.front().name).substr(1);
    return std::find(Places.begin(), Places.end(), place) != Places.end();
}

// Value types of list flags in cobra and docker: every use adds a value.
bool IsListType(std::string_view value)
{
    return value == "stringArray" || value == "strings" || value == "stringSlice" ||
           value == "list" || value == "intSlice" || value == "uintSlice";
}

std::string ReadableName(const std::string& name)
{
    std::size_t dashes = 0;
    while (dashes < name.size() && name[dashes] == '-')
        ++dashes;
    return name.substr(dashes);
}

std::string InformationText(const std::string& description)
{
    std::string text;
    text.reserve(description.size() + description.size() / 32);
    for (const char c : description) {
        if (c == '\n')
            text += '\r';
        text += c;
    }
    return text;
}

// How the value is written after the preferred name when the help shows
// it after another one: as there, else "=" after a long name (which getopt
// needs for an optional value) and a separate word after a short one.
char JoinerFor(const HelpSpelling& preferred, const HelpSpelling& valued)
{
    if (&preferred == &valued || valued.joiner != 0)
        return valued.joiner;
    return Ascii::StartsWith(preferred.name, "--") ? '=' : ' ';
}

std::string FormatWith(const std::string& name, char joiner)
{
    if (joiner == '=')
        return name + "=%s";
    if (joiner == ' ')
        return name + " %s";
    return name + "%s";
}

// The first words of a description, for telling apart two options whose
// names differ only in case.
std::string DescriptionHint(const std::string& information)
{
    std::string hint;
    std::size_t words = 0;
    std::string word;
    const auto addWord = [&]() {
        if (word.empty())
            return words < HintWords && hint.size() < HintLength;
        if (hint.size() + word.size() + 1 > HintLength)
            return false;
        hint += (hint.empty() ? "" : " ") + word;
        word.clear();
        return ++words < HintWords;
    };
    for (const char c : information) {
        if (c == '\r' || c == '\n' || c == ';' || c == ':' || c == ',' || c == '(' || c == '.')
            break;
        if (c == ' ') {
            if (!addWord())
                return hint;
        } else if (Ascii::IsNameChar(c) && c != '_') {
            word += c;
        }
    }
    addWord();
    return hint;
}

} // namespace

DraftedOption DraftOption(const HelpEntry& entry)
{
    DraftedOption draft;
    draft.sourceLine = entry.sourceLine;
    for (const HelpSpelling& spelling : entry.spellings) {
        draft.spellings.push_back(spelling.name);
        if (!spelling.negated.empty())
            draft.spellings.push_back(spelling.negated);
    }
    COption& option = draft.option;
    option.Information = InformationText(entry.description);
    option.Mandatory = entry.mandatory;
    if (IsNumberOption(entry)) {
        option.Name = ReadableName(entry.spellings.front().name);
        option.Type = "String";
        option.Format = "-%s";
        return draft;
    }
    const HelpSpelling& preferred =
        *std::max_element(entry.spellings.begin(), entry.spellings.end(),
                          [](const HelpSpelling& a, const HelpSpelling& b) {
                              return Preference(a.name) < Preference(b.name);
                          });
    option.Name = ReadableName(preferred.name);
    const auto valued = std::find_if(entry.spellings.begin(), entry.spellings.end(),
                                     [](const HelpSpelling& s) { return !s.value.empty(); });
    if (valued == entry.spellings.end()) {
        option.Type = "True";
        option.Format = preferred.name;
        return draft;
    }
    const HelpSpelling& shown = preferred.value.empty() ? *valued : preferred;
    option.Format = FormatWith(preferred.name, JoinerFor(preferred, shown));
    const bool optional = shown.optional;
    if (!entry.choices.values.empty()) {
        option.Type = optional || entry.choices.open ? "Suggest" : "Select";
        option.Values = entry.choices.values;
        return draft;
    }
    option.Type = "String";
    option.Multiple = entry.repeatable || IsListType(shown.value);
    return draft;
}

DraftedOption DraftOperand(const UsageOperand& operand, int position,
                           const std::string& description)
{
    DraftedOption draft;
    draft.option.Name = operand.name;
    draft.option.Type = "String";
    draft.option.Arg = position;
    draft.option.Mandatory = operand.required;
    draft.option.Multiple = operand.repeated;
    draft.option.Information = InformationText(description);
    return draft;
}

void GiveDistinctNames(std::vector<DraftedOption>& drafts)
{
    // No option may be read as the program settings' section.
    std::unordered_set<std::string, FoldedHash, FoldedEqual> taken = {std::string(SettingsSection)};
    taken.reserve(drafts.size() * 2 + 1);
    for (DraftedOption& draft : drafts) {
        std::string& name = draft.option.Name;
        if (taken.count(name) != 0) {
            const std::string hint = draft.spellings.empty()
                                         ? std::string("argument")
                                         : DescriptionHint(draft.option.Information);
            std::string distinct = hint.empty() ? std::string() : name + " (" + hint + ")";
            for (int number = 2; distinct.empty() || taken.count(distinct) != 0; ++number)
                distinct = name + " (" + std::to_string(number) + ")";
            name = std::move(distinct);
        }
        taken.insert(name);
    }
}
