#include "document/Def.h"

#include <ostream>

bool operator==(const CDef& a, const CDef& b)
{
    return a.Name == b.Name && a.Program == b.Program && a.Directory == b.Directory &&
           a.Shell == b.Shell && a.First == b.First && a.Information == b.Information &&
           a.Options == b.Options;
}

bool operator!=(const CDef& a, const CDef& b)
{
    return !(a == b);
}

std::ostream& operator<<(std::ostream& out, const CDef& def)
{
    out << "CDef{Name=\"" << def.Name << "\" Program=\"" << def.Program << "\" Directory=\""
        << def.Directory << "\" Shell=\"" << def.Shell << "\" First=" << def.First
        << " Information=\"" << def.Information << "\" Options=[";
    for (std::size_t i = 0; i < def.Options.size(); ++i)
        out << (i ? ",\n  " : "\n  ") << def.Options[i];
    out << "]}";
    return out;
}
