#pragma once

#include "document/Def.h"

#include <string>
#include <vector>

// What keeps def from running on this machine as it stands: a program or
// shell that cannot be found, a program that is no executable file, a
// working folder that does not exist. They depend on the machine, so only
// the editor's window shows them; a file's check leaves them out.
// definitionPath is the definition's absolute path; empty for a new one,
// whose relative names are taken from the current folder.
// Each message names what it is about in the document's own bytes.
std::vector<std::string> FindMachineMistakes(const CDef& def, const std::string& definitionPath);
