#include "document/FindingText.h"

#include <algorithm>

namespace {

constexpr std::size_t ShownLength = 60;

} // namespace

std::string Quoted(std::string_view text)
{
    std::size_t length = std::min(text.size(), ShownLength);
    // A UTF-8 sequence is at most four bytes long.
    for (int step = 0; step < 3 && length > 0 && length < text.size() &&
                       (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80;
         ++step)
        --length;
    std::string shown = "\"";
    for (const char c : text.substr(0, length)) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte != 0x7F) {
            shown += c;
            continue;
        }
        constexpr std::string_view digits = "0123456789abcdef";
        shown += "\\x";
        shown += digits[byte >> 4];
        shown += digits[byte & 0xF];
    }
    if (length < text.size())
        shown += "...";
    return shown + '"';
}

std::string Lines(std::size_t count)
{
    return std::to_string(count) + (count == 1 ? " line" : " lines");
}
