#include "document/HelpOptionHead.h"

#include "document/HelpAscii.h"

#include <algorithm>
#include <array>

namespace {

using namespace Ascii;

constexpr int MostValueWords = 3;

bool EndsRepeated(std::string_view value)
{
    return value.size() > 3 && EndsWith(value, "...");
}

class HeadScanner
{
public:
    explicit HeadScanner(std::string_view text) : text_(text) {}

    std::optional<HelpOptionHead> Scan()
    {
        HelpOptionHead head;
        while (true) {
            HelpSpelling spelling;
            if (!ReadName(spelling))
                return std::nullopt;
            ReadAttachedValue(spelling, head);
            const SoftStart soft = ReadSeparatedValues(spelling, head);
            head.spellings.push_back(std::move(spelling));
            ++names_;
            if (Separator())
                continue;
            if (soft.text != NoPosition && !AtEndOfNames())
                DropSoftValues(head.spellings.back(), soft);
            if (!Finish(head))
                return std::nullopt;
            DropForeignNames(head.spellings);
            return head;
        }
    }

private:
    char At(std::size_t i) const { return i < text_.size() ? text_[i] : '\0'; }

    bool AtGap() const { return At(pos_) == ' ' && At(pos_ + 1) == ' '; }

    // The names end here: the end of the line, blanks before a
    // description, or a description marker.
    bool AtEndOfNames() const
    {
        const bool marker =
            At(pos_) == ' ' && (At(pos_ + 1) == '=' || At(pos_ + 1) == '-') && At(pos_ + 2) == ' ';
        return pos_ >= text_.size() || AtGap() || marker ||
               (At(pos_) == '=' && At(pos_ + 1) == ' ') ||
               (At(pos_) == ',' && pos_ + 1 == text_.size());
    }

    // [A-Za-z0-9] then name characters; a dot only between them ("--http1.1").
    std::size_t NameEnd(std::size_t at) const
    {
        if (!IsAlnum(At(at)))
            return NoPosition;
        std::size_t end = at + 1;
        while (IsNameChar(At(end)) || (At(end) == '.' && IsAlnum(At(end + 1))))
            ++end;
        return end;
    }

    bool ReadName(HelpSpelling& spelling)
    {
        const std::size_t start = pos_;
        std::size_t nameAt = start + 1;
        if (At(start) == '-' && At(start + 1) == '-') {
            nameAt = start + 2;
            if (text_.substr(nameAt, 5) == "[no-]") {
                const std::size_t end = NameEnd(nameAt + 5);
                if (end == NoPosition)
                    return false;
                const std::string_view word = text_.substr(nameAt + 5, end - nameAt - 5);
                spelling.name = "--" + std::string(word);
                spelling.negated = "--no-" + std::string(word);
                pos_ = end;
                return true;
            }
        } else if (At(start) == '-') {
            const char sign = At(nameAt);
            if ((sign == '?' || sign == '#' || sign == ':') && !IsNameChar(At(nameAt + 1))) {
                spelling.name = text_.substr(start, 2);
                pos_ = start + 2;
                return true;
            }
        } else if (At(start) == '/' && names_ > 0) {
            // "-h,-H,--help,/?": a name for another system, read and left out.
            std::size_t end = nameAt;
            while (end < text_.size() && text_[end] != ' ' && text_[end] != ',')
                ++end;
            if (end == nameAt)
                return false;
            spelling.name = text_.substr(start, end - start);
            pos_ = end;
            return true;
        } else if (At(start) != '+' || !IsLetter(At(nameAt))) {
            return false;
        }
        const std::size_t end = NameEnd(nameAt);
        if (end == NoPosition)
            return false;
        spelling.name = text_.substr(start, end - start);
        pos_ = end;
        return true;
    }

