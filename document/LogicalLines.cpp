#include "document/LogicalLines.h"

#include "document/DefinitionFile.h"
#include "document/DefinitionKeys.h"
#include "document/TextCompare.h"

#include <algorithm>
#include <cstring>

namespace {

void ClassifyHeader(std::string_view header, LogicalLine& line)
{
    line = LogicalLine();
    const std::size_t close = header.find(']');
    if (close == std::string_view::npos) {
        line.kind = LogicalLine::Kind::NamelessHeader;
        return;
    }
    line.kind = LogicalLine::Kind::Header;
    line.name = header.substr(1, close - 1);
}

} // namespace

std::string_view StripLineEnd(std::string_view text)
{
    if (text.empty() || text.back() != '\n')
        return text;
    text.remove_suffix(1);
    if (!text.empty() && text.back() == '\r')
        text.remove_suffix(1);
    return text;
}

bool LogicalLineReader::Next(LogicalLine& line)
{
    const std::string_view piece = ReadPiece(LineCapacity);
    if (piece.empty())
        return false;
    if (piece.front() == '[') {
        ClassifyHeader(StripLineEnd(piece), line);
        return true;
    }
    const std::size_t equals = piece.find('=');
    if (equals == std::string_view::npos) {
        line = LogicalLine();
        return true;
    }
    line.kind = LogicalLine::Kind::KeyLine;
    line.key = piece.substr(0, equals);
    line.rewritten = false;
    line.count = 0;
    // The count is read from the value with its line end still attached.
    line.block = EqualIgnoringCase(line.key, KeyName(Key::Information)) &&
                 ReadNumber(piece.substr(equals + 1), line.count);
    if (line.block)
        line.value = FoldBlock(equals + 1, line.count, line.rewritten);
    else
        line.value = StripLineEnd(piece.substr(equals + 1));
    return true;
}

// Up to and including the next LF, at most max bytes, or to the end.
std::string_view LogicalLineReader::ReadPiece(std::size_t max)
{
    const std::size_t available = std::min(max, bytes_.size() - position_);
    const char* start = bytes_.data() + position_;
    const void* lineFeed = std::memchr(start, '\n', available);
    const std::size_t length =
        lineFeed ? static_cast<std::size_t>(static_cast<const char*>(lineFeed) - start) + 1
                 : available;
    position_ += length;
    return {start, length};
}

// The next count lines (every line when count is negative) joined with
// CR LF, within the capacity left after the key and its '='. As long as
// the lines end in CR LF the joined text is the file's own bytes; a copy is
// made only when a line end has to be rewritten.
std::string_view LogicalLineReader::FoldBlock(std::size_t keyLength, std::int32_t count,
                                              bool& rewritten)
{
    const std::size_t start = position_;
    std::size_t length = keyLength;
    for (std::int32_t read = 0; count < 0 || read < count; ++read) {
        if (length >= LineCapacity)
            break;
        const std::string_view piece = ReadPiece(LineCapacity - length);
        if (piece.empty())
            break;
        // A piece without LF was cut at the capacity or at the end of the
        // file: it goes in unchanged and ends the block.
        const bool lineEnded = piece.back() == '\n';
        const std::string_view content = lineEnded ? StripLineEnd(piece) : piece;
        if (!rewritten && lineEnded && piece.size() != content.size() + 2) {
            const auto before = static_cast<std::size_t>(piece.data() - bytes_.data()) - start;
            rewritten_.assign(bytes_.substr(start, before));
            rewritten = true;
        }
        if (rewritten) {
            rewritten_ += content;
            if (lineEnded)
                rewritten_ += "\r\n";
        }
        if (!lineEnded)
            break;
        length += content.size() + 2;
    }
    return StripLineEnd(rewritten ? std::string_view(rewritten_)
                                  : bytes_.substr(start, position_ - start));
}
