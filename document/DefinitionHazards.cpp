#include "document/DefinitionHazards.h"

#include "document/DefinitionFile.h"
#include "document/FileBytes.h"
#include "document/TextCompare.h"

#include <algorithm>
#include <ostream>
#include <set>

namespace {

constexpr std::string_view SettingsSection = "Quarn";
constexpr std::string_view LineEnd = "\r\n";

std::string Numbered(int position)
{
    return std::to_string(position + 1);
}

// The name an option's section is written under.
std::string SectionNameOf(const COption& option, int position)
{
    return option.Name.empty() ? "Option " + Numbered(position) : option.Name;
}

// Whether "key=value" fits one line of the reader, line end included.
bool FitsOneLine(std::string_view key, std::string_view value)
{
    return key.size() + 1 + value.size() + LineEnd.size() <= LineCapacity;
}

// The reader ends a line at every LF.
bool HasLineBreak(std::string_view text)
{
    return text.find('\n') != std::string_view::npos;
}

// Whether two options carry the same keys of their sections, so that
// reading one's keys for the other loses nothing.
bool SameKeys(const COption& a, const COption& b)
{
    return a.Type == b.Type && a.Value == b.Value && a.Values == b.Values && a.Format == b.Format &&
           std::max(a.Arg, 0) == std::max(b.Arg, 0) && a.Multiple == b.Multiple &&
           a.Mandatory == b.Mandatory && a.UseDir == b.UseDir && a.Information == b.Information;
}

// What an option reads from the program settings' section: only the
// information text is a key of both.
COption SettingsSectionKeys(const CDef& def)
{
    COption keys;
    keys.Information = def.Information;
    return keys;
}

// Whether an Information block comes back whole: the reader folds its
// lines, each with CR LF, into one line of limited capacity behind its key.
bool InformationFits(std::string_view text)
{
    std::size_t length = std::string_view("Information=").size();
    std::size_t start = 0;
    while (true) {
        const std::size_t end = text.find('\n', start);
        const bool last = end == std::string_view::npos;
        std::string_view line = text.substr(start, last ? std::string_view::npos : end - start);
        // As written: the line with its LF (the last with the writer's CR LF);
        // as folded: without its own line end, followed by CR LF.
        const std::size_t written = line.size() + (last ? LineEnd.size() : 1);
        if (written > LineCapacity - std::min(length, LineCapacity))
            return false;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        length += line.size() + LineEnd.size();
        if (last)
            return true;
        start = end + 1;
    }
}

class HazardList
{
public:
    explicit HazardList(std::vector<DefinitionHazard>& hazards) : hazards_(hazards) {}

    void Add(int option, HazardKind kind, std::string message)
    {
        hazards_.push_back({option, kind, std::move(message)});
    }

    // A one-line text that cannot come back as it is.
    void Text(int option, const std::string& subject, std::string_view key, std::string_view value)
    {
        if (!FitsOneLine(key, value))
            Add(option, HazardKind::LineTooLong,
                subject +
                    " is longer than a line of the file can hold; after saving it will be cut");
        else if (HasLineBreak(value))
            Add(option, HazardKind::LineBreak,
                subject + " contains a line break; after saving it will be split");
    }

