#include "document/DefinitionHazards.h"

#include "document/DefinitionFile.h"
#include "document/SectionIndex.h"
#include "document/SectionKeys.h"
#include "document/TextReadBack.h"

#include <algorithm>
#include <optional>
#include <unordered_map>

// The check follows the file as the writer writes it and the reader reads
// it back. Each text is looked at alone first (TextReadBack): what it reads
// back as, and whether its lines stay within the line or header they belong
// to. When they all do, the file's sections and keys are the ones the writer
// meant, and one pass over the options, through the reader's own index of
// the sections' headers (SectionIndex), tells which section each option
// reads and so what it gets back. When a text's lines read as headers or
// keys of their own, a real save and reload decides which options change,
// and that text is named as the cause where an option has no cause of its
// own.

namespace {

std::string Numbered(int position)
{
    return std::to_string(position + 1);
}

static_assert(static_cast<std::size_t>(TextField::ProgramInformation) + 1 ==
                  SettingsTextKeys.size(),
              "the settings' texts come first among the fields, in their order");

// A header as the reader takes it back: named by length bytes of names from
// offset, or without a name.
LogicalLine HeaderLine(bool named, std::string_view names, std::size_t offset, std::size_t length)
{
    LogicalLine line;
    line.kind = named ? LogicalLine::Kind::Header : LogicalLine::Kind::NamelessHeader;
    line.name = names.substr(offset, named ? length : 0);
    return line;
}

std::string Subject(int option, TextField field, std::size_t index)
{
    const std::string owner = "Option " + Numbered(option) + "'s ";
    switch (field) {
    case TextField::Caption:
        return "The caption";
    case TextField::Program:
        return "The program";
    case TextField::Directory:
        return "The directory";
    case TextField::Shell:
        return "The command shell";
    case TextField::ProgramInformation:
        return "The program's information";
    case TextField::Name:
        return owner + "name";
    case TextField::Type:
        return owner + "type";
    case TextField::Value:
        return owner + "value";
    case TextField::ListedValue:
        return owner + "listed value " + std::to_string(index + 1);
    case TextField::Format:
        return owner + "format";
    case TextField::Information:
        return owner + "information";
    }
    return {};
}

// A subject in the middle of a sentence.
std::string InSentence(std::string subject)
{
    if (subject.rfind("The ", 0) == 0)
        subject[0] = 't';
    else
        subject[0] = 'o';
    return subject;
}

bool HasLineFeed(std::string_view text)
{
    return text.find('\n') != std::string_view::npos;
}

// Why a text that keeps to its line reads back otherwise.
DefinitionHazard ChangedText(int option, TextField field, std::size_t index, std::string_view text)
{
    const std::string subject = Subject(option, field, index);
    const bool block = field == TextField::Information || field == TextField::ProgramInformation;
    if (!block && HasLineFeed(text))
        return {option, HazardKind::LineBreak,
                subject + " contains a line break; after saving it will be split"};
    if (block && BlockFitsLine(text))
        return {option, HazardKind::LineBreak,
                subject + " has a line break without a carriage return; after saving it "
                          "will have one"};
    return {option, HazardKind::LineTooLong,
            subject +
                (block ? " is longer than the file can hold"
                       : " is longer than a line of the file can hold") +
                "; after saving it will be cut"};
}

// The keys an option's section holds; the name and the default mark are
// not among them.
bool SameKeys(const COption& a, const COption& b)
{
    return a.Type == b.Type && a.Value == b.Value && a.Values == b.Values && a.Format == b.Format &&
           a.Arg == b.Arg && a.Multiple == b.Multiple && a.Mandatory == b.Mandatory &&
           a.UseDir == b.UseDir && a.Information == b.Information;
}

// A text of an option that reads back otherwise.
struct ChangedOptionText
{
    TextField field;
    std::size_t index;
    std::string read;
};

// One option's section as the reader takes it back, looked at alone.
struct OptionReadBack
{
    std::string generatedName; // the section name of an unnamed option
    HeaderReadBack header;
    std::vector<ChangedOptionText> changed; // in writing order
    std::size_t valuesRead = 0;             // the listed values up to the first read back empty
    bool exact = true;                      // every key reads back as written
};

// The option's text, for reading or, in a copy, for writing.
template <typename Option>
auto TextOf(Option& option, TextField field, std::size_t index) -> decltype(&option.Type)
{
    switch (field) {
    case TextField::Type:
        return &option.Type;
    case TextField::Value:
        return &option.Value;
    case TextField::ListedValue:
        return &option.Values[index];
    case TextField::Format:
        return &option.Format;
    case TextField::Information:
        return &option.Information;
    default:
        return nullptr;
    }
}

class HazardFinder
{
public:
    explicit HazardFinder(const CDef& def) : def_(def), count_(static_cast<int>(def.Options.size()))
    {
    }

