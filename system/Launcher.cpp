#include "system/Launcher.h"

#include "system/Version.h"

FilePath LauncherPathFor(const FilePath& editorExecutable)
{
#ifdef Q_OS_WIN
    return editorExecutable.Folder() + "QuarnExe.exe";
#else
    return editorExecutable.Folder() + "QuarnExe";
#endif
}

bool IsEditorApplication(const QString& application)
{
    QString name = FilePath::FromText(application).FileName().Text();
    for (const QString& suffix : {QStringLiteral(".desktop"), QStringLiteral(".exe")}) {
        if (name.endsWith(suffix, Qt::CaseInsensitive))
            name.chop(suffix.size());
    }
    // The installed entry, or an entry or program named after the editor.
    return name.compare(QStringLiteral(QUARNED_APP_ID), Qt::CaseInsensitive) == 0 ||
           name.compare(QStringLiteral("QuarnEd"), Qt::CaseInsensitive) == 0;
}
