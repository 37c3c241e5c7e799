// The desktop platform's launching: which application opens a file, and
// starting a program.
#include "system/Platform.h"

#include <QProcess>

#ifndef Q_OS_WIN
#include "system/ChildProcessPosix.h"

#include <QMimeDatabase>

#include <fcntl.h>
#include <sys/wait.h>
#include <thread>
#endif

#ifdef Q_OS_WIN

QString DesktopPlatform::DefaultApplicationFor(const FilePath& path)
{
    // The shell's association: the program its "open" would start.
    return FindExecutable(path, path.Folder()).Text();
}

bool DesktopPlatform::StartDetached(const FilePath& program, const std::vector<FilePath>& arguments)
{
    QStringList texts;
    for (const FilePath& argument : arguments)
        texts.append(argument.Text());
    return QProcess::startDetached(program.Text(), texts);
}

#else

QString DesktopPlatform::DefaultApplicationFor(const FilePath& path)
{
    // The same answer as the desktop's "open" (xdg-open) finds: the default
    // desktop entry of the file's type. A desktop without xdg-utils, or one
    // that does not answer in time, has none.
    const QString type = QMimeDatabase().mimeTypeForFile(path.Text()).name();
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

bool DesktopPlatform::StartDetached(const FilePath& program, const std::vector<FilePath>& arguments)
{
    // QProcess would pass the arguments through the locale's encoding and
    // lose the bytes of a name that is not UTF-8.
    const Descriptor nothing(::open("/dev/null", O_RDWR | O_CLOEXEC));
    if (!nothing.IsOpen())
        return false;
    const auto inherited = [&nothing](int fd) {
        return ::fcntl(fd, F_GETFD) >= 0 ? fd : nothing.Get();
    };
    ChildLaunch launch;
    launch.program = program.Bytes();
    for (const FilePath& argument : arguments)
        launch.arguments.push_back(argument.Bytes());
    launch.environment = ChildEnvironment({});
    launch.standard[0] = nothing.Get();
    launch.standard[1] = inherited(1);
    launch.standard[2] = inherited(2);
    pid_t pid = 0;
    if (LaunchChild(launch, &pid) != 0)
        return false;
    // The program outlives the editor; until then its end is collected, so
    // that it leaves no zombie.
    std::thread([pid] { ::waitpid(pid, nullptr, 0); }).detach();
    return true;
}

#endif
