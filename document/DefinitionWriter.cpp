#include "document/DefinitionFile.h"
#include "document/LineWriter.h"

namespace {

std::size_t EstimatedSize(const CDef& def)
{
    std::size_t size = 64;
    for (const SettingsTextKey& field : SettingsTextKeys)
        size += (def.*field.text).size();
    for (const COption& option : def.Options) {
        size += 96 + option.Name.size() + option.Type.size() + option.Value.size() +
                option.Format.size() + option.Information.size();
        for (const std::string& value : option.Values)
            size += 12 + value.size();
    }
    return size;
}

} // namespace

std::string UnnamedSectionName(std::size_t index)
{
    return "Option " + std::to_string(index + 1);
}

std::string WriteDefinition(const CDef& def)
{
    std::string out;
    out.reserve(EstimatedSize(def));
    LineWriter writer(out);

    // The Information block ends a section, after the lines of the other
    // keys.
    writer.Header(SettingsSection);
    for (const SettingsTextKey& field : SettingsTextKeys) {
        if (field.key != Key::Information)
            writer.Text(field.key, def.*field.text);
    }
    writer.Number(Key::First, def.First);
    writer.Information(def.Information);

    for (std::size_t i = 0; i < def.Options.size(); ++i) {
        const COption& option = def.Options[i];
        if (option.Name.empty())
            writer.Header(UnnamedSectionName(i));
        else
            writer.Header(option.Name);
        writer.KeyLine(KeyName(Key::Type), option.Type);
        writer.Text(Key::Value, option.Value);
        for (std::size_t v = 0; v < option.Values.size(); ++v)
            writer.KeyLine(ListedValueKey(v + 1), option.Values[v]);
        writer.Text(Key::Format, option.Format);
        writer.Number(Key::Arg, option.Arg);
        writer.Flag(Key::Multiple, option.Multiple);
        writer.Flag(Key::Mandatory, option.Mandatory);
        writer.Flag(Key::UseDir, option.UseDir);
        writer.Information(option.Information);
    }
    return out;
}
