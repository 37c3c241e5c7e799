#include "tests/document/fuzz/RandomDefinition.h"

#include "document/DefinitionFile.h"

#include <algorithm>
#include <cstdint>
#include <string>

namespace {

constexpr const char* Pieces[] = {"[",        "]",       "=",       " ",      "\t",
                                  "Quarn",    "QUARN",   "a",       "A",      "Option 1",
                                  "option 2", "Value1=", "Type=",   "First=", "1",
                                  "-1",       "0",       "[Quarn]", "[a]",    "Information=2"};

constexpr const char* LineEnds[] = {"\r\n", "\n", "\r"};

constexpr const char* TypeNames[] = {"String", "Suggest", "Select", "False", "True"};

// A line of the file is the key, '=', the text and CR LF; texts around
// the capacity, cut at every point near it, reach the reader's splitting.
std::string LongText(FuzzedDataProvider& data)
{
    constexpr std::size_t below = 24;
    const std::size_t length =
        LineCapacity - below + data.ConsumeIntegralInRange<std::size_t>(0, 2 * below);
    const char fill = data.PickValueInArray({'x', ' ', '[', '='});
    return std::string(length, fill) + data.PickValueInArray(Pieces);
}

// Mostly texts that the file keeps, so that whole definitions without a
// hazard are common; now and then a line end or a text past the capacity.
std::string Text(FuzzedDataProvider& data)
{
    const int kind = data.ConsumeIntegralInRange(0, 63);
    if (kind < 8)
        return {};
    if (kind < 14) {
        // Any bytes but LF, which comes with the line ends below.
        std::string bytes = data.ConsumeRandomLengthString(24);
        bytes.erase(std::remove(bytes.begin(), bytes.end(), '\n'), bytes.end());
        return bytes;
    }
    if (kind == 14)
        return LongText(data);
    std::string text;
    const bool lineEnd = data.ConsumeIntegralInRange(0, 7) == 0;
    for (int pieces = data.ConsumeIntegralInRange(1, 4); pieces > 0; --pieces)
        text += lineEnd && pieces == 1 ? data.PickValueInArray(LineEnds)
                                       : data.PickValueInArray(Pieces);
    return text;
}

// Lines joined with CR LF, as the editor writes a memo's LF.
std::string InformationText(FuzzedDataProvider& data)
{
    std::string text;
    for (int lines = data.ConsumeIntegralInRange(0, 3); lines > 0; --lines) {
        for (const char c : Text(data)) {
            if (c == '\n')
                text += '\r';
            text += c;
        }
        if (lines > 1)
            text += "\r\n";
    }
    return text;
}

std::int32_t Number(FuzzedDataProvider& data)
{
    return data.ConsumeIntegralInRange(0, 7) == 0
               ? data.ConsumeIntegral<std::int32_t>()
               : data.ConsumeIntegralInRange<std::int32_t>(-1, 12);
}

COption RandomOption(FuzzedDataProvider& data)
{
    COption option;
    option.Name = Text(data);
    option.Type = data.ConsumeBool() ? data.PickValueInArray(TypeNames) : Text(data);
    option.Value = Text(data);
    option.Values.resize(data.ConsumeIntegralInRange<std::size_t>(0, 4));
    for (std::string& value : option.Values)
        value = Text(data);
    option.Format = Text(data);
    option.Arg = Number(data);
    option.Multiple = data.ConsumeBool();
    option.Mandatory = data.ConsumeBool();
    option.UseDir = data.ConsumeBool();
    option.Information = InformationText(data);
    return option;
}

// An earlier option again, under its name in other letters: the same keys
// under a repeated name lose nothing.
COption Twin(const COption& earlier)
{
    COption twin = earlier;
    for (char& c : twin.Name) {
        if (c >= 'a' && c <= 'z')
            c = static_cast<char>(c - 'a' + 'A');
    }
    return twin;
}

} // namespace

CDef RandomDefinition(FuzzedDataProvider& data)
{
    CDef def;
    def.Name = Text(data);
    def.Program = Text(data);
    def.Directory = Text(data);
    def.Shell = Text(data);
    def.Information = InformationText(data);
    for (int count = data.ConsumeIntegralInRange(0, 6); count > 0; --count) {
        if (!def.Options.empty() && data.ConsumeIntegralInRange(0, 7) == 0) {
            const auto earlier =
                data.ConsumeIntegralInRange<std::size_t>(0, def.Options.size() - 1);
            def.Options.push_back(Twin(def.Options[earlier]));
        } else {
            def.Options.push_back(RandomOption(data));
        }
    }
    // The default mark mirrors First in the editor; a file may hold any
    // First, and marks that do not match it.
    def.First = Number(data);
    const bool marksFollowFirst = data.ConsumeBool();
    for (std::size_t i = 0; i < def.Options.size(); ++i) {
        def.Options[i].Default = marksFollowFirst
                                     ? def.First >= 0 && static_cast<std::size_t>(def.First) == i
                                     : data.ConsumeBool();
    }
    return def;
}
