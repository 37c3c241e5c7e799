#pragma once

#include "launcher/TerminalEscapes.h"
#include "launcher/TerminalLine.h"
#include "launcher/TerminalStyle.h"
#include "system/FilePath.h"

#include <cstddef>
#include <cstdint>
#include <deque>

class QString;

// What a program wrote to its pseudo-terminal, interpreted line by line as a simple terminal
// would, and the launcher's own notes between.
//
// Interpretation: text is UTF-8; LF ends the line; CR returns to column 0 of the line, and text
// written after it overwrites the line's characters from there on; BS moves one column left;
// TAB is kept as a character (one column here, drawn up to the next multiple of eight); other
// control bytes are dropped. SGR sets the style, ESC [ K erases in the line, and every other
// escape sequence is swallowed (see TerminalEscapes). A byte that is not valid UTF-8 is kept
// as it came, one column wide, in a run marked TerminalStyle::Invalid. A UTF-8 or escape
// sequence split between two Append calls reads as if it came whole.
//
// Retention: the last MaxLines lines are kept (the line being written counts), older ones are
// dropped and counted. The finished lines' contents (their bytes and style runs) are capped at
// MaxBytes in all, 64 MiB by default, which keeps the whole launcher well under 200 MB; a line
// that reaches MaxLineBytes (1 MiB by default) goes on as a new line.
class TerminalOutput
{
public:
    static constexpr std::size_t DefaultMaxLines = 100000;
    static constexpr std::size_t DefaultMaxBytes = 64u << 20;
    static constexpr std::size_t DefaultMaxLineBytes = 1u << 20;

    explicit TerminalOutput(std::size_t maxLines = DefaultMaxLines,
                            std::size_t maxBytes = DefaultMaxBytes,
                            std::size_t maxLineBytes = DefaultMaxLineBytes);

    void Append(const char* data, std::size_t size);
    // A line of the launcher's own (a line each, when the text has several). It starts on a
    // fresh line: the program's unfinished line is
    // kept as it is, and the program's next output starts a new line. A note also ends any
    // unfinished escape or UTF-8 sequence and resets the style, since notes mark where a run
    // of the program starts and ends.
    void AppendNote(const QString& text);
    void Clear();

    std::size_t LineCount() const { return lines.size(); }
    const TerminalLine& Line(std::size_t index) const { return lines[index]; }
    // Lines dropped from the top since the output was created or last cleared.
    std::uint64_t DroppedLines() const { return dropped; }
    // "1,234 earlier lines are no longer kept", or empty when none were dropped.
    QString DroppedLinesNotice() const;

    // Saves the kept lines to the file at path, each followed by "\n": the program's as the
    // bytes it wrote, notes as UTF-8, after a first line with the notice when lines were
    // dropped. The file is replaced whole or not at all; false, with the reason in error, when
    // it could not be.
    bool SaveTo(const FilePath& path, QString* error) const;

private:
    // Writes the characters data[0, size), columns of them, at the cursor.
    void WriteText(const char* data, std::size_t size, std::size_t columns,
                   const TerminalStyle& style);
    void WriteInvalidByte(char byte);
    // The text that starts at data[at], up to the next control byte; returns where it ends.
    std::size_t WriteTextRun(const unsigned char* data, std::size_t at, std::size_t size);
    // Goes on with a UTF-8 sequence split by the end of the last Append; returns where the
    // caller goes on.
    std::size_t CompletePending(const unsigned char* data, std::size_t at, std::size_t size);
    void FlushPending();
    void Control(unsigned char byte);
    void FeedEscape(unsigned char byte, std::size_t& at);
    void Backspace();
    void EraseInLine(int mode);
    TerminalLine& OpenLine();
    void CloseLine();
    void Trim();

    const std::size_t maxLines;
    const std::size_t maxBytes;
    const std::size_t maxLineBytes;

    std::deque<TerminalLine> lines;
    // Whether lines.back() is the line being written; otherwise the next text starts a line.
    bool open = false;
    std::size_t closedCost = 0; // the Cost() of every line but the open one
    std::uint64_t dropped = 0;

    // The cursor: a byte offset in the open line, and padding past its end that the next text
    // fills with spaces (after an erase left the cursor beyond the line's end).
    std::size_t cursor = 0;
    std::size_t column = 0;
    std::size_t padding = 0;

    TerminalStyle style;
    TerminalEscapes escapes;
    // The start of a UTF-8 sequence that the last Append cut short.
    unsigned char pending[4] = {};
    std::size_t pendingSize = 0;
};
