#include "document/LineWriter.h"

#include <algorithm>

void LineWriter::Line(std::string_view text)
{
    out_ += text;
    out_ += LineEnd;
}

void LineWriter::Header(std::string_view name)
{
    out_ += '[';
    out_ += name;
    Line("]");
}

void LineWriter::KeyLine(std::string_view key, std::string_view value)
{
    out_ += key;
    out_ += '=';
    Line(value);
}

void LineWriter::Text(Key key, std::string_view value)
{
    if (!value.empty())
        KeyLine(KeyName(key), value);
}

void LineWriter::Number(Key key, std::int32_t value)
{
    if (value > 0)
        KeyLine(KeyName(key), std::to_string(value));
}

void LineWriter::Flag(Key key, bool value)
{
    if (value)
        KeyLine(KeyName(key), "1");
}

void LineWriter::Information(std::string_view text)
{
    if (text.empty())
        return;
    const auto lines = 1 + std::count(text.begin(), text.end(), '\n');
    KeyLine(KeyName(Key::Information), std::to_string(lines));
    Line(text);
    Line({});
}
