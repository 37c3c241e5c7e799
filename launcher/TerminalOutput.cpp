#include "launcher/TerminalOutput.h"

#include "document/ByteSink.h"
#include "document/Utf8.h"

#include <QLocale>
#include <QString>
#include <algorithm>

namespace {

constexpr unsigned char BackspaceByte = 0x08;
constexpr unsigned char Tab = 0x09;
constexpr unsigned char LineFeed = 0x0A;
constexpr unsigned char CarriageReturn = 0x0D;
constexpr unsigned char Escape = 0x1B;

// The longest UTF-8 sequence; the line cap never cuts below it.
constexpr std::size_t MaxSequence = 4;

bool IsPrintableAscii(unsigned char byte)
{
    return static_cast<unsigned char>(byte - 0x20) < 0x5F;
}

// The end of the character that starts at data[at], in text that is valid UTF-8 or one byte.
std::size_t CharacterEnd(const char* data, std::size_t size, std::size_t at)
{
    do
        ++at;
    while (at < size && IsContinuationByte(data[at]));
    return at;
}

std::size_t CountCharacters(const char* data, std::size_t size)
{
    return static_cast<std::size_t>(
        std::count_if(data, data + size, [](char byte) { return !IsContinuationByte(byte); }));
}

} // namespace

TerminalOutput::TerminalOutput(std::size_t maxLines, std::size_t maxBytes, std::size_t maxLineBytes)
    : maxLines(std::max<std::size_t>(maxLines, 1)), maxBytes(maxBytes),
      maxLineBytes(std::max(maxLineBytes, MaxSequence))
{
}

void TerminalOutput::Append(const char* data, std::size_t size)
{
    const auto* bytes = reinterpret_cast<const unsigned char*>(data);
    std::size_t at = 0;
    while (at < size) {
        if (escapes.Active()) {
            FeedEscape(bytes[at], at);
        } else if (pendingSize > 0) {
            at = CompletePending(bytes, at, size);
        } else if (IsPrintableAscii(bytes[at]) || bytes[at] >= 0x80) {
            at = WriteTextRun(bytes, at, size);
        } else {
            Control(bytes[at++]);
        }
    }
    Trim();
}

std::size_t TerminalOutput::WriteTextRun(const unsigned char* data, std::size_t at,
                                         std::size_t size)
{
    std::size_t end = at;
    std::size_t columns = 0;
    int length = 1;
    while (end < size) {
        const std::size_t ascii = end;
        while (end < size && IsPrintableAscii(data[end]))
            ++end;
        columns += end - ascii;
        if (end == size || data[end] < 0x80)
            break;
        length = Utf8SequenceLength(data + end, size - end);
        if (length <= 0)
            break;
        end += static_cast<std::size_t>(length);
        ++columns;
    }
    if (end > at)
        WriteText(reinterpret_cast<const char*>(data + at), end - at, columns, style);
    if (end == size || data[end] < 0x80)
        return end;
    if (length == 0) {
        WriteInvalidByte(static_cast<char>(data[end]));
        return end + 1;
    }
    pendingSize = size - end;
    std::copy(data + end, data + size, pending);
    return size;
}

std::size_t TerminalOutput::CompletePending(const unsigned char* data, std::size_t at,
                                            std::size_t size)
{
    while (at < size) {
        pending[pendingSize++] = data[at++];
        const int length = Utf8SequenceLength(pending, pendingSize);
        if (length > 0) {
            pendingSize = 0;
            WriteText(reinterpret_cast<const char*>(pending), static_cast<std::size_t>(length), 1,
                      style);
            return at;
        }
        if (length == 0) {
            // The lead and the continuation bytes before the one that broke the sequence stand
            // alone; that one is read afresh, as it would have been in one Append.
            --pendingSize;
            FlushPending();
            return at - 1;
        }
    }
    return at;
}

void TerminalOutput::FlushPending()
{
    for (std::size_t i = 0; i < pendingSize; ++i)
        WriteInvalidByte(static_cast<char>(pending[i]));
    pendingSize = 0;
}

void TerminalOutput::WriteInvalidByte(char byte)
{
    TerminalStyle invalid = style;
    invalid.Flags |= TerminalStyle::Invalid;
    WriteText(&byte, 1, 1, invalid);
}

void TerminalOutput::WriteText(const char* data, std::size_t size, std::size_t columns,
                               const TerminalStyle& textStyle)
{
    TerminalLine* line = &OpenLine();
    if (padding > 0) {
        line->Append(std::string(padding, ' ').data(), padding, TerminalStyle());
        cursor += padding;
        padding = 0;
    }
    if (cursor < line->Size()) {
        // Overwrite as many characters as the line has from the cursor on; the rest is appended.
        std::size_t end = cursor;
        std::size_t taken = 0;
        std::size_t overwritten = 0;
        for (; overwritten < columns && end < line->Size(); ++overwritten) {
            end = line->CharacterEnd(end);
            taken = CharacterEnd(data, size, taken);
        }
        line->Replace(cursor, end, data, taken, textStyle);
        cursor += taken;
        column += overwritten;
        if (taken == size)
            return;
        data += taken;
        size -= taken;
        columns -= overwritten;
    }
    while (line->Size() + size > maxLineBytes) {
        // An overwrite may have taken the line past the cap already.
        std::size_t room = line->Size() < maxLineBytes ? maxLineBytes - line->Size() : 0;
        while (room > 0 && IsContinuationByte(data[room]))
            --room;
        if (room > 0) {
            line->Append(data, room, textStyle);
            columns -= CountCharacters(data, room);
            data += room;
            size -= room;
        }
        CloseLine();
        line = &OpenLine();
    }
    line->Append(data, size, textStyle);
    cursor += size;
    column += columns;
}

