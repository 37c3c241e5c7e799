#include "document/Option.h"

#include <ostream>

bool operator==(const COption& a, const COption& b)
{
    // The order of the modified test: cheap, likely differences first.
    return a.Name == b.Name && a.Type == b.Type && a.Value == b.Value &&
           a.Values == b.Values && a.Format == b.Format && a.Arg == b.Arg &&
           a.Multiple == b.Multiple && a.Mandatory == b.Mandatory && a.UseDir == b.UseDir &&
           a.Default == b.Default && a.Information == b.Information;
}

bool operator!=(const COption& a, const COption& b)
{
    return !(a == b);
}

std::ostream& operator<<(std::ostream& out, const COption& option)
{
    out << "COption{Name=\"" << option.Name << "\" Type=\"" << option.Type << "\" Value=\""
        << option.Value << "\" Values=[";
    for (std::size_t i = 0; i < option.Values.size(); ++i)
        out << (i ? ", \"" : "\"") << option.Values[i] << '"';
    out << "] Format=\"" << option.Format << "\" Arg=" << option.Arg
        << " Multiple=" << option.Multiple << " Mandatory=" << option.Mandatory
        << " UseDir=" << option.UseDir << " Default=" << option.Default << " Information=\""
        << option.Information << "\"}";
    return out;
}
