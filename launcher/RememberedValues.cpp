#include "launcher/RememberedValues.h"

#include "document/CommandWords.h"
#include "system/FileNameCodec.h"
#include "system/Platform.h"

#include <QByteArray>
#include <map>

namespace {

const QString Group = QStringLiteral("Values");

// A settings key names groups with '/': the path is kept whole by
// percent-encoding it.
QString KeyOf(const std::string& definitionPath)
{
    return QString::fromLatin1(QByteArray::fromStdString(definitionPath).toPercentEncoding());
}

} // namespace

RememberedValues::RememberedValues(Platform& platform) : platform_(platform) {}

void RememberedValues::Restore(const CDef& def, const std::string& definitionPath,
                               LaunchValues& values)
{
    const QString stored = platform_.ReadSetting(Group, KeyOf(definitionPath));
    if (stored.isEmpty())
        return;
    // Name, value, name, value, ...: the values of each name in order.
    const std::vector<std::string> pairs = SplitValueList(EncodeFileName(stored).toStdString());
    std::map<std::string, std::vector<std::string>> byName;
    for (std::size_t i = 0; i + 1 < pairs.size(); i += 2)
        byName[pairs[i]].push_back(pairs[i + 1]);
    std::map<std::string, std::size_t> used;
    for (std::size_t i = 0; i < def.Options.size() && i < values.options.size(); ++i) {
        const auto found = byName.find(def.Options[i].Name);
        std::size_t& next = used[def.Options[i].Name];
        if (found != byName.end() && next < found->second.size())
            values.options[i] = found->second[next++];
    }
}

void RememberedValues::Remember(const CDef& def, const std::string& definitionPath,
                                const LaunchValues& values)
{
    std::vector<std::string> pairs;
    for (std::size_t i = 0; i < def.Options.size() && i < values.options.size(); ++i) {
        pairs.push_back(def.Options[i].Name);
        pairs.push_back(values.options[i]);
    }
    platform_.WriteSetting(Group, KeyOf(definitionPath),
                           DecodeFileName(QByteArray::fromStdString(JoinValueList(pairs))));
}