    std::vector<DefinitionHazard> Find()
    {
        ReadBackSettings();
        ReadBackOptions();
        FollowSections();
        FindDefaultMarks();
        if (uncontained_)
            CompareWithReload();
        std::stable_sort(hazards_.begin(), hazards_.end(),
                         [](const DefinitionHazard& a, const DefinitionHazard& b) {
                             return a.option < b.option;
                         });
        return std::move(hazards_);
    }

private:
    const COption& OptionAt(int position) const
    {
        return def_.Options[static_cast<std::size_t>(position)];
    }
    OptionReadBack& ReadBackAt(int position)
    {
        return options_[static_cast<std::size_t>(position)];
    }

    std::string_view SectionName(int position)
    {
        const COption& option = OptionAt(position);
        return option.Name.empty() ? std::string_view(ReadBackAt(position).generatedName)
                                   : std::string_view(option.Name);
    }

    void Add(int option, HazardKind kind, std::string message)
    {
        hazards_.push_back({option, kind, std::move(message)});
    }

    // The first text whose lines read as more than its own line.
    void NoteContained(bool contained, int option, TextField field, std::size_t index)
    {
        if (!contained && !uncontained_)
            uncontained_ = InSentence(Subject(option, field, index));
    }

    void ReadBackSettings()
    {
        for (std::size_t i = 0; i < SettingsTextKeys.size(); ++i) {
            const SettingsTextKey& field = SettingsTextKeys[i];
            const std::string& text = def_.*field.text;
            const auto shown = static_cast<TextField>(i);
            TextReadBack read = ReadBackText(field.key, text);
            NoteContained(read.contained, -1, shown, 0);
            if (read.changed)
                hazards_.push_back(ChangedText(-1, shown, 0, text));
            // An option named like the settings' section reads their
            // Information as its own.
            if (field.key == Key::Information)
                settingsKeys_.Information = read.changed ? std::move(*read.changed) : text;
        }
    }

    void NoteReadBack(int position, TextField field, std::size_t index, TextReadBack read)
    {
        NoteContained(read.contained, position, field, index);
        if (read.changed)
            ReadBackAt(position).changed.push_back({field, index, std::move(*read.changed)});
    }

    void ReadBackOptions()
    {
        options_.resize(def_.Options.size());
        for (int position = 0; position < count_; ++position) {
            const COption& option = OptionAt(position);
            OptionReadBack& read = ReadBackAt(position);
            if (option.Name.empty())
                read.generatedName = UnnamedSectionName(static_cast<std::size_t>(position));
            read.header = ReadBackHeader(SectionName(position));
            NoteContained(read.header.contained, position, TextField::Name, 0);
            NoteReadBack(position, TextField::Type, 0, ReadBackText(Key::Type, option.Type));
            NoteReadBack(position, TextField::Value, 0, ReadBackText(Key::Value, option.Value));
            // The writer writes every number once, in order: the list ends
            // at the first value that reads back as ending it.
            std::size_t listEnd = option.Values.size();
            for (std::size_t v = 0; v < option.Values.size(); ++v) {
                NoteReadBack(position, TextField::ListedValue, v,
                             ReadBackListedValue(v + 1, option.Values[v]));
                const bool changed = !read.changed.empty() &&
                                     read.changed.back().field == TextField::ListedValue &&
                                     read.changed.back().index == v;
                const std::string& readBack = changed ? read.changed.back().read : option.Values[v];
                if (EndsValueList(readBack) && listEnd == option.Values.size())
                    listEnd = v;
            }
            read.valuesRead = listEnd;
            NoteReadBack(position, TextField::Format, 0, ReadBackText(Key::Format, option.Format));
            NoteReadBack(position, TextField::Information, 0,
                         ReadBackText(Key::Information, option.Information));
            read.exact =
                read.changed.empty() && read.valuesRead == option.Values.size() && option.Arg >= 0;
        }
    }

