#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Texts of a definition file as the findings about it show them.

// A text quoted: control bytes escaped, so that a finding stays one line of
// plain text, and a long text cut, not inside a UTF-8 sequence.
std::string Quoted(std::string_view text);

// "1 line", "2 lines", ...
std::string Lines(std::size_t count);
