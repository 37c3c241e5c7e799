#pragma once

#include "Option.h"
#include "ProgramSettings.h"

#include <iosfwd>
#include <vector>

// A whole definition: its program settings and its ordered options.
struct CDef : CProgramSettings
{
    std::vector<COption> Options;

    CProgramSettings& Settings() { return *this; }
    const CProgramSettings& Settings() const { return *this; }
};

bool operator==(const CDef& a, const CDef& b);
bool operator!=(const CDef& a, const CDef& b);

std::ostream& operator<<(std::ostream& out, const CDef& def);
