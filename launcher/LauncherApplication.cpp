#include "launcher/LauncherApplication.h"

#include "launcher/HeadlessRun.h"
#include "launcher/LaunchDefinition.h"
#include "launcher/LauncherArguments.h"
#include "launcher/LauncherForm.h"
#include "resources/Resources.h"
#include "system/DesktopApplication.h"
#include "system/Dialogs.h"
#include "system/FilePath.h"
#include "system/Platform.h"
#include "system/ProcessReplacement.h"
#include "system/SystemLaunchContext.h"
#include "system/Version.h"

#include <QIcon>
#include <iostream>

namespace {

constexpr int Failure = 2;

QString CannotOpenText(const std::string& path, const std::string& reason)
{
    return QStringLiteral("Cannot open %1:\n%2")
        .arg(FilePath(path).Text(), QString::fromLocal8Bit(reason.c_str()));
}

int ShowWindow(int argc, char* argv[], const LauncherArguments& arguments)
{
    LaunchDefinition definition;
    std::string reason;
    const bool read =
        ReadLaunchDefinition(arguments.definitionPath, arguments.namedFile, definition, reason);
    if (!HasGraphicalDisplay()) {
        if (!read)
            std::cerr << "QuarnExe: cannot read " << arguments.definitionPath << ": " << reason
                      << '\n';
        else
            std::cerr
                << "QuarnExe: no display to show the window on; --dry-run prints the command\n";
        return Failure;
    }
    TApplication application(argc, argv);
    TApplication::setOrganizationName(QStringLiteral("Morvath"));
    TApplication::setApplicationName(QStringLiteral("QuarnExe"));
    TApplication::setWindowIcon(ApplicationIcon());
    TApplication::setDesktopFileName(QStringLiteral(QUARNEXE_APP_ID));
    DesktopPlatform platform(QStringLiteral("QuarnExe"));
    QtDialogs dialogs;
    application.SetErrorReport([&dialogs](const QString& text) {
        dialogs.ShowError(QApplication::activeWindow(), QStringLiteral("Quarn"), text);
    });
    if (!read) {
        dialogs.ShowError(nullptr, QStringLiteral("Quarn"),
                          CannotOpenText(arguments.definitionPath, reason));
        return Failure;
    }
    TLauncherForm form(platform, dialogs, definition, arguments.arguments);
    form.show();
    return TApplication::exec();
}

} // namespace

int RunQuarnLauncher(int argc, char* argv[])
{
    const LaunchContext context = SystemLaunchContext(std::string());
    const LauncherArguments arguments = ParseLauncherArguments(
        {argv, argv + argc}, OwnExecutablePath(), HasGraphicalDisplay(), context.findInSearchPath);
    switch (arguments.mode) {
    case LauncherArguments::Mode::Help:
        std::cout << QUARNEXE_USAGE;
        return 0;
    case LauncherArguments::Mode::Version:
        std::cout << "QuarnExe " QUARNED_PRODUCT_VERSION "\n";
        return 0;
    case LauncherArguments::Mode::Usage:
        std::cerr << QUARNEXE_USAGE;
        return Failure;
    case LauncherArguments::Mode::DryRun:
        return DryRun(arguments, std::cout, std::cerr);
    case LauncherArguments::Mode::PassThrough:
        return PassThrough(arguments, std::cerr);
    case LauncherArguments::Mode::Window:
        break;
    }
    return ShowWindow(argc, argv, arguments);
}
