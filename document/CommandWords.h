#pragma once

#include <string>
#include <string_view>
#include <vector>

// The word grammar of the launcher: blanks separate words; double or single
// quotes group, and a quoted part joins the text around it into one word
// ("-o""x" is -ox); an empty pair of quotes is an empty word.

// One piece of a Format word: literal text, or the place of the value.
struct FormatPiece
{
    std::string text; // empty for the value's place
    bool isValue = false;
};
using FormatWord = std::vector<FormatPiece>;

struct FormatWords
{
    std::vector<FormatWord> words;
    bool hasValue = false;      // some word holds %s
    bool unclosedQuote = false; // a quote runs to the end of the text
    bool strayPercent = false;  // a '%' neither "%s" nor "%%": it stands for itself
};

// A Format: "%s" stands for the value and "%%" for a percent sign, quoted or
// not; outside single quotes a backslash takes the next character as it is
// ("\%s" is the text %s).
FormatWords SplitFormat(std::string_view format);

// The values of a Multiple option as its box holds them. Backslashes are
// ordinary characters, so that Windows paths need no doubling; an unclosed
// quote runs to the end.
std::vector<std::string> SplitValueList(std::string_view text);

// The values as a box text that SplitValueList gives back unchanged.
std::string JoinValueList(const std::vector<std::string>& values);

// Where a Format text, handed to a shell as written, holds the value:
// "%s" becomes quotedValue, "%%" a percent sign; a backslash and the
// character after it stay as they are, so "\%s" stays the text \%s.
std::string SubstituteFormat(std::string_view format, std::string_view quotedValue);