    // What the keys of an option's section read back as.
    const COption& KeysOf(int position)
    {
        const OptionReadBack& read = ReadBackAt(position);
        if (read.exact)
            return OptionAt(position);
        const auto [keys, added] = keysRead_.try_emplace(position, OptionAt(position));
        if (added) {
            for (const ChangedOptionText& text : read.changed)
                *TextOf(keys->second, text.field, text.index) = text.read;
            keys->second.Values.resize(read.valuesRead);
            keys->second.Arg = std::max(keys->second.Arg, 0);
        }
        return keys->second;
    }

    // The sections as the reader finds them: the program settings', then
    // each option's, up to the end of the option list.
    void FollowSections()
    {
        // The names the headers read back as, in one text for the index.
        std::string names(SettingsSection);
        for (int position = 0; position < count_; ++position) {
            const HeaderReadBack& header = ReadBackAt(position).header;
            if (header.named)
                names.append(SectionName(position).substr(0, header.nameLength));
        }
        SectionIndex index(names, SectionIndex::Names::InList);
        index.Reserve(options_.size() + 1);
        index.Add(HeaderLine(true, names, 0, SettingsSection.size()));
        listEnd_ = count_;
        std::size_t offset = SettingsSection.size();
        for (int position = 0; position < count_; ++position) {
            const HeaderReadBack& header = ReadBackAt(position).header;
            const LogicalLine line = HeaderLine(header.named, names, offset, header.nameLength);
            offset += line.name.size();
            const SectionRole role = index.Add(line);
            if (!role.option) {
                listEnd_ = position;
                break;
            }
            FindNameHazards(position, line.name);
            // The settings' section stands before the first option's: -1.
            FindKeyHazards(position, static_cast<int>(role.first) - static_cast<int>(FirstOption));
        }
        if (listEnd_ == count_)
            return;
        FindListEnd(listEnd_);
        for (int position = listEnd_ + 1; position < count_; ++position) {
            Add(position, HazardKind::AfterListEnd,
                "Option " + Numbered(position) + " will be lost after saving, because option " +
                    Numbered(listEnd_) + "'s name ends the option list");
        }
    }

    void FindNameHazards(int position, std::string_view name)
    {
        const COption& option = OptionAt(position);
        if (name == option.Name)
            return;
        const std::string subject = "Option " + Numbered(position);
        if (option.Name.empty())
            Add(position, HazardKind::Unnamed,
                subject + " has no name; after saving it will be named \"" + std::string(name) +
                    "\"");
        else
            Add(position, HazardKind::BracketInName,
                subject + "'s name contains ']'; after saving it will be cut to \"" +
                    std::string(name) + "\"");
    }

    // The option reads its keys from the first section of its name: its
    // own, an earlier option's, or the program settings'.
    void FindKeyHazards(int position, int source)
    {
        const COption& option = OptionAt(position);
        const std::string subject = "Option " + Numbered(position);
        if (source == position) {
            const OptionReadBack& read = ReadBackAt(position);
            if (read.exact)
                return;
            for (const ChangedOptionText& text : read.changed) {
                if (text.field != TextField::ListedValue || text.index <= read.valuesRead)
                    hazards_.push_back(ChangedText(position, text.field, text.index,
                                                   *TextOf(option, text.field, text.index)));
            }
            if (read.valuesRead < option.Values.size() &&
                EndsValueList(option.Values[read.valuesRead]))
                Add(position, HazardKind::EmptyListedValue,
                    subject + "'s listed value " + std::to_string(read.valuesRead + 1) +
                        " is empty; after saving it and the values after it will be lost");
            if (option.Arg < 0)
                Add(position, HazardKind::NegativeArgument,
                    subject + "'s argument number is negative; after saving it will be 0");
            return;
        }
        if (source < 0) {
            if (!SameKeys(option, settingsKeys_))
                Add(position, HazardKind::SettingsSectionName,
                    subject + " is named like the program settings' section; after saving it "
                              "will read the program settings");
            return;
        }
        if (!SameKeys(option, KeysOf(source))) {
            const std::string other = "option " + Numbered(source);
            Add(position, HazardKind::DuplicateName,
                subject + " has the same name as " + other + "; after saving it will read " +
                    other + "'s settings");
        }
    }

