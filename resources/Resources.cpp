#include "resources/Resources.h"

#include <QIcon>

QIcon ApplicationIcon()
{
    return QIcon(QStringLiteral(":/icons/quarned.svg"));
}
