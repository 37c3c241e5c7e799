#pragma once

#include "document/DefinitionKeys.h"

#include <cstdint>
#include <string>
#include <string_view>

// The lines of a definition file as the writer writes them, appended to a
// text; each ends in CR LF.

inline constexpr std::string_view LineEnd = "\r\n";

class LineWriter
{
public:
    explicit LineWriter(std::string& out) : out_(out) {}

    void Line(std::string_view text);
    // "[name]".
    void Header(std::string_view name);
    // "key=value", whatever the value.
    void KeyLine(std::string_view key, std::string_view value);
    // A text's line, written only when the text is not empty.
    void Text(Key key, std::string_view value);
    // A number's line, written only when it is greater than 0.
    void Number(Key key, std::int32_t value);
    // A flag's line, "1", written only when it is set.
    void Flag(Key key, bool value);
    // "Information=" with the count of the text's lines, the text, and one
    // empty line; nothing for an empty text.
    void Information(std::string_view text);

private:
    std::string& out_;
};
