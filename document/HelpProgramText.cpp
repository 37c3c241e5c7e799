#include "document/HelpProgramText.h"

#include "document/HelpAscii.h"

#include <algorithm>

namespace {

using namespace Ascii;

// "OVERVIEW: A tool ..." without its label.
std::string_view WithoutLabel(std::string_view text)
{
    const std::size_t colon = text.find(": ");
    if (colon == NoPosition || colon == 0)
        return text;
    const std::string_view label = text.substr(0, colon);
    const bool capitals =
        std::all_of(label.begin(), label.end(), [](char c) { return IsUpper(c) || c == ' '; });
    return capitals ? text.substr(colon + 2) : text;
}

std::string FirstSentence(std::string_view text)
{
    for (std::size_t at = text.find(". "); at != NoPosition; at = text.find(". ", at + 1)) {
        if (EndsSentence(text, at))
            return std::string(text.substr(0, at + 1));
    }
    return std::string(text);
}

// A version banner ("tool 1.2.3 (2024-01-01)") says nothing of what the
// program does.
bool IsVersionLine(std::string_view text)
{
    for (std::size_t i = 0; i + 2 < text.size(); ++i) {
        if (IsDigit(text[i]) && text[i + 1] == '.' && IsDigit(text[i + 2]))
            return text.size() < 60;
    }
    return false;
}

// A line with two columns: a gap that does not follow a sentence's end.
bool IsTableRow(std::string_view text)
{
    for (std::size_t gap = text.find("  "); gap != NoPosition; gap = text.find("  ", gap + 2)) {
        if (gap > 0 && text[gap - 1] != '.' && text[gap - 1] != ':' && text[gap - 1] != '?' &&
            text[gap - 1] != '!')
            return true;
    }
    return false;
}

} // namespace

std::string ProgramDescription(const std::vector<HelpLine>& lines,
                               const std::vector<LineRole>& roles)
{
    const auto isProse = [&](std::size_t i) {
        return roles[i] == LineRole::Other && !lines[i].text.empty() &&
               lines[i].text.back() != ':' && !IsTableRow(lines[i].text);
    };
    for (std::size_t i = 0; i < lines.size() && roles[i] != LineRole::Names; ++i) {
        if (!isProse(i))
            continue;
        std::string paragraph(WithoutLabel(lines[i].text));
        std::size_t end = i + 1;
        for (; end < lines.size() && isProse(end) && lines[end].indent == lines[i].indent; ++end)
            paragraph.append(" ").append(lines[end].text);
        const bool word = paragraph.find(' ') == NoPosition;
        if (!word && !(end == i + 1 && IsVersionLine(paragraph)))
            return FirstSentence(paragraph);
        i = end - 1;
    }
    return {};
}

std::string OperandDescription(const std::vector<HelpLine>& lines,
                               const std::vector<LineRole>& roles, const std::string& name)
{
    for (std::size_t i = 0; i < lines.size(); ++i) {
        if (roles[i] != LineRole::Other)
            continue;
        std::string_view text = lines[i].text;
        for (const std::string& shown : {name, "<" + name + ">", "[" + name + "]"}) {
            if (!StartsWith(text, shown) ||
                (text.size() > shown.size() && text.substr(shown.size(), 2) != "  "))
                continue;
            std::string description(text.size() > shown.size() ? text.substr(shown.size()) : "");
            description.erase(0, description.find_first_not_of(' '));
            for (std::size_t next = i + 1; next < lines.size() && roles[next] == LineRole::Other &&
                                           lines[next].indent > lines[i].indent;
                 ++next)
                description.append(description.empty() ? "" : " ").append(lines[next].text);
            return description;
        }
    }
    return {};
}
