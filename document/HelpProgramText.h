#pragma once

#include "document/HelpLines.h"
#include "document/HelpOptionList.h"

#include <string>
#include <vector>

// The first sentence of the first paragraph of prose before the option
// list; headings, tables and version banners are no such paragraph.
std::string ProgramDescription(const std::vector<HelpLine>& lines,
                               const std::vector<LineRole>& roles);

// The description of an operand in a list of arguments ("positional
// arguments:", "Arguments:"): the rest of a line that starts with its name,
// and the lines below set deeper.
std::string OperandDescription(const std::vector<HelpLine>& lines,
                               const std::vector<LineRole>& roles, const std::string& name);
