#include "launcher/TerminalLine.h"

#include <algorithm>

namespace {

// The length of the valid UTF-8 sequence that starts with lead.
std::size_t SequenceLength(char lead)
{
    const auto byte = static_cast<unsigned char>(lead);
    if (byte < 0x80)
        return 1;
    if (byte < 0xE0)
        return 2;
    return byte < 0xF0 ? 3 : 4;
}

} // namespace

TerminalStyle TerminalLine::StyleAt(std::size_t offset) const
{
    const auto after =
        std::upper_bound(runs.begin(), runs.end(), offset,
                         [](std::size_t value, const StyleRun& run) { return value < run.Start; });
    return after == runs.begin() ? TerminalStyle() : std::prev(after)->Style;
}

std::size_t TerminalLine::CharacterEnd(std::size_t offset) const
{
    if (StyleAt(offset).Has(TerminalStyle::Invalid))
        return offset + 1;
    return std::min(bytes.size(), offset + SequenceLength(bytes[offset]));
}

std::size_t TerminalLine::CharacterStart(std::size_t offset) const
{
    std::size_t start = offset - 1;
    if (StyleAt(start).Has(TerminalStyle::Invalid))
        return start;
    while (start > 0 && IsContinuationByte(bytes[start]))
        --start;
    return start;
}

void TerminalLine::Replace(std::size_t from, std::size_t to, const char* data, std::size_t size,
                           const TerminalStyle& style)
{
    const std::size_t oldSize = bytes.size();
    const TerminalStyle after = to < oldSize ? StyleAt(to) : TerminalStyle();
    bytes.replace(from, to - from, data, size);
    if (runs.empty() && style == TerminalStyle())
        return;

    std::vector<StyleRun> result;
    result.reserve(runs.size() + 2);
    // Keeps the runs in order, without empty runs and without two alike side by side.
    const auto add = [&result](std::size_t start, const TerminalStyle& runStyle) {
        if (!result.empty() && result.back().Start == start)
            result.pop_back();
        const TerminalStyle previous = result.empty() ? TerminalStyle() : result.back().Style;
        if (previous != runStyle)
            result.push_back({static_cast<std::uint32_t>(start), runStyle});
    };
    for (const StyleRun& run : runs) {
        if (run.Start < from)
            add(run.Start, run.Style);
    }
    if (size > 0)
        add(from, style);
    if (to < oldSize)
        add(from + size, after);
    for (const StyleRun& run : runs) {
        if (run.Start > to)
            add(run.Start + size - (to - from), run.Style);
    }
    runs = std::move(result);
}

void TerminalLine::Truncate(std::size_t size)
{
    bytes.resize(size);
    while (!runs.empty() && runs.back().Start >= size)
        runs.pop_back();
}

void TerminalLine::Shrink()
{
    // Only long lines: the copy is paid once for a line that took as long to build.
    if (bytes.capacity() > LongLine && bytes.capacity() > bytes.size() + bytes.size() / 4)
        bytes.shrink_to_fit();
    if (runs.capacity() > runs.size() + runs.size() / 4 + 4)
        runs.shrink_to_fit();
}
