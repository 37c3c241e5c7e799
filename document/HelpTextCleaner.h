#pragma once

#include <string>
#include <string_view>

// A program's help text as plain lines: terminal escapes (colours, cursor
// and title sequences) dropped, backspace overstrikes (bold "X\bX",
// underline "_\bX") resolved to the character shown, CR LF and lone CRs
// made line feeds, tabs expanded to stops every 8 columns and trailing
// blanks removed, so that columns line up as a terminal shows them.
// Bytes that are not ASCII are kept; a UTF-8 sequence counts one column.
std::string CleanHelpText(std::string_view text);
