#include "document/HelpChoices.h"

#include "document/HelpAscii.h"

#include <algorithm>
#include <array>

namespace {

using namespace Ascii;

// Words that name a kind of value rather than a value: "<data|filename>"
// offers two ways of giving one value, not two choices.
bool IsKindOfValue(std::string_view word)
{
    static constexpr std::array<std::string_view, 40> Kinds = {
        "addr", "address", "arg",    "args",      "bytes",   "cmd",        "command", "count",
        "data", "date",    "dir",    "directory", "expr",    "expression", "file",    "filename",
        "glob", "host",    "id",     "int",       "integer", "key",        "list",    "n",
        "name", "num",     "number", "path",      "pattern", "port",       "regex",   "seconds",
        "size", "str",     "string", "text",      "time",    "url",        "user",    "value"};
    const std::string lower = Lowered(word);
    return std::find(Kinds.begin(), Kinds.end(), lower) != Kinds.end();
}

std::vector<std::string> SplitAt(std::string_view text, char separator)
{
    std::vector<std::string> parts;
    for (std::size_t start = 0;;) {
        const std::size_t end = text.find(separator, start);
        parts.emplace_back(
            Trimmed(text.substr(start, end == NoPosition ? NoPosition : end - start)));
        if (end == NoPosition)
            return parts;
        start = end + 1;
    }
}

// Where the clause at text[from] ends: ". " (not after "e.g" or "i.e"),
// "; ", or the end.
std::size_t ClauseEnd(std::string_view text, std::size_t from)
{
    for (std::size_t i = from; i < text.size(); ++i) {
        if ((text[i] == ';' && (i + 1 == text.size() || text[i + 1] == ' ')) ||
            EndsSentence(text, i))
            return i;
    }
    return text.size();
}

// A list of values: "a, b, or c", "'a', 'b' or 'c'", "(a, b)", "a|b|c",
// "none (-U), size (-S)"; each value may be followed by a remark in
// parentheses or the options it stands for.
class ListReader
{
public:
    explicit ListReader(std::string_view text) : text_(text) {}

    // Reads the list at the start; false when the text there is not one.
    bool Read()
    {
        SkipBlanks();
        const bool parenthesised = At(pos_) == '(';
        if (parenthesised)
            ++pos_;
        while (true) {
            SkipBlanks();
            SkipConjunction();
            if (!ReadItem())
                return false;
            if (Separator())
                continue;
            SkipBlanks();
            if (parenthesised)
                return At(pos_) == ')' && Count() > 0;
            return pos_ >= text_.size() || At(pos_) == '.' || At(pos_) == ';' || At(pos_) == ']' ||
                   At(pos_) == ')';
        }
    }

    std::size_t Count() const { return list_.values.size() + (list_.open ? 1 : 0); }
    bool AllDecorated() const { return allDecorated_; }
    bool Conjoined() const { return conjoined_; }

    ChoiceList Take() { return std::move(list_); }

private:
    char At(std::size_t i) const { return i < text_.size() ? text_[i] : '\0'; }

    void SkipBlanks()
    {
        while (At(pos_) == ' ')
            ++pos_;
    }

    void SkipConjunction()
    {
        for (const std::string_view word : {"or ", "and "}) {
            if (text_.substr(pos_, word.size()) == word) {
                pos_ += word.size();
                conjoined_ = true;
                SkipBlanks();
            }
        }
    }

    bool ReadItem()
    {
        const char quote = At(pos_);
        std::string_view word;
        if (quote == '\'' || quote == '"' || quote == '`') {
            const std::size_t start = pos_ + 1;
            std::size_t end = start;
            while (end < text_.size() && text_[end] != '\'' && text_[end] != '"' &&
                   text_[end] != '`')
                ++end;
            if (end >= text_.size())
                return false;
            word = text_.substr(start, end - start);
            pos_ = end + 1;
        } else {
            const std::size_t start = pos_;
            while (IsNameChar(At(pos_)) || At(pos_) == '+' || At(pos_) == ':' ||
                   (At(pos_) == '.' && IsAlnum(At(pos_ + 1))))
                ++pos_;
            word = text_.substr(start, pos_ - start);
        }
        if (!word.empty() && word.front() == '+' && word.size() > 1 && IsChoiceWord(word.substr(1)))
            list_.open = true; // "+FORMAT": a value of the user's own
        else if (IsChoiceWord(word))
            list_.values.emplace_back(word);
        else
            return false;
        ReadDecoration();
        return true;
    }

    // " (remark)" or " -x" / " --long" after a value.
    void ReadDecoration()
    {
        bool decorated = false;
        while (true) {
            std::size_t at = pos_;
            while (At(at) == ' ')
                ++at;
            if (At(at) == '(') {
                const std::size_t close = text_.find(')', at);
                if (close == NoPosition)
                    break;
                pos_ = close + 1;
                decorated = true;
            } else if (At(at) == '-' && (IsAlnum(At(at + 1)) || At(at + 1) == '-') && at > pos_) {
                pos_ = at;
                while (At(pos_) == '-')
                    ++pos_;
                while (IsNameChar(At(pos_)))
                    ++pos_;
                decorated = true;
            } else {
                break;
            }
        }
        allDecorated_ = allDecorated_ && decorated;
    }

