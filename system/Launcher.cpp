#include "system/Launcher.h"

#include "system/PathNames.h"
#include "system/Version.h"

QString LauncherPathFor(const QString& editorExecutable)
{
#ifdef Q_OS_WIN
    const QString launcher = QStringLiteral("QuarnExe.exe");
#else
    const QString launcher = QStringLiteral("QuarnExe");
#endif
    return FolderPartOf(editorExecutable) + launcher;
}

bool IsEditorApplication(const QString& application)
{
    QString name = FileNamePartOf(application);
    for (const QString& suffix : {QStringLiteral(".desktop"), QStringLiteral(".exe")}) {
        if (name.endsWith(suffix, Qt::CaseInsensitive))
            name.chop(suffix.size());
    }
    // The installed entry, or an entry or program named after the editor.
    return name.compare(QStringLiteral(QUARNED_APP_ID), Qt::CaseInsensitive) == 0 ||
           name.compare(QStringLiteral("QuarnEd"), Qt::CaseInsensitive) == 0;
}
