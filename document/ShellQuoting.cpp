#include "document/ShellQuoting.h"

namespace {

// Characters no shell gives a meaning in an ordinary word; bytes of
// non-ASCII characters are letters to it.
bool IsLiteral(char c)
{
    const auto byte = static_cast<unsigned char>(c);
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           byte >= 0x80 || std::string_view("_@%+=:,./-").find(c) != std::string_view::npos;
}

bool IsLiteralWord(std::string_view word)
{
    if (word.empty())
        return false;
    for (const char c : word) {
        if (!IsLiteral(c))
            return false;
    }
    return true;
}

std::string PosixQuoted(std::string_view word)
{
    std::string quoted = "'";
    for (const char c : word) {
        if (c == '\'')
            quoted += "'\\''";
        else
            quoted += c;
    }
    return quoted + "'";
}

std::string WindowsQuoted(std::string_view word)
{
    std::string quoted = "\"";
    for (const char c : word) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + "\"";
}

} // namespace

std::string QuoteForShell(std::string_view word, ShellSyntax syntax)
{
    if (IsLiteralWord(word))
        return std::string(word);
    return syntax == ShellSyntax::Posix ? PosixQuoted(word) : WindowsQuoted(word);
}

std::string PosixCommandText(const std::vector<std::string>& words)
{
    std::string text;
    for (std::size_t i = 0; i < words.size(); ++i) {
        if (i > 0)
            text += ' ';
        const bool assignment = i == 0 && words[i].find('=') != std::string::npos;
        text += assignment ? PosixQuoted(words[i]) : QuoteForShell(words[i], ShellSyntax::Posix);
    }
    return text;
}