    bool Separator()
    {
        SkipBlanks();
        if (At(pos_) == ',' || At(pos_) == '|' || At(pos_) == '/') {
            ++pos_;
            return true;
        }
        for (const std::string_view word : {"or ", "and "}) {
            if (text_.substr(pos_, word.size()) == word)
                return true;
        }
        return false;
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    ChoiceList list_;
    bool allDecorated_ = true;
    bool conjoined_ = false;
};

// The list at text; empty when there is none with at least `fewest` values
// (two joined by "or"/"and" count as enough where fewest is 3).
ChoiceList ListAt(std::string_view text, std::size_t fewest)
{
    ListReader reader(text);
    if (!reader.Read())
        return {};
    const std::size_t count = reader.Count();
    if (count < fewest && !(fewest == 3 && count == 2 && reader.Conjoined()))
        return {};
    return reader.Take();
}

// The values in quotes in a clause, when all of them can be values.
ChoiceList QuotedValues(std::string_view clause)
{
    ChoiceList list;
    for (std::size_t i = 0; i < clause.size(); ++i) {
        const char open = clause[i];
        if (open != '\'' && open != '"' && open != '`')
            continue;
        if (i > 0 && IsAlnum(clause[i - 1]))
            continue; // an apostrophe: "don't"
        const std::size_t end = clause.find_first_of("'\"`", i + 1);
        if (end == NoPosition)
            break;
        const std::string_view word = clause.substr(i + 1, end - i - 1);
        if (!IsChoiceWord(word) || !IsAlnum(word.front()))
            return {};
        if (std::find(list.values.begin(), list.values.end(), word) == list.values.end())
            list.values.emplace_back(word);
        i = end;
    }
    if (list.values.size() < 2)
        return {};
    return list;
}

// Phrases after which a list of values follows.
constexpr std::array<std::string_view, 9> ListCues = {
    "possible values:",   "possible values are", "valid values are", "valid values:",
    "allowed values are", "allowed values:",     "one of:",          "one of",
    "must be one of"};

// "Supported formats:", "Allowed signals are:": a single value is list enough.
bool NamesValuesBeforeColon(std::string_view lowerClause)
{
    for (const std::string_view word :
         {"supported ", "possible ", "valid ", "allowed ", "supports", "accepted "}) {
        if (lowerClause.find(word) != NoPosition)
            return true;
    }
    return false;
}

// Values in parentheses: three or more words separated by commas
// ("(auto, always, never)") or slashes ("(DER/PEM/P12)"), or two or more
// in quotes ("("always", "never")").
ChoiceList InParentheses(std::string_view clause)
{
    for (std::size_t open = clause.find('('); open != NoPosition;
         open = clause.find('(', open + 1)) {
        const std::size_t close = clause.find(')', open);
        if (close == NoPosition)
            break;
        const std::string_view inside = clause.substr(open + 1, close - open - 1);
        if (!inside.empty() && (inside.front() == '"' || inside.front() == '\'')) {
            ChoiceList quoted = QuotedValues(inside);
            if (!quoted.values.empty() && ListAt(inside, 2).values.size() == quoted.values.size())
                return quoted;
            continue;
        }
        if (inside.find(", ") != NoPosition) {
            ChoiceList listed = ListAt(inside, 3);
            const bool words = std::all_of(listed.values.begin(), listed.values.end(),
                                           [](const std::string& v) { return IsLetter(v[0]); });
            if (!listed.values.empty() && words && !listed.open)
                return listed;
            continue;
        }
        if (inside.find(' ') != NoPosition)
            continue;
        std::vector<std::string> values = SplitAt(inside, '/');
        const bool words = std::all_of(values.begin(), values.end(),
                                       [](const std::string& v) { return IsChoiceWord(v); });
        if (values.size() >= 3 && words)
            return {std::move(values), false};
    }
    return {};
}

ChoiceList ChoicesInClause(std::string_view clause, std::string_view valueName)
{
    const std::string lower = Lowered(clause);
    for (const std::string_view cue : ListCues) {
        const std::size_t at = lower.find(cue);
        if (at == NoPosition)
            continue;
        std::size_t from = at + cue.size();
        while (from < clause.size() && (clause[from] == ' ' || clause[from] == ':'))
            ++from;
        ChoiceList list = ListAt(clause.substr(from), 2);
        if (!list.values.empty())
            return list;
    }
    const bool named = MentionsValueName(clause, valueName);
    const std::size_t colon = clause.rfind(": ");
    if (colon != NoPosition) {
        const std::string_view before = clause.substr(0, colon);
        const bool valuesNamed = NamesValuesBeforeColon(lower.substr(0, colon));
        // The value's name in any letter case: "sorting order: none, name".
        if (valuesNamed || MentionsValueName(before, Lowered(valueName)) ||
            lower.substr(0, colon).find("values") != NoPosition) {
            ChoiceList list = ListAt(clause.substr(colon + 2), valuesNamed ? 1 : 3);
            if (!list.values.empty())
                return list;
        }
    }
    const bool cued = named || lower.find("either") != NoPosition ||
                      lower.find("can be") != NoPosition || lower.find("values") != NoPosition;
    if (cued) {
        ChoiceList quoted = QuotedValues(clause);
        if (!quoted.values.empty())
            return quoted;
    }
    ChoiceList parenthesised = InParentheses(clause);
    if (!parenthesised.values.empty())
        return parenthesised;
    if (named) {
        for (const std::string_view cue : {" can be ", " is either ", " may be "}) {
            const std::size_t at = lower.find(cue);
            if (at == NoPosition)
                continue;
            ChoiceList list = ListAt(clause.substr(at + cue.size()), 3);
            if (!list.values.empty())
                return list;
        }
    }
    return {};
}

} // namespace

bool IsChoiceWord(std::string_view word)
{
    if (word.empty() || !(IsAlnum(word.front()) || word.front() == '.'))
        return false;
    return std::all_of(word.begin(), word.end(), [](char c) {
        return IsNameChar(c) || c == '.' || c == '+' || c == ':' || c == '/';
    });
}

std::vector<std::string> ChoicesInPlace(std::string_view place)
{
    if (EndsWith(place, "..."))
        place.remove_suffix(3);
    const char first = place.empty() ? '\0' : place.front();
    const char last = place.empty() ? '\0' : place.back();
    const bool bracketed = (first == '{' && last == '}') || (first == '[' && last == ']') ||
                           (first == '<' && last == '>') || (first == '(' && last == ')');
    if (bracketed && place.size() > 2)
        place = place.substr(1, place.size() - 2);
    if (first == '{' && bracketed) { // a choice list by definition
        std::vector<std::string> choices =
            SplitAt(place, place.find('|') != NoPosition ? '|' : ',');
        const bool words = std::all_of(choices.begin(), choices.end(),
                                       [](const std::string& c) { return IsChoiceWord(c); });
        return words ? choices : std::vector<std::string>{};
    }
    const char separator = place.find('|') != NoPosition ? '|' : '/';
    if (place.find(separator) == NoPosition)
        return {};
    std::vector<std::string> choices = SplitAt(place, separator);
    const bool words = std::all_of(choices.begin(), choices.end(),
                                   [](const std::string& c) { return IsChoiceWord(c); });
    const auto kinds = std::count_if(choices.begin(), choices.end(),
                                     [](const std::string& c) { return IsKindOfValue(c); });
    const bool capitals = std::all_of(choices.begin(), choices.end(),
                                      [](const std::string& c) { return IsCapitals(c); });
    // At least half of them kinds of value: ways of giving one value.
    if (!words || static_cast<std::size_t>(kinds) * 2 >= choices.size() ||
        (capitals && choices.size() < 3))
        return {};
    return choices;
}

ChoiceList ChoicesInProse(std::string_view text, std::string_view valueName)
{
    const std::string lower = Lowered(text);
    const std::size_t bracket = lower.find("[possible values: ");
    if (bracket != NoPosition)
        return ListAt(text.substr(bracket + 18), 1);
    for (const std::string_view clause : Clauses(text)) {
        ChoiceList list = ChoicesInClause(clause, valueName);
        if (!list.values.empty())
            return list;
    }
    // A description that is only a list of values with the options they
    // stand for: "across -x, commas -m, long -l".
    ListReader reader(text);
    if (reader.Read() && reader.AllDecorated() && reader.Count() >= 3)
        return reader.Take();
    return {};
}

std::vector<std::string_view> Clauses(std::string_view text)
{
    std::vector<std::string_view> clauses;
    for (std::size_t from = 0; from < text.size();) {
        const std::size_t end = ClauseEnd(text, from);
        const std::string_view clause = Trimmed(text.substr(from, end - from));
        if (!clause.empty())
            clauses.push_back(clause);
        from = end + 1;
    }
    return clauses;
}

bool MentionsValueName(std::string_view text, std::string_view valueName)
{
    if (valueName.empty())
        return false;
    const bool capitals = IsCapitals(valueName);
    const std::string haystack = capitals ? std::string(text) : Lowered(text);
    const std::string needle = capitals ? std::string(valueName) : Lowered(valueName);
    for (std::size_t at = haystack.find(needle); at != NoPosition;
         at = haystack.find(needle, at + 1)) {
        std::size_t end = at + needle.size();
        if (!capitals && end < haystack.size() && haystack[end] == 's')
            ++end;
        const bool startsWord = at == 0 || !IsNameChar(haystack[at - 1]);
        const bool endsWord = end >= haystack.size() || !IsNameChar(haystack[end]);
        if (startsWord && endsWord)
            return true;
    }
    return false;
}
