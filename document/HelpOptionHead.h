#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// One way of writing an option in a help text's option list, with the
// value's place as the help shows it.
struct HelpSpelling
{
    std::string name;      // "-o", "--output", "-name", "+bs"; "--indicator-style=slash" once fixed
    std::string negated;   // "--no-x" for "--[no-]x", else empty
    std::string value;     // the value's place as shown: "FILE", "<file>", "{a,b}"; empty for none
    char joiner = 0;       // how the value is written after the name: '=', ' ', or 0 for attached
    bool optional = false; // the value is in brackets: the name may be given without it
    // "=word" in lower case: a fixed value rather than a value's place
    // when the same name is shown with other values too.
    bool fixedCandidate = false;
};

// The option names at the start of a line of an option list and where the
// description begins.
struct HelpOptionHead
{
    std::vector<HelpSpelling> spellings;
    bool repeatable = false;   // "..." after a name or its value
    bool defaultShown = false; // "--x=VALUE:": the value shown is the default
    bool continued = false;    // ends in a comma: the names go on in the next line
    // Where the description starts in the text; npos when the line holds
    // only names.
    std::size_t descriptionAt = std::string_view::npos;
    // False when a single blank separates the names from the description,
    // which only the layout of the neighbouring lines can confirm.
    bool separated = true;
};

// Reads the names at the start of text, a line without its indent:
// "-a, --all", "-o FILE", "--output=FILE", "-o, --output <FILE>",
// "-o OUTPUT, --output OUTPUT", "--color[=WHEN]", "--[no-]x", "-name value",
// "--debug / --no-debug", "-f | --file FILE", "-v or --verbose"; values
// such as "{a,b}", "[a|b]", "KEY=VALUE", "<a b>" and "#". A description
// follows two or more blanks, one blank after a value that cannot be
// prose, or a "- " or "= " marker. Nothing when the line does not start
// with an option, or the names are followed by text of any other shape.
std::optional<HelpOptionHead> ReadOptionHead(std::string_view text);
