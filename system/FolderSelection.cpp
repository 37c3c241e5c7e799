#include "system/FolderSelection.h"

#include "system/Dialogs.h"
#include "system/Platform.h"

namespace {

// The browser's path buffer holds 520 characters with the terminating NUL; a
// longer text is not a usable preselection and is left out rather than cut.
constexpr qsizetype LongestPreselection = 519;

FilePath Preselection(const FilePath& path, Platform& platform)
{
    if (path.IsEmpty() || path.Text().size() > LongestPreselection ||
        !platform.DirectoryExists(path))
        return FilePath();
    return path;
}

} // namespace

bool BrowseForDirectory(Dialogs& dialogs, QWidget* owner, Platform& platform, FilePath& path)
{
    FilePath folder = Preselection(path, platform);
    if (!dialogs.ChooseFolder(owner, QStringLiteral("Select starting directory"), folder) ||
        folder.IsEmpty())
        return false;
    path = folder;
    return true;
}
