#include "document/HelpTextCleaner.h"

namespace {

constexpr char Escape = '\x1b';
constexpr char Bell = '\a';
constexpr char Backspace = '\b';
constexpr std::size_t TabWidth = 8;

bool IsContinuationByte(char c)
{
    return (static_cast<unsigned char>(c) & 0xC0) == 0x80;
}

// The position after the escape sequence that starts at text[at].
std::size_t SkipEscape(std::string_view text, std::size_t at)
{
    std::size_t i = at + 1;
    if (i >= text.size())
        return i;
    if (text[i] == '[') { // CSI: parameters and intermediates, then a final byte
        for (++i; i < text.size(); ++i) {
            const auto c = static_cast<unsigned char>(text[i]);
            if (c >= 0x40 && c <= 0x7E)
                return i + 1;
        }
        return i;
    }
    if (text[i] == ']' || text[i] == 'P' || text[i] == '_' || text[i] == '^') {
        // OSC and other strings: up to BEL or ESC backslash.
        for (++i; i < text.size(); ++i) {
            if (text[i] == Bell)
                return i + 1;
            if (text[i] == Escape)
                return i + 1 < text.size() && text[i + 1] == '\\' ? i + 2 : i;
        }
        return i;
    }
    // Intermediate bytes ("ESC ( B" chooses a character set), then a final one.
    while (i < text.size() && static_cast<unsigned char>(text[i]) >= 0x20 &&
           static_cast<unsigned char>(text[i]) <= 0x2F)
        ++i;
    return i + 1;
}

class LineBuilder
{
public:
    explicit LineBuilder(std::size_t capacity) { out_.reserve(capacity); }

    void Add(char c)
    {
        if (!IsContinuationByte(c)) {
            lastStart_ = out_.size();
            ++column_;
        }
        out_ += c;
    }

    void Tab()
    {
        do {
            out_ += ' ';
            ++column_;
        } while (column_ % TabWidth != 0);
        lastStart_ = out_.size() - 1;
    }

    // Backspace over the last character: the one struck over it replaces
    // it, except an underscore, which only underlines.
    void Overstrike(std::string_view next)
    {
        if (lastStart_ == std::string::npos || lastStart_ < lineStart_)
            return;
        if (next == "_")
            return;
        out_.erase(lastStart_);
        --column_;
        lastStart_ = std::string::npos;
        for (const char c : next)
            Add(c);
    }

    void EndLine()
    {
        while (out_.size() > lineStart_ && out_.back() == ' ')
            out_.pop_back();
        out_ += '\n';
        lineStart_ = out_.size();
        lastStart_ = std::string::npos;
        column_ = 0;
    }

    std::string Take() { return std::move(out_); }

private:
    std::string out_;
    std::size_t lineStart_ = 0;
    std::size_t lastStart_ = std::string::npos;
    std::size_t column_ = 0;
};

// The length of the character (a UTF-8 sequence or one byte) at text[at].
std::size_t CharacterLength(std::string_view text, std::size_t at)
{
    std::size_t end = at + 1;
    while (end < text.size() && IsContinuationByte(text[end]))
        ++end;
    return end - at;
}

} // namespace

std::string CleanHelpText(std::string_view text)
{
    LineBuilder line(text.size() + text.size() / 8);
    for (std::size_t i = 0; i < text.size();) {
        const char c = text[i];
        if (c == Escape) {
            i = SkipEscape(text, i);
        } else if (c == '\n') {
            line.EndLine();
            ++i;
        } else if (c == '\r') {
            if (i + 1 >= text.size() || text[i + 1] != '\n')
                line.EndLine();
            ++i;
        } else if (c == '\t') {
            line.Tab();
            ++i;
        } else if (c == Backspace) {
            ++i;
            if (i < text.size() && text[i] != '\n' && text[i] != '\r' && text[i] != Backspace) {
                const std::size_t length = CharacterLength(text, i);
                line.Overstrike(text.substr(i, length));
                i += length;
            }
        } else if (static_cast<unsigned char>(c) < 0x20 || c == '\x7f') {
            ++i; // other control characters show nothing
        } else {
            line.Add(c);
            ++i;
        }
    }
    if (!text.empty() && text.back() != '\n' && text.back() != '\r')
        line.EndLine();
    return line.Take();
}
