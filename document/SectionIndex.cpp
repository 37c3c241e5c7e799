#include "document/SectionIndex.h"

#include "document/DefinitionKeys.h"
#include "document/TextCompare.h"

namespace {

bool EndsList(const LogicalLine& header, std::size_t position)
{
    return position >= FirstOption && header.name.empty();
}

} // namespace

std::size_t SectionIndex::CountOptions(std::string_view bytes)
{
    LogicalLineReader lines(bytes);
    LogicalLine line;
    std::size_t headers = 0;
    while (lines.Next(line)) {
        if (!line.IsHeader())
            continue;
        if (EndsList(line, headers))
            break;
        ++headers;
    }
    return headers > FirstOption ? headers - FirstOption : 0;
}

void SectionIndex::Reserve(std::size_t count)
{
    names_.Reserve(count);
    firsts_.reserve(count);
}

std::size_t SectionIndex::MemoryUse() const
{
    return names_.MemoryUse() + firsts_.capacity() * sizeof(std::uint32_t);
}

SectionRole SectionIndex::Add(const LogicalLine& header)
{
    const std::size_t position = headers_++;
    if (listEnd_ == NoPosition && EndsList(header, position))
        listEnd_ = position;
    std::uint32_t name = SectionRole::NoName;
    if (!header.name.empty() && KeepsName(position)) {
        const auto [number, added] = names_.Add(header.name);
        if (added)
            firsts_.push_back(static_cast<std::uint32_t>(position));
        name = number;
    }
    if (settings_ == NoPosition && EqualIgnoringCase(header.name, SettingsSection)) {
        settings_ = position;
        settingsName_ = name;
    }
    return RoleAt(position, name);
}

SectionRole SectionIndex::RoleOf(const LogicalLine& header, std::size_t position) const
{
    const bool kept = !header.name.empty() && KeepsName(position);
    return RoleAt(position, kept ? names_.Find(header.name) : SectionRole::NoName);
}

SectionRole SectionIndex::RoleAt(std::size_t position, std::uint32_t name) const
{
    SectionRole role;
    role.position = position;
    role.name = name;
    role.first = name == SectionRole::NoName ? position : firsts_[name];
    role.inList = position < listEnd_;
    role.option = role.inList && position >= FirstOption;
    role.endsList = position == listEnd_;
    role.settings = position == settings_;
    return role;
}
