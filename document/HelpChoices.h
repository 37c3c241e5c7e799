#pragma once

#include <string>
#include <string_view>
#include <vector>

// The values a help text lists for an option's value.
struct ChoiceList
{
    std::vector<std::string> values;
    bool open = false; // the list also allows values of the user's own ("or +FORMAT")
};

// A word that can be a listed value: "auto", "json-v1", "P12", "16".
bool IsChoiceWord(std::string_view word);

// The values a value's place lists: "{a,b,c}", "[a|b|c]", "<a|b|c>",
// "a|b|c"; none when it names kinds of value ("<data|filename>",
// "KEY=VALUE|PATH", "<FILE|DIR>").
std::vector<std::string> ChoicesInPlace(std::string_view place);

// The values a description or a paragraph of prose lists for a value
// called valueName ("WHEN", "mode"; may be empty):
// "[possible values: a, b]", "One of: (a, b)", "WHEN is 'always', 'never',
// or 'auto'", "sort by WORD: none (-U), size (-S)", "STYLE can be a, b, or
// +FORMAT", and a description that is only such a list ("across -x,
// commas -m, long -l"). Empty when it lists none.
ChoiceList ChoicesInProse(std::string_view text, std::string_view valueName);

// The clauses of prose: ". " (not after "e.g" or "i.e") and "; " end one.
std::vector<std::string_view> Clauses(std::string_view text);

// Whether prose mentions valueName as a word, in its own letter case, or
// in any case (and plural) for a name in lower case.
bool MentionsValueName(std::string_view text, std::string_view valueName);