    void FindListEnd(int position)
    {
        const std::string_view name = SectionName(position);
        const std::string reason = ReadBackAt(position).header.named ? " starts with ']'"
                                   : HasLineFeed(name)
                                       ? " contains a line break"
                                       : " is longer than a line of the file can hold";
        Add(position, HazardKind::EndsOptionList,
            "Option " + Numbered(position) + "'s name" + reason +
                "; after saving it ends the option list: it and every option after it will be "
                "lost");
    }

    // The file keeps only First; reading it back marks the option there.
    // With no option marked, First 0 still marks the first option: a new
    // option saved unticked, or the option after a deleted default one.
    void FindDefaultMarks()
    {
        // A First below 0 is not written, and reads back as 0.
        const std::optional<std::size_t> reread =
            MarkedOption(std::max(def_.First, 0), static_cast<std::size_t>(listEnd_));
        const std::string becomes =
            reread ? "option " + Numbered(static_cast<int>(*reread)) + " will be marked"
                   : "no option will be marked";
        for (int position = 0; position < listEnd_; ++position) {
            const bool marked = OptionAt(position).Default;
            const bool marks = reread == static_cast<std::size_t>(position);
            if (marked && !marks)
                Add(position, HazardKind::DefaultMark,
                    "Option " + Numbered(position) +
                        " carries the default mark, but after saving " + becomes);
            else if (!marked && marks)
                Add(position, HazardKind::DefaultMark,
                    "Option " + Numbered(position) +
                        " does not carry the default mark, but after saving it will");
        }
    }

    // Some text's lines read as headers or keys of their own: a real save
    // and reload tells what changes, and the marks follow it.
    void CompareWithReload()
    {
        const CDef reread = ReadDefinition(WriteDefinition(def_), {}, {});
        std::vector<char> changes(def_.Options.size() + 1); // [0]: the program settings
        CProgramSettings settings = def_.Settings();
        settings.First = std::max(settings.First, 0);
        changes[0] = settings != reread.Settings();
        for (int position = 0; position < count_; ++position) {
            const auto at = static_cast<std::size_t>(position);
            changes[at + 1] =
                at >= reread.Options.size() || OptionAt(position) != reread.Options[at];
        }
        hazards_.erase(
            std::remove_if(hazards_.begin(), hazards_.end(),
                           [&changes](const DefinitionHazard& hazard) {
                               return !changes[static_cast<std::size_t>(hazard.option + 1)];
                           }),
            hazards_.end());
        std::vector<char> said(changes.size());
        for (const DefinitionHazard& hazard : hazards_)
            said[static_cast<std::size_t>(hazard.option + 1)] = true;
        for (int position = -1; position < count_; ++position) {
            const auto at = static_cast<std::size_t>(position + 1);
            if (!changes[at] || said[at])
                continue;
            const std::string subject =
                position < 0 ? std::string("The program settings") : "Option " + Numbered(position);
            const bool lost = position >= 0 && at > reread.Options.size();
            Add(position, HazardKind::EarlierLines,
                subject +
                    (lost ? " will be lost after saving: lines of "
                          : " will not read back as saved: lines of ") +
                    *uncontained_ + " read as headers or keys of their own");
        }
    }

    const CDef& def_;
    const int count_;
    std::vector<DefinitionHazard> hazards_;
    std::vector<OptionReadBack> options_;
    COption settingsKeys_; // what an option named like the settings' section reads
    std::unordered_map<int, COption> keysRead_; // of sections whose keys read back otherwise
    int listEnd_ = 0;
    std::optional<std::string> uncontained_;
};

} // namespace

std::vector<DefinitionHazard> FindHazards(const CDef& def)
{
    return HazardFinder(def).Find();
}

DefinitionHazard UnstorableText(int option, TextField field, std::size_t index)
{
    return {option, HazardKind::Unstorable,
            Subject(option, field, index) +
                " contains characters that this file's encoding cannot store"};
}
