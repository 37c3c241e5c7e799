#pragma once

#include "launcher/TerminalStyle.h"

#include <array>
#include <cstddef>
#include <cstdint>

// The escape sequences in a program's terminal output, fed one byte at a time from the ESC on,
// so that a sequence split between two reads parses as if it came whole. Of the control
// sequences (ESC [ ...) only SGR (m) and erase in line (K) have an effect; every other
// sequence, the strings (OSC, DCS, ... up to BEL or ESC \) and the two-byte escapes are
// swallowed. A sequence still unfinished after MaxSequenceBytes bytes is dropped, so that a
// stray ESC cannot swallow the output that follows.
class TerminalEscapes
{
public:
    static constexpr int MaxSequenceBytes = 256;

    enum class Result
    {
        Pending,          // the sequence goes on
        Done,             // the sequence ended (or was dropped) without effect
        Execute,          // a control byte inside the sequence, to act on as usual
        Reprocess,        // the byte ended the sequence and is output of its own
        GraphicRendition, // an SGR sequence: see ApplyGraphicRendition
        EraseInLine,      // ESC [ n K: see FirstParameter
    };

    bool Active() const { return state != State::Ground; }
    // ESC was seen.
    void Start();
    // The next byte of an active sequence.
    Result Feed(unsigned char byte);
    void Reset() { state = State::Ground; }

    // The style after the SGR sequence just finished; unknown parameters are ignored.
    void ApplyGraphicRendition(TerminalStyle& style) const;
    // The first parameter of the sequence just finished (0 when missing).
    int FirstParameter() const { return count > 0 ? values[0] : 0; }

private:
    enum class State
    {
        Ground,
        Escape,
        EscapeIntermediate,
        Control,
        String,
        StringEscape
    };

    Result FeedEscape(unsigned char byte);
    Result FeedControl(unsigned char byte);
    Result FeedString(unsigned char byte);
    // Bytes that may go on an escape or control sequence: neither control
    // bytes nor DEL nor beyond ASCII.
    static bool IsSequenceByte(unsigned char byte);
    // What any other byte does inside such a sequence: DEL is ignored, and
    // a byte beyond ASCII ends the sequence and is read again.
    Result NotSequenceByte(unsigned char byte);
    // What a C0 control byte does inside a control sequence.
    Result ControlInSequence(unsigned char byte);
    // Reads the colour of SGR 38, 48 or 58 at index; returns the index of what follows.
    std::size_t ExtendedColor(std::size_t index, std::uint32_t& color) const;

    static constexpr std::size_t MaxParameters = 32;

    State state = State::Ground;
    int length = 0;
    bool ignored = false;  // a private marker or an intermediate byte: not a sequence we apply
    std::size_t count = 0; // parameters seen, the one being read included
    bool overflow = false; // more parameters than kept: the rest are ignored
    std::array<int, MaxParameters> values{};
    // Whether parameter i is a sub-parameter (it followed ':' rather than ';').
    std::array<bool, MaxParameters> subParameter{};
};