void TerminalOutput::Control(unsigned char byte)
{
    switch (byte) {
    case LineFeed:
        OpenLine();
        CloseLine();
        break;
    case CarriageReturn:
        cursor = 0;
        column = 0;
        padding = 0;
        break;
    case BackspaceByte:
        Backspace();
        break;
    case Tab: {
        const char tab = '\t';
        WriteText(&tab, 1, 1, style);
        break;
    }
    case Escape:
        escapes.Start();
        break;
    default:
        break;
    }
}

void TerminalOutput::FeedEscape(unsigned char byte, std::size_t& at)
{
    switch (escapes.Feed(byte)) {
    case TerminalEscapes::Result::Execute:
        Control(byte);
        break;
    case TerminalEscapes::Result::Reprocess:
        return;
    case TerminalEscapes::Result::GraphicRendition:
        escapes.ApplyGraphicRendition(style);
        break;
    case TerminalEscapes::Result::EraseInLine:
        EraseInLine(escapes.FirstParameter());
        break;
    case TerminalEscapes::Result::Pending:
    case TerminalEscapes::Result::Done:
        break;
    }
    ++at;
}

void TerminalOutput::Backspace()
{
    if (column == 0)
        return;
    --column;
    if (padding > 0)
        --padding;
    else
        cursor = lines.back().CharacterStart(cursor);
}

void TerminalOutput::EraseInLine(int mode)
{
    if (!open)
        return;
    TerminalLine& line = lines.back();
    if (mode == 0) {
        if (cursor < line.Size())
            line.Truncate(cursor);
        return;
    }
    if (mode != 1 && mode != 2)
        return;
    // Erasing from the start, through the cursor's character, blanks those columns.
    const std::size_t end = cursor < line.Size() ? line.CharacterEnd(cursor) : line.Size();
    if (mode == 2 || end == line.Size()) {
        line.Truncate(0);
        cursor = 0;
        padding = column;
        return;
    }
    const std::string blanks(column + 1, ' ');
    line.Replace(0, end, blanks.data(), blanks.size(), TerminalStyle());
    cursor = column;
}

void TerminalOutput::AppendNote(const QString& text)
{
    FlushPending();
    escapes.Reset();
    style = TerminalStyle();
    if (open)
        CloseLine();
    for (const QString& noteLine : text.split(QLatin1Char('\n'))) {
        const QByteArray bytes = noteLine.toUtf8();
        TerminalLine& note = lines.emplace_back(true);
        note.Append(bytes.constData(), static_cast<std::size_t>(bytes.size()), TerminalStyle());
        open = true;
        CloseLine();
    }
}

TerminalLine& TerminalOutput::OpenLine()
{
    // The line count may pass MaxLines until the line is closed or the Append ends.
    if (!open) {
        lines.emplace_back();
        open = true;
    }
    return lines.back();
}

void TerminalOutput::CloseLine()
{
    lines.back().Compact();
    closedCost += lines.back().Cost();
    open = false;
    cursor = 0;
    column = 0;
    padding = 0;
    Trim();
}

void TerminalOutput::Trim()
{
    // The line being written is never dropped, and its size is bounded by MaxLineBytes instead:
    // it may still shrink, and what is dropped must not depend on how the output was cut.
    const std::size_t kept = open ? 1 : 0;
    while (lines.size() > kept && (lines.size() > maxLines || closedCost > maxBytes)) {
        closedCost -= lines.front().Cost();
        lines.pop_front();
        ++dropped;
    }
}

void TerminalOutput::Clear()
{
    lines.clear();
    open = false;
    closedCost = 0;
    dropped = 0;
    cursor = 0;
    column = 0;
    padding = 0;
    style = TerminalStyle();
    escapes.Reset();
    pendingSize = 0;
}

QString TerminalOutput::DroppedLinesNotice() const
{
    if (dropped == 0)
        return {};
    const QString count = QLocale(QLocale::English).toString(static_cast<qulonglong>(dropped));
    return dropped == 1 ? QStringLiteral("1 earlier line is no longer kept")
                        : QStringLiteral("%1 earlier lines are no longer kept").arg(count);
}

bool TerminalOutput::SaveTo(const FilePath& path, QString* error) const
{
    // Written in pieces of about this size, not as one copy of everything kept.
    constexpr std::size_t PieceSize = 1 << 16;
    SafeFileSink sink;
    std::string reason;
    std::string piece;
    const auto write = [&sink, &reason, &piece] {
        const bool written = sink.Write(piece.data(), piece.size(), reason);
        piece.clear();
        return written;
    };
    bool saved = sink.Open(path.Bytes(), reason);
    if (saved && dropped > 0)
        piece = DroppedLinesNotice().toStdString() + '\n';
    for (auto line = lines.begin(); saved && line != lines.end(); ++line) {
        piece += line->Bytes();
        piece += '\n';
        if (piece.size() >= PieceSize)
            saved = write();
    }
    saved = saved && write() && sink.Commit(reason);
    if (!saved) {
        sink.Abandon();
        if (error != nullptr)
            *error = QString::fromLocal8Bit(reason.c_str());
    }
    return saved;
}
