#pragma once

#include "document/HelpLines.h"
#include "document/HelpOptionList.h"

#include <vector>

// Choices that the text around the option list gives for the options'
// values, to the options that have none yet: a sentence that names the
// value ("The WHEN argument can be 'always', 'auto' or 'never'.") or the
// option ("--backup"), or a table after such a sentence ending in a colon
// ("FORMAT is one of the following:", then one value, or a few separated
// by commas, at the start of each line).
void AddParagraphChoices(const std::vector<HelpLine>& lines, const std::vector<LineRole>& roles,
                         std::vector<HelpEntry>& entries);
