#include "system/ProgramLookup.h"

#include <QFileInfo>
#include <QStandardPaths>

// Windows names are UTF-16: Qt's lookup loses nothing here.
FilePath FindOnSearchPath(const FilePath& name)
{
    const QString found = QStandardPaths::findExecutable(name.Text());
    return found.isEmpty() ? FilePath() : FilePath::FromText(found);
}

bool IsExecutableFile(const FilePath& path)
{
    const QFileInfo file(path.Text());
    return file.isFile() && file.isExecutable();
}
