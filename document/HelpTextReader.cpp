#include "document/HelpTextReader.h"

#include "document/HelpEntryDetails.h"
#include "document/HelpLines.h"
#include "document/HelpOptionDraft.h"
#include "document/HelpOptionList.h"
#include "document/HelpParagraphChoices.h"
#include "document/HelpProgramText.h"
#include "document/HelpTextCleaner.h"
#include "document/HelpUsage.h"

HelpDraft ReadHelpText(std::string_view text)
{
    const std::string cleaned = CleanHelpText(text);
    const std::vector<HelpLine> lines = SplitHelpLines(cleaned);
    const UsageLines usage = FindUsage(lines);
    HelpOptionList list = ReadOptionList(lines, usage.lines);
    for (HelpEntry& entry : list.entries)
        ReadEntryDetails(entry);
    AddParagraphChoices(lines, list.roles, list.entries);

    HelpDraft draft;
    draft.description = ProgramDescription(lines, list.roles);
    draft.usage = usage.forms;
    draft.options.reserve(list.entries.size());
    for (const HelpEntry& entry : list.entries)
        draft.options.push_back(DraftOption(entry));
    if (!usage.forms.empty()) {
        int position = 0;
        for (const UsageOperand& operand : UsageOperands(usage.forms.front()))
            draft.options.push_back(DraftOperand(
                operand, ++position, OperandDescription(lines, list.roles, operand.name)));
    }
    GiveDistinctNames(draft.options);
    return draft;
}

CDef DraftDefinition(const HelpDraft& draft, const std::string& programPath)
{
    CDef def;
    const std::size_t slash = programPath.find_last_of("/\\");
    def.Name = slash == std::string::npos ? programPath : programPath.substr(slash + 1);
    def.Program = programPath;
    def.Information = draft.description;
    for (const std::string& form : draft.usage)
        def.Information += (def.Information.empty() ? "" : "\r\n") + ("Usage: " + form);
    def.Options.reserve(draft.options.size());
    for (const DraftedOption& option : draft.options)
        def.Options.push_back(option.option);
    // First stays 0, which marks the first option when the file is read.
    if (!def.Options.empty())
        def.Options.front().Default = true;
    return def;
}
