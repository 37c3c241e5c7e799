#pragma once

#include "Option.h"

#include <cstdint>
#include <iosfwd>
#include <string>
#include <vector>

// The global settings of a definition and its ordered options.
struct CDef
{
    std::string Name; // caption of the launcher's window
    std::string Program;
    std::string Directory;
    std::string Shell; // written as "Command shell"
    std::int32_t First = 0; // zero-based position of the option initially selected
    std::string Information;
    std::vector<COption> Options;
};

bool operator==(const CDef& a, const CDef& b);
bool operator!=(const CDef& a, const CDef& b);

std::ostream& operator<<(std::ostream& out, const CDef& def);
