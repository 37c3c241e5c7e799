#pragma once

#include "launcher/TerminalStyle.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Whether byte goes on a UTF-8 sequence rather than starting a character.
inline bool IsContinuationByte(char byte)
{
    return (static_cast<unsigned char>(byte) & 0xC0) == 0x80;
}

// Where a style starts in a line's bytes; it holds up to the next run's start.
struct StyleRun
{
    std::uint32_t Start;
    TerminalStyle Style;
};

// One line of output: its bytes as the program wrote them (valid UTF-8, except in runs marked
// Invalid, where every byte stands alone) and the runs of style over them. Bytes before the
// first run have the default style; a line in one default style has no runs at all, so the
// common plain line costs no allocation beyond its text. Neighbouring runs differ in style,
// and a character never straddles two runs.
class TerminalLine
{
public:
    explicit TerminalLine(bool note = false) : note(note) {}

    const std::string& Bytes() const { return bytes; }
    const std::vector<StyleRun>& Runs() const { return runs; }
    std::size_t Size() const { return bytes.size(); }
    // A line of the launcher's own rather than the program's.
    bool IsNote() const { return note; }
    // The memory the line's contents take, as retention counts it.
    std::size_t Cost() const { return bytes.size() + runs.size() * sizeof(StyleRun); }

    TerminalStyle StyleAt(std::size_t offset) const;
    // The end of the character that starts at offset.
    std::size_t CharacterEnd(std::size_t offset) const;
    // The start of the character that ends at offset (> 0).
    std::size_t CharacterStart(std::size_t offset) const;

    void Append(const char* data, std::size_t size, const TerminalStyle& style)
    {
        if (StyleAtEnd() != style)
            runs.push_back({static_cast<std::uint32_t>(bytes.size()), style});
        bytes.append(data, size);
    }
    // Puts data, in style, in place of the whole characters in [from, to).
    void Replace(std::size_t from, std::size_t to, const char* data, std::size_t size,
                 const TerminalStyle& style);
    void Truncate(std::size_t size);
    // Gives back the spare capacity of a line that has grown long, once it is finished.
    void Compact()
    {
        if (bytes.capacity() > LongLine || runs.capacity() > runs.size() + runs.size() / 4 + 4)
            Shrink();
    }

private:
    static constexpr std::size_t LongLine = 4096;

    void Shrink();
    TerminalStyle StyleAtEnd() const { return runs.empty() ? TerminalStyle() : runs.back().Style; }

    std::string bytes;
    std::vector<StyleRun> runs;
    bool note;
};