    void Information(int option, const std::string& subject, std::string_view text)
    {
        if (!text.empty() && !InformationFits(text))
            Add(option, HazardKind::LineTooLong,
                subject + " is longer than the file can hold; after saving it will be cut");
    }

private:
    std::vector<DefinitionHazard>& hazards_;
};

void FindSettingsHazards(const CDef& def, HazardList& list)
{
    list.Text(-1, "The caption", "Name", def.Name);
    list.Text(-1, "The program", "Program", def.Program);
    list.Text(-1, "The directory", "Directory", def.Directory);
    list.Text(-1, "The command shell", "Command shell", def.Shell);
    list.Information(-1, "The program's information", def.Information);
}

void FindNameHazards(const CDef& def, int position, HazardList& list)
{
    const COption& option = def.Options[static_cast<std::size_t>(position)];
    const std::string subject = "Option " + Numbered(position);
    const std::string section = SectionNameOf(option, position);
    if (option.Name.empty()) {
        list.Add(position, HazardKind::Unnamed,
                 subject + " has no name; after saving it will be named \"" + section + "\"");
    }
    if (const std::size_t bracket = section.find(']'); bracket != std::string::npos) {
        list.Add(position, HazardKind::BracketInName,
                 subject + "'s name contains ']'; after saving it will be cut to \"" +
                     section.substr(0, bracket) + "\"");
        return;
    }
    // The name needs its ']' within the line the reader takes.
    if (section.size() + 2 > LineCapacity) {
        list.Add(position, HazardKind::LineTooLong,
                 subject + "'s name is longer than a line of the file can hold; after saving "
                           "it will be cut");
        return;
    }
    if (HasLineBreak(section)) {
        list.Add(position, HazardKind::LineBreak,
                 subject + "'s name contains a line break; after saving it will be split");
        return;
    }
    if (EqualIgnoringCase(section, SettingsSection)) {
        if (SameKeys(option, SettingsSectionKeys(def)))
            return;
        list.Add(position, HazardKind::SettingsSectionName,
                 subject + " is named like the program settings' section; after saving it "
                           "will read the program settings");
        return;
    }
    for (int earlier = 0; earlier < position; ++earlier) {
        const COption& first = def.Options[static_cast<std::size_t>(earlier)];
        if (EqualIgnoringCase(section, SectionNameOf(first, earlier))) {
            // The keys come from the first section of the name.
            if (SameKeys(option, first))
                return;
            const std::string other = "option " + Numbered(earlier);
            list.Add(position, HazardKind::DuplicateName,
                     subject + " has the same name as " + other + "; after saving it will read " +
                         other + "'s settings");
            return;
        }
    }
}

void FindFieldHazards(const COption& option, int position, HazardList& list)
{
    const std::string subject = "Option " + Numbered(position) + "'s";
    list.Text(position, subject + " type", "Type", option.Type);
    list.Text(position, subject + " value", "Value", option.Value);
    for (std::size_t v = 0; v < option.Values.size(); ++v) {
        const std::string key = "Value" + std::to_string(v + 1);
        if (option.Values[v].empty()) {
            list.Add(position, HazardKind::EmptyListedValue,
                     subject + " listed value " + std::to_string(v + 1) +
                         " is empty; after saving it and the values after it will be lost");
            break;
        }
        list.Text(position, subject + " listed value " + std::to_string(v + 1), key,
                  option.Values[v]);
    }
    list.Text(position, subject + " format", "Format", option.Format);
    if (option.Arg < 0) {
        list.Add(position, HazardKind::NegativeArgument,
                 subject + " argument number is negative; after saving it will be 0");
    }
    list.Information(position, subject + " information", option.Information);
}

// The file keeps only First; reading it back marks the option there.
void FindDefaultMarkHazards(const CDef& def, HazardList& list)
{
    const int count = static_cast<int>(def.Options.size());
    const int reread = def.First > 0 ? def.First : 0;
    const bool anyMarked = std::any_of(def.Options.begin(), def.Options.end(),
                                       [](const COption& option) { return option.Default; });
    // No mark at all and the first option marked again is one and the same
    // choice in the file: nothing is lost.
    if (!anyMarked && def.First == 0)
        return;
    const std::string becomes = reread < count ? "option " + Numbered(reread) + " will be marked"
                                               : "no option will be marked";
    for (int position = 0; position < count; ++position) {
        const bool marked = def.Options[static_cast<std::size_t>(position)].Default;
        if (marked && position != reread) {
            list.Add(position, HazardKind::DefaultMark,
                     "Option " + Numbered(position) +
                         " carries the default mark, but after saving " + becomes);
        } else if (!marked && position == reread) {
            list.Add(position, HazardKind::DefaultMark,
                     "Option " + Numbered(position) +
                         " does not carry the default mark, but after saving it will");
        }
    }
}

} // namespace

std::vector<DefinitionHazard> FindHazards(const CDef& def)
{
    std::vector<DefinitionHazard> hazards;
    HazardList list(hazards);
    FindSettingsHazards(def, list);
    for (int position = 0; position < static_cast<int>(def.Options.size()); ++position) {
        FindNameHazards(def, position, list);
        FindFieldHazards(def.Options[static_cast<std::size_t>(position)], position, list);
    }
    FindDefaultMarkHazards(def, list);
    std::stable_sort(
        hazards.begin(), hazards.end(),
        [](const DefinitionHazard& a, const DefinitionHazard& b) { return a.option < b.option; });
    return hazards;
}

int OptionsWithHazards(const std::vector<DefinitionHazard>& hazards)
{
    std::set<int> options;
    for (const DefinitionHazard& hazard : hazards) {
        if (hazard.option >= 0)
            options.insert(hazard.option);
    }
    return static_cast<int>(options.size());
}

int CheckDefinitionFiles(const std::vector<std::string>& files, std::ostream& out,
                         std::ostream& errors)
{
    bool unreadable = false;
    bool found = false;
    for (const std::string& file : files) {
        std::string bytes;
        if (!ReadFileBytes(file, bytes)) {
            errors << file << ": cannot be read\n";
            unreadable = true;
            continue;
        }
        for (const DefinitionHazard& hazard : FindHazards(ReadDefinition(bytes, file, file))) {
            out << file << ": "
                << (hazard.option < 0 ? std::string("settings")
                                      : "option " + Numbered(hazard.option))
                << ": " << hazard.message << '\n';
            found = true;
        }
    }
    return unreadable ? 2 : found ? 1 : 0;
}
