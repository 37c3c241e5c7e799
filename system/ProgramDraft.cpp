#include "system/ProgramDraft.h"

#include "document/DefinitionPath.h"

#include <algorithm>

std::size_t ProgramDraft::OptionCount() const
{
    return static_cast<std::size_t>(
        std::count_if(help.options.begin(), help.options.end(),
                      [](const DraftedOption& option) { return !option.spellings.empty(); }));
}

ProgramDraft DraftFromProgram(const std::string& program, std::optional<HelpSource> source)
{
    ProgramDraft draft;
    const HelpText text = source ? RunForHelp(program, *source) : HelpFor(program);
    draft.source = text.source;
    if (!text.ok) {
        draft.problem = text.problem;
        return draft;
    }
    draft.ok = true;
    draft.help = ReadHelpText(text.text);
    const bool searched = program.find('/') == std::string::npos;
    draft.def = DraftDefinition(draft.help, searched ? program : AbsolutePath(program));
    return draft;
}
