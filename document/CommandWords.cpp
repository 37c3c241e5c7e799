#include "document/CommandWords.h"

namespace {

bool IsWordBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Splits text into words by the grammar; what each character adds to the
// current word is left to the caller (Format pieces or plain text).
class WordScanner
{
public:
    WordScanner(std::string_view text, bool backslashEscapes, bool placeholders)
        : text_(text), escapes_(backslashEscapes), placeholders_(placeholders)
    {
    }

    FormatWords Scan()
    {
        for (std::size_t i = 0; i < text_.size(); ++i) {
            const char c = text_[i];
            if (quote_ == 0 && IsWordBlank(c)) {
                EndWord();
            } else if (quote_ == 0 && (c == '"' || c == '\'')) {
                quote_ = c;
                StartWord();
            } else if (quote_ != 0 && c == quote_) {
                quote_ = 0;
            } else if (escapes_ && quote_ != '\'' && c == '\\' && i + 1 < text_.size()) {
                AddText(text_[++i]);
            } else if (placeholders_ && c == '%' && i + 1 < text_.size() &&
                       (text_[i + 1] == 's' || text_[i + 1] == '%')) {
                if (text_[++i] == 's')
                    AddValue();
                else
                    AddText('%');
            } else {
                result_.strayPercent = result_.strayPercent || (placeholders_ && c == '%');
                AddText(c);
            }
        }
        EndWord();
        result_.unclosedQuote = quote_ != 0;
        return std::move(result_);
    }

private:
    void StartWord()
    {
        if (!inWord_) {
            result_.words.emplace_back();
            inWord_ = true;
        }
    }

    void EndWord() { inWord_ = false; }

    void AddText(char c)
    {
        StartWord();
        FormatWord& word = result_.words.back();
        if (word.empty() || word.back().isValue)
            word.push_back({});
        word.back().text += c;
    }

    void AddValue()
    {
        StartWord();
        result_.words.back().push_back({{}, true});
        result_.hasValue = true;
    }

    std::string_view text_;
    bool escapes_;
    bool placeholders_;
    FormatWords result_;
    char quote_ = 0;
    bool inWord_ = false;
};

std::string TextOf(const FormatWord& word)
{
    std::string text;
    for (const FormatPiece& piece : word)
        text += piece.text;
    return text;
}

bool NeedsQuotes(const std::string& value)
{
    if (value.empty())
        return true;
    for (const char c : value) {
        if (IsWordBlank(c) || c == '"' || c == '\'')
            return true;
    }
    return false;
}

// A value in quotes of the kind it does not hold; one holding both kinds
// is cut into parts, each quoted with the other kind.
std::string QuotedValue(const std::string& value)
{
    if (!NeedsQuotes(value))
        return value;
    if (value.find('"') == std::string::npos)
        return '"' + value + '"';
    if (value.find('\'') == std::string::npos)
        return '\'' + value + '\'';
    std::string quoted;
    char quote = 0;
    for (const char c : value) {
        if (quote == 0 || c == quote) {
            if (quote != 0)
                quoted += quote;
            quote = c == '"' ? '\'' : '"';
            quoted += quote;
        }
        quoted += c;
    }
    quoted += quote;
    return quoted;
}

} // namespace

FormatWords SplitFormat(std::string_view format)
{
    return WordScanner(format, true, true).Scan();
}

std::vector<std::string> SplitValueList(std::string_view text)
{
    std::vector<std::string> values;
    for (const FormatWord& word : WordScanner(text, false, false).Scan().words)
        values.push_back(TextOf(word));
    return values;
}

std::string JoinValueList(const std::vector<std::string>& values)
{
    std::string text;
    for (std::size_t i = 0; i < values.size(); ++i) {
        if (i > 0)
            text += ' ';
        text += QuotedValue(values[i]);
    }
    return text;
}

std::string SubstituteFormat(std::string_view format, std::string_view quotedValue)
{
    std::string text;
    for (std::size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c == '\\' && i + 1 < format.size()) {
            text += c;
            text += format[++i];
        } else if (c == '%' && i + 1 < format.size() && format[i + 1] == 's') {
            text += quotedValue;
            ++i;
        } else if (c == '%' && i + 1 < format.size() && format[i + 1] == '%') {
            text += '%';
            ++i;
        } else {
            text += c;
        }
    }
    return text;
}
