#include "document/Def.h"

#include <ostream>

bool operator==(const CDef& a, const CDef& b)
{
    return a.Settings() == b.Settings() && a.Options == b.Options;
}

bool operator!=(const CDef& a, const CDef& b)
{
    return !(a == b);
}

std::ostream& operator<<(std::ostream& out, const CDef& def)
{
    out << "CDef{" << def.Settings() << " Options=[";
    for (std::size_t i = 0; i < def.Options.size(); ++i)
        out << (i ? ",\n  " : "\n  ") << def.Options[i];
    out << "]}";
    return out;
}
