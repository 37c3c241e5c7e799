#include "document/HelpEntryDetails.h"

#include "document/HelpAscii.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

using namespace Ascii;

std::vector<std::string_view> SplitLines(std::string_view text)
{
    std::vector<std::string_view> lines;
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find('\n', start), text.size());
        lines.push_back(text.substr(start, end - start));
        start = end + 1;
    }
    return lines;
}

// The first word of a list item or value line: "=unknown  - ...",
// "- auto: ...".
std::string_view LeadingWord(std::string_view text)
{
    const std::size_t end = text.find_first_of(" :");
    return text.substr(0, end);
}

// Values the description lists one per line: "=value" lines under an
// LLVM option, or the "- value: ..." items after a line ending in "values:".
ChoiceList ListedInLines(std::string_view description)
{
    ChoiceList list;
    bool itemsFollow = false;
    for (const std::string_view line : SplitLines(description)) {
        if (line.size() > 1 && line[0] == '=') {
            const std::string_view word = LeadingWord(line.substr(1));
            if (IsChoiceWord(word))
                list.values.emplace_back(word);
        } else if (itemsFollow && line.size() > 2 && (line[0] == '-' || line[0] == '*') &&
                   line[1] == ' ') {
            const std::string_view word = LeadingWord(line.substr(2));
            if (IsChoiceWord(word))
                list.values.emplace_back(word);
        } else {
            itemsFollow = EndsWith(Lowered(line), "values:");
        }
    }
    return list;
}

ChoiceList ChoicesOf(const HelpEntry& entry)
{
    for (const HelpSpelling& spelling : entry.spellings) {
        std::vector<std::string> listed = ChoicesInPlace(spelling.value);
        if (!listed.empty())
            return {std::move(listed), false};
    }
    ChoiceList lines = ListedInLines(entry.description);
    if (!lines.values.empty())
        return lines;
    std::string prose = entry.description;
    std::replace(prose.begin(), prose.end(), '\n', ' ');
    return ChoicesInProse(prose, ValueName(entry));
}

bool SaysRequired(std::string_view description)
{
    const std::string lower = Lowered(description);
    return lower.find("[required]") != NoPosition || lower.find("(required)") != NoPosition;
}

bool SaysRepeatable(std::string_view description)
{
    const std::string lower = Lowered(description);
    for (const std::string_view phrase :
         {"be repeated", "repeatable", "multiple times", "more than once", "several times"}) {
        if (lower.find(phrase) != NoPosition)
            return true;
    }
    return false;
}

} // namespace

void ReadEntryDetails(HelpEntry& entry)
{
    if (TakesValue(entry))
        entry.choices = ChoicesOf(entry);
    entry.mandatory = SaysRequired(entry.description);
    entry.repeatable = entry.repeatable || SaysRepeatable(entry.description);
}
