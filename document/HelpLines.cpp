#include "document/HelpLines.h"

std::vector<HelpLine> SplitHelpLines(std::string_view cleaned)
{
    std::vector<HelpLine> lines;
    lines.reserve(cleaned.size() / 40 + 1);
    for (std::size_t start = 0; start < cleaned.size();) {
        std::size_t end = cleaned.find('\n', start);
        if (end == std::string_view::npos)
            end = cleaned.size();
        std::size_t first = start;
        while (first < end && cleaned[first] == ' ')
            ++first;
        lines.push_back({first - start, cleaned.substr(first, end - first)});
        start = end + 1;
    }
    return lines;
}

std::size_t ColumnAt(const HelpLine& line, std::size_t at)
{
    std::size_t column = line.indent;
    for (std::size_t i = 0; i < at && i < line.text.size(); ++i) {
        if ((static_cast<unsigned char>(line.text[i]) & 0xC0) != 0x80)
            ++column;
    }
    return column;
}
