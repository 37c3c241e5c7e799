#pragma once

#include "document/HelpOptionList.h"
#include "document/HelpTextReader.h"
#include "document/HelpUsage.h"

#include <string>
#include <vector>

// The definition option for an option of the help's list (see
// ReadHelpText for the rules); its Name is the preferred name without
// dashes, which GiveDistinctNames may change.
DraftedOption DraftOption(const HelpEntry& entry);

// The definition option for the operand at position (from 1) of the usage.
DraftedOption DraftOperand(const UsageOperand& operand, int position,
                           const std::string& description);

// Makes the Names distinct without regard to letter case, and distinct from
// the program settings' section, in order: a name taken before gets the
// first words of its description in parentheses, or a number.
void GiveDistinctNames(std::vector<DraftedOption>& drafts);