    // The end of the value text at 'at': balanced brackets, which may hold
    // blanks, then anything up to a blank or a comma outside them; NoPosition
    // when a bracket is not closed on the line.
    std::size_t ValueEnd(std::size_t at) const
    {
        int depth = 0;
        std::size_t i = at;
        for (; i < text_.size(); ++i) {
            const char c = text_[i];
            if (IsOpening(c)) {
                ++depth;
            } else if (IsClosing(c)) {
                if (depth == 0)
                    return NoPosition;
                --depth;
            } else if (depth == 0 && c == ' ') {
                break;
            } else if (depth == 0 && c == ',') {
                // A comma ends the value before another name or at the end;
                // "=patt1,patt2,..." goes on.
                const char next = At(AfterBlanks(i + 1));
                if (next == '-' || next == '+' || next == '/' || next == '\0')
                    break;
            }
        }
        if (depth != 0)
            return NoPosition;
        // "[<file>]= Print ...": the '=' is the description marker.
        if (i > at + 1 && text_[i - 1] == '=' && (i == text_.size() || text_[i] == ' '))
            --i;
        return i;
    }

    void ReadAttachedValue(HelpSpelling& spelling, HelpOptionHead& head)
    {
        if (text_.substr(pos_, 3) == "...") {
            head.repeatable = true;
            pos_ += 3;
            return;
        }
        const char c = At(pos_);
        if (c == '#') { // "-T#": a number written right after the name
            spelling.value = "#";
            ++pos_;
            return;
        }
        const bool optionalEquals = c == '[' && At(pos_ + 1) == '=';
        if (!(c == '=' || c == '[' || c == '<'))
            return;
        if (c == '=' && (At(pos_ + 1) == ' ' || pos_ + 1 >= text_.size()))
            return; // the description marker "= "
        const std::size_t end = ValueEnd(pos_);
        if (end == NoPosition || end == pos_)
            return;
        std::string_view value = text_.substr(pos_, end - pos_);
        pos_ = end;
        if (c == '=') { // "=patt1,patt2,..." is one value listing several
            value.remove_prefix(1);
            if (value.size() > 1 && value.back() == ':' && pos_ == text_.size()) {
                value.remove_suffix(1); // "--x=false:": the default, description below
                head.defaultShown = true;
            }
            spelling.joiner = '=';
            spelling.fixedCandidate = !head.defaultShown && IsLower(value.front()) &&
                                      std::all_of(value.begin(), value.end(), [](char v) {
                                          return IsLower(v) || IsDigit(v) || v == '-' || v == '_';
                                      });
        } else if (optionalEquals && value.back() == ']') {
            value = value.substr(2, value.size() - 3);
            spelling.joiner = '=';
            spelling.optional = true;
        } else {
            spelling.optional = c == '[';
        }
        spelling.value = value;
    }

    enum class Word
    {
        None,
        Hard, // cannot be prose: brackets, or a name in capitals
        Soft  // a lower-case word: a value's place only where the names end after it
    };

    Word WordAt(std::size_t at, std::size_t& end) const
    {
        const char c = At(at);
        if (c == '\'' || c == '"') { // "-var 'foo=bar'"
            end = text_.find(c, at + 1);
            if (end == NoPosition || (At(end + 1) != ' ' && end + 1 < text_.size()))
                return Word::None;
            ++end;
            return Word::Hard;
        }
        end = ValueEnd(at);
        if (end == NoPosition || end == at)
            return Word::None;
        const std::string_view word = text_.substr(at, end - at);
        if (c == '[' && (At(at + 1) == '-' || At(at + 1) == '+'))
            return Word::None; // an optional option, as usage lines show them
        if (IsOpening(c) && c != '(')
            return Word::Hard;
        if (IsUpper(c) && std::none_of(word.begin(), word.end(), IsLower))
            return Word::Hard;
        // "int", "#", "version[=true]"; a type name in capitals ("Level")
        // only where a description follows it.
        const std::string_view name = word.substr(0, word.find('['));
        const bool identifier =
            std::all_of(name.begin(), name.end(), [](char w) { return IsNameChar(w) || w == '#'; });
        if (identifier && (IsLower(c) || c == '#'))
            return Word::Soft;
        if (identifier && IsUpper(c) && name == word && At(end) == ' ' && At(end + 1) == ' ')
            return Word::Soft;
        return Word::None;
    }

    // Where soft words start: in the text, and in the value read so far.
    struct SoftStart
    {
        std::size_t text = NoPosition;
        std::size_t value = 0;
    };

