#pragma once

#include <algorithm>
#include <cstddef>
#include <string_view>

// The physical line numbers, from 1, of offsets in bytes met in increasing
// order: each byte is counted once.
class LineCounter
{
public:
    explicit LineCounter(std::string_view bytes) : bytes_(bytes) {}

    std::size_t LineAt(std::size_t offset)
    {
        line_ += static_cast<std::size_t>(
            std::count(bytes_.begin() + static_cast<std::ptrdiff_t>(offset_),
                       bytes_.begin() + static_cast<std::ptrdiff_t>(offset), '\n'));
        offset_ = offset;
        return line_;
    }

private:
    std::string_view bytes_;
    std::size_t offset_ = 0;
    std::size_t line_ = 1;
};
