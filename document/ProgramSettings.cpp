#include "document/ProgramSettings.h"

#include <ostream>

bool operator==(const CProgramSettings& a, const CProgramSettings& b)
{
    for (const SettingsTextKey& field : SettingsTextKeys) {
        if (a.*field.text != b.*field.text)
            return false;
    }
    return a.First == b.First;
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
