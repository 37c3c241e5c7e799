#pragma once

#include "document/LaunchCommand.h"

#include <QString>
#include <QStringList>

class TextCodec;

// The name an option goes by in the launcher's window and messages: its
// Name, or "Option" and its position counted from 1 when it has none.
QString OptionDisplayName(const CDef& def, std::size_t option, const TextCodec& codec);

// Why Run cannot start, one sentence per problem, in the order the user
// would mend them: the program, the shell, the folder, the options.
QStringList LaunchProblemTexts(const CDef& def, const LaunchProblems& problems,
                               const TextCodec& codec);
