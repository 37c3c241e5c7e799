#include "launcher/OutputLineLayout.h"

#include "launcher/TerminalLine.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr int TabStop = 8;
constexpr int InvalidByteColumns = 4;

bool IsLead(char byte)
{
    return !IsContinuationByte(byte);
}

QString EscapedBytes(const char* data, std::size_t size)
{
    static const char Digits[] = "0123456789ABCDEF";
    QString text;
    text.reserve(static_cast<qsizetype>(size) * InvalidByteColumns);
    for (std::size_t i = 0; i < size; ++i) {
        const auto byte = static_cast<unsigned char>(data[i]);
        text += QLatin1String("\\x");
        text += QLatin1Char(Digits[byte >> 4]);
        text += QLatin1Char(Digits[byte & 0xF]);
    }
    return text;
}

// Calls visit(type, begin, end, column, columns, style) for each piece of the line, in order:
// bytes [begin, end) that are text of one style without tabs, one tab, or bytes not UTF-8.
template <typename Visit> void WalkLine(const TerminalLine& line, Visit visit)
{
    const std::string& bytes = line.Bytes();
    const std::vector<StyleRun>& runs = line.Runs();
    int column = 0;
    std::size_t start = 0;
    TerminalStyle style;
    for (std::size_t run = 0; start < bytes.size(); ++run) {
        const std::size_t end = run < runs.size() ? runs[run].Start : bytes.size();
        if (style.Has(TerminalStyle::Invalid)) {
            const int columns = static_cast<int>(end - start) * InvalidByteColumns;
            visit(OutputSegment::InvalidBytes, start, end, column, columns, style);
            column += columns;
            start = end;
        }
        while (start < end) {
            const void* found = std::memchr(bytes.data() + start, '\t', end - start);
            const std::size_t tab =
                found != nullptr ? static_cast<const char*>(found) - bytes.data() : end;
            if (tab > start) {
                const int columns = static_cast<int>(
                    std::count_if(bytes.data() + start, bytes.data() + tab, IsLead));
                visit(OutputSegment::Text, start, tab, column, columns, style);
                column += columns;
            }
            if (tab < end) {
                const int columns = TabStop - column % TabStop;
                visit(OutputSegment::Tab, tab, tab + 1, column, columns, style);
                column += columns;
            }
            start = std::min(tab + 1, end);
        }
        if (run < runs.size())
            style = runs[run].Style;
    }
}

} // namespace

std::vector<OutputSegment> LayOutLine(const TerminalLine& line)
{
    std::vector<OutputSegment> segments;
    const char* bytes = line.Bytes().data();
    WalkLine(line, [&segments, bytes](OutputSegment::Kind type, std::size_t begin, std::size_t end,
                                      int column, int columns, const TerminalStyle& style) {
        QString characters;
        if (type == OutputSegment::Text)
            characters = QString::fromUtf8(bytes + begin, static_cast<qsizetype>(end - begin));
        else if (type == OutputSegment::InvalidBytes)
            characters = EscapedBytes(bytes + begin, end - begin);
        segments.push_back({type, characters, column, columns, style});
    });
    return segments;
}

int LineColumns(const TerminalLine& line)
{
    int width = 0;
    WalkLine(line, [&width](OutputSegment::Kind, std::size_t, std::size_t, int column, int columns,
                            const TerminalStyle&) { width = column + columns; });
    return width;
}

void AppendLineText(const TerminalLine& line, int fromColumn, int toColumn, QString& text)
{
    const char* bytes = line.Bytes().data();
    WalkLine(line, [&](OutputSegment::Kind type, std::size_t begin, std::size_t end, int column,
                       int columns, const TerminalStyle&) {
        if (column + columns <= fromColumn || column >= toColumn)
            return;
        if (type == OutputSegment::Tab) {
            if (column >= fromColumn)
                text += QLatin1Char('\t');
            return;
        }
        const int width = type == OutputSegment::Text ? 1 : InvalidByteColumns;
        // The characters whose first cell is in range.
        const int first = std::max(0, (fromColumn - column + width - 1) / width);
        const int last = static_cast<int>(
            std::min<long long>(columns, static_cast<long long>(toColumn) - column + width - 1) /
            width);
        std::size_t from = begin;
        int index = 0;
        if (type == OutputSegment::InvalidBytes) {
            text += EscapedBytes(bytes + begin + first, static_cast<std::size_t>(last - first));
            return;
        }
        for (; index < first; ++index) {
            do
                ++from;
            while (from < end && !IsLead(bytes[from]));
        }
        std::size_t to = from;
        for (; index < last; ++index) {
            do
                ++to;
            while (to < end && !IsLead(bytes[to]));
        }
        text += QString::fromUtf8(bytes + from, static_cast<qsizetype>(to - from));
    });
}
