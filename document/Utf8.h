#pragma once

#include <cstddef>
#include <string_view>

// UTF-8 as the program takes it: no overlong forms, no surrogates, nothing
// past U+10FFFF, so that valid text always comes back as the same bytes.

// The sequence at data[0, size), size > 0: its length when it is whole and
// valid, 0 when data[0] starts no valid sequence, and -1 when the bytes
// there are a valid start that goes on past size.
int Utf8SequenceLength(const unsigned char* data, std::size_t size);

bool IsValidUtf8(std::string_view text);
