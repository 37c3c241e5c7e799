#include "launcher/TerminalEscapes.h"

#include <algorithm>

namespace {

constexpr unsigned char Escape = 0x1B;
constexpr unsigned char Bell = 0x07;
constexpr unsigned char Cancel = 0x18;
constexpr unsigned char Substitute = 0x1A;
constexpr unsigned char Delete = 0x7F;
constexpr int MaxParameterValue = 65535;

bool IsIntermediate(unsigned char byte)
{
    return byte >= 0x20 && byte <= 0x2F;
}

std::uint32_t Channel(int value)
{
    return static_cast<std::uint32_t>(std::min(value, 255));
}

} // namespace

void TerminalEscapes::Start()
{
    state = State::Escape;
    length = 1;
}

TerminalEscapes::Result TerminalEscapes::Feed(unsigned char byte)
{
    if (++length > MaxSequenceBytes) {
        state = State::Ground;
        return Result::Done;
    }
    switch (state) {
    case State::Escape:
    case State::EscapeIntermediate:
        return FeedEscape(byte);
    case State::Control:
        return FeedControl(byte);
    case State::String:
    case State::StringEscape:
        return FeedString(byte);
    case State::Ground:
        break;
    }
    return Result::Reprocess;
}

bool TerminalEscapes::IsSequenceByte(unsigned char byte)
{
    return byte >= 0x20 && byte < Delete;
}

TerminalEscapes::Result TerminalEscapes::NotSequenceByte(unsigned char byte)
{
    if (byte < 0x20)
        return ControlInSequence(byte);
    if (byte == Delete)
        return Result::Pending;
    state = State::Ground;
    return Result::Reprocess;
}

TerminalEscapes::Result TerminalEscapes::ControlInSequence(unsigned char byte)
{
    if (byte == Escape) {
        Start();
        return Result::Pending;
    }
    if (byte == Cancel || byte == Substitute) {
        state = State::Ground;
        return Result::Done;
    }
    return Result::Execute;
}

TerminalEscapes::Result TerminalEscapes::FeedEscape(unsigned char byte)
{
    if (!IsSequenceByte(byte))
        return NotSequenceByte(byte);
    if (IsIntermediate(byte)) {
        state = State::EscapeIntermediate;
        return Result::Pending;
    }
    if (state == State::Escape && byte == '[') {
        state = State::Control;
        ignored = false;
        overflow = false;
        count = 0;
        return Result::Pending;
    }
    if (state == State::Escape &&
        (byte == ']' || byte == 'P' || byte == 'X' || byte == '^' || byte == '_')) {
        state = State::String;
        return Result::Pending;
    }
    state = State::Ground;
    return Result::Done;
}

TerminalEscapes::Result TerminalEscapes::FeedControl(unsigned char byte)
{
    if (!IsSequenceByte(byte))
        return NotSequenceByte(byte);
    if (byte >= '0' && byte <= ';') {
        if (count == 0)
            values[count++] = 0;
        if (byte == ';' || byte == ':') {
            overflow = overflow || count == MaxParameters;
            if (!overflow) {
                subParameter[count] = byte == ':';
                values[count++] = 0;
            }
        } else if (!overflow) {
            int& value = values[count - 1];
            value = std::min(value * 10 + (byte - '0'), MaxParameterValue);
        }
        return Result::Pending;
    }
    if (byte >= '<' && byte <= '?') {
        ignored = true;
        return Result::Pending;
    }
    if (IsIntermediate(byte)) {
        ignored = true;
        return Result::Pending;
    }
    state = State::Ground;
    if (ignored)
        return Result::Done;
    if (byte == 'm')
        return Result::GraphicRendition;
    return byte == 'K' ? Result::EraseInLine : Result::Done;
}

TerminalEscapes::Result TerminalEscapes::FeedString(unsigned char byte)
{
    if (state == State::StringEscape) {
        if (byte == '\\') {
            state = State::Ground;
            return Result::Done;
        }
        // ESC ends the string and starts a sequence of its own.
        state = State::Escape;
        return FeedEscape(byte);
    }
    if (byte == Bell || byte == Cancel || byte == Substitute) {
        state = State::Ground;
        return Result::Done;
    }
    if (byte == Escape)
        state = State::StringEscape;
    return Result::Pending;
}

std::size_t TerminalEscapes::ExtendedColor(std::size_t index, std::uint32_t& color) const
{
    std::size_t end = index + 1;
    while (end < count && subParameter[end])
        ++end;
    // 38:5:n and 38:2:[id]:r:g:b carry the colour as sub-parameters; 38;5;n and 38;2;r;g;b as
    // parameters of their own, which the colour then consumes.
    const bool colons = end > index + 1;
    const std::size_t available = (colons ? end : count) - index - 1;
    const int* at = values.data() + index + 1;
    if (available >= 2 && at[0] == 5) {
        color = TerminalColor::Indexed(Channel(at[1]));
        return colons ? end : index + 3;
    }
    if (available >= 4 && at[0] == 2) {
        const int* rgb = at + (colons && available >= 5 ? 2 : 1);
        color = TerminalColor::Rgb(Channel(rgb[0]), Channel(rgb[1]), Channel(rgb[2]));
        return colons ? end : index + 5;
    }
    return colons ? end : count;
}

void TerminalEscapes::ApplyGraphicRendition(TerminalStyle& style) const
{
    if (count == 0) {
        style = TerminalStyle();
        return;
    }
    for (std::size_t i = 0; i < count;) {
        const int value = values[i];
        const bool hasSub = i + 1 < count && subParameter[i + 1];
        std::size_t next = i + 1;
        while (next < count && subParameter[next])
            ++next;
        if (value == 0) {
            style = TerminalStyle();
        } else if (value == 1) {
            style.Flags |= TerminalStyle::Bold;
        } else if (value == 2) {
            style.Flags |= TerminalStyle::Dim;
        } else if (value == 3) {
            style.Flags |= TerminalStyle::Italic;
        } else if (value == 4) {
            // 4:0 is "no underline"; 4:1 to 4:5 are kinds of underline.
            if (hasSub && values[i + 1] == 0)
                style.Flags &= ~TerminalStyle::Underline;
            else
                style.Flags |= TerminalStyle::Underline;
        } else if (value == 7) {
            style.Flags |= TerminalStyle::Reverse;
        } else if (value == 22) {
            style.Flags &= ~(TerminalStyle::Bold | TerminalStyle::Dim);
        } else if (value == 23) {
            style.Flags &= ~TerminalStyle::Italic;
        } else if (value == 24) {
            style.Flags &= ~TerminalStyle::Underline;
        } else if (value == 27) {
            style.Flags &= ~TerminalStyle::Reverse;
        } else if (value >= 30 && value <= 37) {
            style.Foreground = TerminalColor::Indexed(value - 30);
        } else if (value >= 90 && value <= 97) {
            style.Foreground = TerminalColor::Indexed(value - 90 + 8);
        } else if (value == 39) {
            style.Foreground = TerminalColor::Default;
        } else if (value >= 40 && value <= 47) {
            style.Background = TerminalColor::Indexed(value - 40);
        } else if (value >= 100 && value <= 107) {
            style.Background = TerminalColor::Indexed(value - 100 + 8);
        } else if (value == 49) {
            style.Background = TerminalColor::Default;
        } else if (value == 38 || value == 48 || value == 58) {
            // 58 (the underline's colour) is read only to skip its parameters.
            std::uint32_t color = TerminalColor::Default;
            next = ExtendedColor(i, color);
            if (value == 38)
                style.Foreground = color;
            else if (value == 48)
                style.Background = color;
        }
        i = next;
    }
}
