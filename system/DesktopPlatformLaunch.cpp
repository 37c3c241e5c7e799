// The desktop platform's launching: which application opens a file, and
// starting a program.
#include "system/Platform.h"

#include <QProcess>

#ifdef Q_OS_WIN
#include "system/PathNames.h"
#else
#include <QMimeDatabase>
#endif

#ifdef Q_OS_WIN

QString DesktopPlatform::DefaultApplicationFor(const QString& path)
{
    // The shell's association: the program its "open" would start.
    return FindExecutable(path, FolderPartOf(path));
}

#else

QString DesktopPlatform::DefaultApplicationFor(const QString& path)
{
    // The same answer as the desktop's "open" (xdg-open) finds: the default
    // desktop entry of the file's type. A desktop without xdg-utils, or one
    // that does not answer in time, has none.
    const QString type = QMimeDatabase().mimeTypeForFile(path).name();
    QProcess query;
    query.start(QStringLiteral("xdg-mime"),
                {QStringLiteral("query"), QStringLiteral("default"), type});
    if (!query.waitForFinished(3000)) {
        query.kill();
        query.waitForFinished();
        return QString();
    }
    if (query.exitStatus() != QProcess::NormalExit || query.exitCode() != 0)
        return QString();
    // One entry, though a list may come back as "a.desktop;b.desktop".
    const QString answer = QString::fromLocal8Bit(query.readAllStandardOutput());
    return answer.section(QLatin1Char('\n'), 0, 0).section(QLatin1Char(';'), 0, 0).trimmed();
}

#endif

bool DesktopPlatform::StartDetached(const QString& program, const QStringList& arguments)
{
    return QProcess::startDetached(program, arguments);
}
