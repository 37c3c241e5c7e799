#include "editor/EditTarget.h"

QString ListStepName(EditCommand command, const QString& noun)
{
    switch (command) {
    case EditCommand::New:
        return QStringLiteral("New ") + noun;
    case EditCommand::Delete:
        return QStringLiteral("Remove ") + noun;
    case EditCommand::Cut:
        return QStringLiteral("Cut ") + noun;
    case EditCommand::Paste:
        return QStringLiteral("Paste ") + noun;
    case EditCommand::Up:
        return QStringLiteral("Move ") + noun + QStringLiteral(" up");
    case EditCommand::Down:
        return QStringLiteral("Move ") + noun + QStringLiteral(" down");
    case EditCommand::Copy:
        break;
    }
    return QString();
}
