// Saves a random definition and reads it back: the hazard check marks
// exactly the options, and the settings, that come back otherwise than
// saved. A difference aborts with the definition, the hazards and what
// came back.

#include "document/DefinitionFile.h"
#include "document/DefinitionHazards.h"
#include "tests/document/fuzz/RandomDefinition.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <iostream>
#include <string>
#include <vector>

namespace {

const std::string DefinitionPath = "/fuzz/tool.Quarn";

// def as the file can hold it without loss: a First below 0 and 0 are one
// choice in the file.
CDef AsTheFileKeepsIt(CDef def)
{
    def.First = std::max(def.First, 0);
    return def;
}

bool SettingsEqual(const CDef& a, const CDef& b)
{
    return a.Name == b.Name && a.Program == b.Program && a.Directory == b.Directory &&
           a.Shell == b.Shell && a.First == b.First && a.Information == b.Information;
}

// Texts cut short, so that a failure's report stays readable.
CDef Shortened(CDef def)
{
    constexpr std::size_t shown = 60;
    const auto shorten = [](std::string& text) {
        if (text.size() > shown)
            text = text.substr(0, shown) + "...(" + std::to_string(text.size()) + " bytes)";
    };
    for (std::string* text :
         {&def.Name, &def.Program, &def.Directory, &def.Shell, &def.Information})
        shorten(*text);
    for (COption& option : def.Options) {
        for (std::string* text :
             {&option.Name, &option.Type, &option.Value, &option.Format, &option.Information})
            shorten(*text);
        std::for_each(option.Values.begin(), option.Values.end(), shorten);
    }
    return def;
}

// The positions (-1: the settings) that come back otherwise than saved.
std::vector<int> ChangedPositions(const CDef& saved, const CDef& reread)
{
    std::vector<int> changed;
    if (!SettingsEqual(saved, reread))
        changed.push_back(-1);
    for (std::size_t i = 0; i < saved.Options.size(); ++i) {
        if (i >= reread.Options.size() || saved.Options[i] != reread.Options[i])
            changed.push_back(static_cast<int>(i));
    }
    return changed;
}

// The positions with a hazard; hazards come in option order.
std::vector<int> MarkedPositions(const std::vector<DefinitionHazard>& hazards)
{
    std::vector<int> marked;
    for (const DefinitionHazard& hazard : hazards) {
        if (marked.empty() || marked.back() != hazard.option)
            marked.push_back(hazard.option);
    }
    return marked;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    FuzzedDataProvider provider(data, size);
    const CDef def = RandomDefinition(provider);
    const std::vector<DefinitionHazard> hazards = FindHazards(def);
    const CDef saved = AsTheFileKeepsIt(def);
    const CDef reread = ReadDefinition(WriteDefinition(def), DefinitionPath, DefinitionPath);
    const std::vector<int> changed = ChangedPositions(saved, reread);
    if (MarkedPositions(hazards) != changed) {
        std::cerr << "The hazards do not mark exactly the positions (-1: the settings) that "
                     "change:";
        for (const int position : changed)
            std::cerr << ' ' << position;
        std::cerr << "\nSaved:\n" << Shortened(saved) << "\nHazards:\n";
        for (const DefinitionHazard& hazard : hazards)
            std::cerr << "  " << hazard.option << ": " << hazard.message << '\n';
        std::cerr << "Read back:\n" << Shortened(reread) << '\n';
        std::abort();
    }
    return 0;
}
