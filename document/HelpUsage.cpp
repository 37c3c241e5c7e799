#include "document/HelpUsage.h"

#include "document/HelpAscii.h"

#include <algorithm>

namespace {

using namespace Ascii;

// More operands than this in one form means the form was not read as meant.
constexpr std::size_t MostOperands = 8;

// "or: cp ..." and "or  java ...": another form of the command.
bool StartsAnotherForm(std::string_view text, std::string_view& rest)
{
    const std::string start = Lowered(text.substr(0, 3));
    if (start == "or:" || start == "or ") {
        rest = Trimmed(text.substr(3));
        return !rest.empty();
    }
    return false;
}

// The form's words: blanks separate them outside brackets.
std::vector<std::string_view> Words(std::string_view form)
{
    std::vector<std::string_view> words;
    int depth = 0;
    std::size_t start = NoPosition;
    for (std::size_t i = 0; i <= form.size(); ++i) {
        const char c = i < form.size() ? form[i] : ' ';
        if (c == ' ' && depth <= 0) {
            if (start != NoPosition)
                words.push_back(form.substr(start, i - start));
            start = NoPosition;
            depth = 0;
            continue;
        }
        if (start == NoPosition)
            start = i;
        if (IsOpening(c))
            ++depth;
        else if (IsClosing(c))
            --depth;
    }
    return words;
}

bool IsCapitalWord(std::string_view word)
{
    return !word.empty() && IsUpper(word.front()) && IsCapitals(word);
}

// "[OPTION]...", "[options]", "[flags]", "[global options]", "[<options>]".
bool IsOptionGroup(std::string_view inner)
{
    const std::string lower = Lowered(inner);
    return lower.find("option") != NoPosition || lower.find("flag") != NoPosition;
}

// The operand's name without "<>" and dots; empty when it is no plain name.
std::string OperandName(std::string_view word)
{
    while (EndsWith(word, "..."))
        word.remove_suffix(3);
    if (word.size() > 2 && word.front() == '<' && word.back() == '>')
        word = word.substr(1, word.size() - 2);
    const bool plain =
        !word.empty() && IsLetter(word.front()) &&
        std::all_of(word.begin(), word.end(), [](char c) { return IsNameChar(c) || c == '.'; });
    return plain ? std::string(word) : std::string();
}

} // namespace

UsageLines FindUsage(const std::vector<HelpLine>& lines)
{
    UsageLines usage;
    std::size_t at = 0;
    std::size_t label = 0; // "usage:" or "use:" before the first form; 0 for a heading
    for (; at < lines.size(); ++at) {
        const std::string_view text = lines[at].text;
        label = Lowered(text.substr(0, 6)) == "usage:" ? 6
                : Lowered(text.substr(0, 4)) == "use:" ? 4
                                                       : 0;
        if (label > 0 || text == "Usage" || text == "USAGE")
            break;
    }
    if (at == lines.size())
        return usage;
    usage.lines.push_back(at);
    const std::string_view first =
        label == 0 ? std::string_view() : Trimmed(lines[at].text.substr(label));
    std::size_t next = at + 1;
    if (first.empty()) { // a heading: the forms are the indented lines under it
        while (next < lines.size() && lines[next].text.empty())
            ++next;
        for (; next < lines.size() && !lines[next].text.empty() &&
               lines[next].indent > lines[at].indent;
             ++next) {
            usage.forms.emplace_back(lines[next].text);
            usage.lines.push_back(next);
        }
        return usage;
    }
    usage.forms.emplace_back(first);
    // Wrapped lines are indented at least past the label; option lines may
    // follow the usage without a blank line.
    for (; next < lines.size() && !lines[next].text.empty(); ++next) {
        std::string_view rest;
        if (StartsAnotherForm(lines[next].text, rest))
            usage.forms.emplace_back(rest);
        else if (lines[next].indent >= lines[at].indent + label &&
                 lines[next].text.front() != '-' && lines[next].text.front() != '+')
            usage.forms.back().append(" ").append(lines[next].text);
        else
            break;
        usage.lines.push_back(next);
    }
    return usage;
}

std::vector<UsageOperand> UsageOperands(std::string_view form)
{
    std::vector<UsageOperand> operands;
    const std::vector<std::string_view> words = Words(form);
    bool commandWords = true; // "git commit": the command's own words come first
    bool optionValue = false; // the word after "-o" is its value
    for (std::size_t i = 1; i < words.size(); ++i) {
        const std::string_view word = words[i];
        const bool takesValue = optionValue;
        optionValue = false;
        if (word.front() == '-') {
            commandWords = false;
            optionValue = word != "--" && word.find('=') == NoPosition;
            continue;
        }
        if (takesValue && (IsCapitalWord(word) || word.front() == '<'))
            continue;
        if (word == "...") {
            if (!operands.empty())
                operands.back().repeated = true;
            continue;
        }
        UsageOperand operand;
        if (word.front() == '[') {
            const std::size_t close = word.rfind(']');
            const std::string_view inner =
                word.substr(1, close == NoPosition ? NoPosition : close - 1);
            if (IsOptionGroup(inner))
                continue;
            commandWords = false;
            const std::size_t blank = inner.find(' ');
            const std::string_view rest = blank == NoPosition ? "" : Trimmed(inner.substr(blank));
            if (inner.find_first_of("[({|") != NoPosition || (!rest.empty() && rest != "..."))
                continue;
            operand.name = OperandName(inner.substr(0, blank));
            operand.repeated = !rest.empty() || EndsWith(inner, "...") || EndsWith(word, "...");
        } else if (word.front() == '(' || word.front() == '{') {
            commandWords = false;
            continue;
        } else if (word.front() == '<' || IsCapitalWord(word) || !commandWords) {
            commandWords = false;
            operand.name = OperandName(word);
            operand.required = true;
            operand.repeated = EndsWith(word, "...");
        }
        if (!operand.name.empty())
            operands.push_back(std::move(operand));
    }
    if (operands.size() > MostOperands)
        operands.clear();
    return operands;
}
