#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

// The lines of a definition file as its readers see them: physical lines
// of at most LineCapacity bytes without their line ends, and each counted
// Information block folded into one line. A logical line does not depend on
// where a scan of the file starts, so one pass gives every scan's lines.
struct LogicalLine
{
    enum class Kind
    {
        Header,         // '[' in the first column and a ']': name set
        NamelessHeader, // '[' in the first column, no ']'
        KeyLine,        // not a header, contains '=': key and value set
        Other,
    };
    Kind kind = Kind::Other;
    std::string_view name;
    std::string_view key;
    std::string_view value;
    // An Information key line with a count of lines: its value is the
    // block of the lines after it, folded into this line.
    bool block = false;
    std::int32_t count = 0; // of a block, as the key line gives it
    // The value is a block whose line ends the reader rewrote: it lies in
    // the reader, not in the bytes, until the next line is read.
    bool rewritten = false;

    bool IsHeader() const { return kind == Kind::Header || kind == Kind::NamelessHeader; }
};

// A line without its line end: one LF, and then one CR before it; a CR
// without LF stays.
std::string_view StripLineEnd(std::string_view text);

class LogicalLineReader
{
public:
    // Reads from position, the start of a line the reader read before or
    // the start of the bytes.
    explicit LogicalLineReader(std::string_view bytes, std::size_t position = 0)
        : bytes_(bytes), position_(position)
    {
    }

    // The next line; false at the end of the bytes. Its texts lie in the
    // bytes, except a rewritten value, which stays valid only until the next
    // call.
    bool Next(LogicalLine& line);

    // The offset of the next line in the bytes: a line read by Next spans
    // the bytes from the Position before the call to the Position after it.
    std::size_t Position() const { return position_; }

private:
    std::string_view ReadPiece(std::size_t max);
    std::string_view FoldBlock(std::size_t keyLength, std::int32_t count, bool& rewritten);

    std::string_view bytes_;
    std::size_t position_ = 0;
    std::string rewritten_; // the last block whose line ends were rewritten
};