    // Values after a blank: "-o FILE", "--bind ADDRESS", "-name value",
    // "--help-manual <man> [<file>]".
    SoftStart ReadSeparatedValues(HelpSpelling& spelling, HelpOptionHead& head)
    {
        SoftStart soft;
        if (spelling.joiner != 0 || !spelling.value.empty())
            return soft;
        for (int words = 0; words < MostValueWords && At(pos_) == ' ' && At(pos_ + 1) != ' ';
             ++words) {
            std::size_t end = 0;
            const Word word = WordAt(pos_ + 1, end);
            if (word == Word::None || IsSeparatorWord(pos_ + 1, end))
                break;
            if (word == Word::Soft && soft.text == NoPosition)
                soft = {pos_, spelling.value.size()};
            const std::string_view value = text_.substr(pos_ + 1, end - pos_ - 1);
            if (spelling.value.empty())
                spelling.optional = value.front() == '[';
            else
                spelling.value += ' ';
            spelling.value += value;
            spelling.joiner = ' ';
            head.repeatable = head.repeatable || EndsRepeated(value);
            pos_ = end;
        }
        return soft;
    }

    void DropSoftValues(HelpSpelling& spelling, const SoftStart& soft)
    {
        spelling.value.resize(soft.value);
        if (spelling.value.empty()) {
            spelling.joiner = 0;
            spelling.optional = false;
        }
        pos_ = soft.text;
    }

    bool IsSeparatorWord(std::size_t at, std::size_t end) const
    {
        return text_.substr(at, end - at) == "or";
    }

    // The position after blanks from at.
    std::size_t AfterBlanks(std::size_t at) const
    {
        while (At(at) == ' ')
            ++at;
        return at;
    }

    // Between names: a comma and any blanks ("-V,  --version" lines up with
    // "-nv, --no-verbose"), " | " "|" " / " "/" " or ", each followed by
    // another name.
    bool Separator()
    {
        if (At(pos_) == ',') {
            const std::size_t next = AfterBlanks(pos_ + 1);
            if (At(next) == '-' || At(next) == '+' || At(next) == '/') {
                pos_ = next;
                return true;
            }
            return false;
        }
        static constexpr std::array<std::string_view, 5> Separators = {" | ", "|", " / ", "/",
                                                                       " or "};
        for (const std::string_view separator : Separators) {
            if (text_.substr(pos_, separator.size()) != separator)
                continue;
            const char next = At(pos_ + separator.size());
            if (next == '-' || next == '+') {
                pos_ += separator.size();
                return true;
            }
        }
        return false;
    }

    bool Finish(HelpOptionHead& head)
    {
        if (pos_ >= text_.size())
            return true;
        if (At(pos_) == ',' && pos_ + 1 == text_.size()) {
            head.continued = true;
            return true;
        }
        std::size_t description = pos_;
        if (At(pos_) == ' ' && !AtGap()) {
            head.separated = false;
            description = pos_ + 1;
        }
        while (At(description) == ' ')
            ++description;
        // The markers some tools put before every description: "- " and "= ".
        if ((At(description) == '-' || At(description) == '=') && At(description + 1) == ' ') {
            head.separated = true;
            description += 2;
        } else if (At(pos_) != ' ') {
            return false;
        }
        while (At(description) == ' ')
            ++description;
        head.descriptionAt = description < text_.size() ? description : NoPosition;
        return true;
    }

    // Leaves out the names for another system; a value shown after the
    // last of them belongs to the option.
    static void DropForeignNames(std::vector<HelpSpelling>& spellings)
    {
        std::vector<HelpSpelling> own;
        for (HelpSpelling& spelling : spellings) {
            if (spelling.name.front() != '/') {
                own.push_back(std::move(spelling));
                continue;
            }
            if (!spelling.value.empty() && !own.empty() && own.back().value.empty()) {
                own.back().value = spelling.value;
                own.back().joiner = spelling.joiner;
                own.back().optional = spelling.optional;
            }
        }
        spellings = std::move(own);
    }

    std::string_view text_;
    std::size_t pos_ = 0;
    std::size_t names_ = 0; // read so far
};

} // namespace

std::optional<HelpOptionHead> ReadOptionHead(std::string_view text)
{
    return HeadScanner(text).Scan();
}
