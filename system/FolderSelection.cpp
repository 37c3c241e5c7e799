#include "system/FolderSelection.h"

#include "system/Dialogs.h"
#include "system/Platform.h"

namespace {

// The browser's path buffer holds 520 characters with the terminating NUL; a
// longer text is not a usable preselection and is left out rather than cut.
constexpr qsizetype LongestPreselection = 519;

QString Preselection(const QString& path, Platform& platform)
{
    if (path.isEmpty() || path.size() > LongestPreselection || !platform.DirectoryExists(path))
        return QString();
    return path;
}

} // namespace

bool BrowseForDirectory(Dialogs& dialogs, QWidget* owner, Platform& platform, QString& path)
{
    QString folder = Preselection(path, platform);
    if (!dialogs.ChooseFolder(owner, QStringLiteral("Select starting directory"), folder) ||
        folder.isEmpty())
        return false;
    path = folder;
    return true;
}
