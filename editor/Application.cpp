#include "editor/Application.h"

#include "editor/MainForm.h"
#include "resources/Resources.h"
#include "system/AboutBox.h"
#include "system/Dialogs.h"
#include "system/FileNameCodec.h"
#include "system/Platform.h"
#include "system/SearchForm.h"
#include "system/Version.h"

#include <QIcon>

#include <exception>

namespace {

const QString ApplicationTitle = QStringLiteral("Quarn Editor");

} // namespace

int RunQuarnEditor(int argc, char* argv[])
{
    TApplication application(argc, argv);
    TApplication::setOrganizationName(QStringLiteral("Morvath"));
    TApplication::setApplicationName(QStringLiteral("QuarnEd"));
    TApplication::setWindowIcon(ApplicationIcon());
    // Wayland desktops match the window to its menu entry and icon by this name.
    TApplication::setDesktopFileName(QStringLiteral(QUARNED_APP_ID));
    DesktopPlatform platform;
    QtDialogs dialogs;
    application.SetErrorReport([&dialogs](const QString& text) {
        dialogs.ShowError(QApplication::activeWindow(), ApplicationTitle, text);
    });
    try {
        TMainForm form(platform, dialogs, CommandLineArguments(argc, argv));
        // The About box's creation runs the command line, as the window's
        // start-up order has it; then the search window is created.
        TMainForm* mainForm = &form;
        auto* aboutBox = new TAboutBox(&form, platform, [mainForm] { mainForm->ProcessCommandLine(); });
        form.AttachAboutBox(*aboutBox);
        auto* searchForm = new TSearchForm(&form);
        form.AttachSearchForm(*searchForm);
        form.show();
        return TApplication::exec();
    } catch (const std::exception& error) {
        dialogs.ShowError(nullptr, ApplicationTitle, QString::fromLocal8Bit(error.what()));
    }
    return 0;
}
