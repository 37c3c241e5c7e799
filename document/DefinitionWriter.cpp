#include "document/DefinitionFile.h"

#include <algorithm>

namespace {

constexpr std::string_view LineEnd = "\r\n";

class Writer
{
public:
    explicit Writer(std::string& out) : out_(out) {}

    void Line(std::string_view text)
    {
        out_ += text;
        out_ += LineEnd;
    }

    void Key(std::string_view key, std::string_view value)
    {
        out_ += key;
        out_ += '=';
        Line(value);
    }

    // Texts are written only when they are not empty.
    void Text(std::string_view key, std::string_view value)
    {
        if (!value.empty())
            Key(key, value);
    }

    // Numbers are written only when they are greater than 0.
    void Number(std::string_view key, std::int32_t value)
    {
        if (value > 0)
            Key(key, std::to_string(value));
    }

    void Flag(std::string_view key, bool value)
    {
        if (value)
            Key(key, "1");
    }

    // "Information=" with the line count, the text, and one empty line.
    void Information(std::string_view text)
    {
        if (text.empty())
            return;
        const auto lines = 1 + std::count(text.begin(), text.end(), '\n');
        Key("Information", std::to_string(lines));
        Line(text);
        Line({});
    }

private:
    std::string& out_;
};

std::size_t EstimatedSize(const CDef& def)
{
    std::size_t size = 64 + def.Name.size() + def.Program.size() + def.Directory.size() +
                       def.Shell.size() + def.Information.size();
    for (const COption& option : def.Options) {
        size += 96 + option.Name.size() + option.Type.size() + option.Value.size() +
                option.Format.size() + option.Information.size();
        for (const std::string& value : option.Values)
            size += 12 + value.size();
    }
    return size;
}

} // namespace

std::string WriteDefinition(const CDef& def)
{
    std::string out;
    out.reserve(EstimatedSize(def));
    Writer writer(out);

    writer.Line("[Quarn]");
    writer.Text("Name", def.Name);
    writer.Text("Program", def.Program);
    writer.Text("Directory", def.Directory);
    writer.Text("Command shell", def.Shell);
    writer.Number("First", def.First);
    writer.Information(def.Information);

    for (std::size_t i = 0; i < def.Options.size(); ++i) {
        const COption& option = def.Options[i];
        out += '[';
        out += option.Name.empty() ? "Option " + std::to_string(i + 1) : option.Name;
        writer.Line("]");
        writer.Key("Type", option.Type);
        writer.Text("Value", option.Value);
        for (std::size_t v = 0; v < option.Values.size(); ++v)
            writer.Key("Value" + std::to_string(v + 1), option.Values[v]);
        writer.Text("Format", option.Format);
        writer.Number("Arg", option.Arg);
        writer.Flag("Multiple", option.Multiple);
        writer.Flag("Mandatory", option.Mandatory);
        writer.Flag("Use Directory", option.UseDir);
        writer.Information(option.Information);
    }
    return out;
}
