#include "document/TextReadBack.h"

#include "document/DefinitionFile.h"
#include "document/LineWriter.h"
#include "document/LogicalLines.h"

#include <algorithm>

// The lines below are written by the writer's own LineWriter.

namespace {

bool HasLineFeed(std::string_view text)
{
    return text.find('\n') != std::string_view::npos;
}

// Whether the lines after the first are all lines the reader ignores.
bool RestIgnored(LogicalLineReader& reader)
{
    LogicalLine line;
    while (reader.Next(line)) {
        if (line.kind != LogicalLine::Kind::Other)
            return false;
    }
    return true;
}

// The first line's value against text, and the rest of the lines.
TextReadBack ReadBackValue(const std::string& written, std::string_view text)
{
    LogicalLineReader reader(written);
    LogicalLine line;
    TextReadBack result;
    // The key is far shorter than a line: the first line is the key line.
    reader.Next(line);
    if (line.value != text)
        result.changed = std::string(line.value);
    result.contained = RestIgnored(reader);
    return result;
}

// Whether a line's one piece holds "key=text" and its line end.
bool FitsOneLine(std::size_t keyLength, std::string_view text)
{
    return !HasLineFeed(text) && keyLength + 1 + text.size() + LineEnd.size() <= LineCapacity;
}

TextReadBack ReadBackLine(std::string_view key, std::string_view text)
{
    if (FitsOneLine(key.size(), text))
        return {};
    std::string written;
    written.reserve(key.size() + 1 + text.size() + LineEnd.size());
    LineWriter(written).KeyLine(key, text);
    return ReadBackValue(written, text);
}

// An Information text, written as its counted block.
TextReadBack ReadBackBlock(std::string_view text)
{
    // Folded with CR LF after each line, the block comes back as it is when
    // each of its line feeds follows a CR and the whole fits a line.
    bool crLf = true;
    for (std::size_t lf = text.find('\n'); crLf && lf != std::string_view::npos;
         lf = text.find('\n', lf + 1))
        crLf = lf > 0 && text[lf - 1] == '\r';
    if (crLf && BlockFitsLine(text))
        return {};
    std::string written;
    written.reserve(KeyName(Key::Information).size() + 24 + text.size());
    LineWriter(written).Information(text);
    return ReadBackValue(written, text);
}

} // namespace

TextReadBack ReadBackText(Key key, std::string_view text)
{
    return key == Key::Information ? ReadBackBlock(text) : ReadBackLine(KeyName(key), text);
}

TextReadBack ReadBackListedValue(std::size_t n, std::string_view text)
{
    // "Value" and up to 20 digits.
    if (FitsOneLine(25, text))
        return {};
    return ReadBackLine(ListedValueKey(n), text);
}

bool BlockFitsLine(std::string_view text)
{
    // The key, its '=', and the text with its line end.
    return KeyName(Key::Information).size() + 1 + text.size() + LineEnd.size() <= LineCapacity;
}

HeaderReadBack ReadBackHeader(std::string_view sectionName)
{
    if (!HasLineFeed(sectionName) && sectionName.size() + 2 <= LineCapacity)
        return {true, true, std::min(sectionName.find(']'), sectionName.size())};
    std::string written;
    written.reserve(sectionName.size() + 2 + LineEnd.size());
    LineWriter(written).Header(sectionName);
    LogicalLineReader reader(written);
    LogicalLine line;
    reader.Next(line);
    HeaderReadBack result;
    result.named = line.kind == LogicalLine::Kind::Header;
    result.nameLength = line.name.size();
    result.contained = RestIgnored(reader);
    return result;
}
