#include "document/ProgramSettings.h"

#include <ostream>

bool operator==(const CProgramSettings& a, const CProgramSettings& b)
{
    return a.Name == b.Name && a.Program == b.Program && a.Directory == b.Directory &&
           a.Shell == b.Shell && a.First == b.First && a.Information == b.Information;
}

bool operator!=(const CProgramSettings& a, const CProgramSettings& b)
{
    return !(a == b);
}

std::ostream& operator<<(std::ostream& out, const CProgramSettings& settings)
{
    return out << "Name=\"" << settings.Name << "\" Program=\"" << settings.Program
               << "\" Directory=\"" << settings.Directory << "\" Shell=\"" << settings.Shell
               << "\" First=" << settings.First << " Information=\"" << settings.Information
               << '"';
}
