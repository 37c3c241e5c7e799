#include "launcher/LaunchProblemTexts.h"

#include "system/FilePath.h"
#include "system/TextCodec.h"

namespace {

QString OptionNames(const CDef& def, const std::vector<std::size_t>& options,
                    const TextCodec& codec)
{
    QStringList names;
    for (const std::size_t option : options)
        names.append(OptionDisplayName(def, option, codec));
    return names.join(QStringLiteral(", "));
}

} // namespace

QString OptionDisplayName(const CDef& def, std::size_t option, const TextCodec& codec)
{
    const std::string& name = def.Options.at(option).Name;
    if (name.empty())
        return QStringLiteral("Option %1").arg(option + 1);
    return codec.Decode(name);
}

QStringList LaunchProblemTexts(const CDef& def, const LaunchProblems& problems,
                               const TextCodec& codec)
{
    QStringList texts;
    if (problems.program == LaunchProblems::Program::NotSet)
        texts.append(QStringLiteral("The definition names no program."));
    if (problems.program == LaunchProblems::Program::NotFound)
        texts.append(
            QStringLiteral("The program %1 cannot be found.").arg(FilePath(def.Program).Text()));
    if (!problems.missingShell.empty())
        texts.append(QStringLiteral("The shell %1 cannot be found.")
                         .arg(FilePath(problems.missingShell).Text()));
    if (!problems.missingFolder.empty())
        texts.append(QStringLiteral("The folder %1 does not exist.")
                         .arg(FilePath(problems.missingFolder).Text()));
    if (!problems.missingMandatory.empty())
        texts.append(QStringLiteral("Give a value for %1.")
                         .arg(OptionNames(def, problems.missingMandatory, codec)));
    if (!problems.unclosedQuotes.empty())
        texts.append(QStringLiteral("The format of %1 has an unclosed quote.")
                         .arg(OptionNames(def, problems.unclosedQuotes, codec)));
    return texts;
}
