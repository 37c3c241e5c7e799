// Shows the About box as the program does, for looking at it (screenshots).
#include "system/AboutBox.h"
#include "system/Platform.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    DesktopPlatform platform;
    TAboutBox box(nullptr, platform, {});
    return box.exec();
}
