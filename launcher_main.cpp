#include "launcher/LauncherApplication.h"

int main(int argc, char* argv[])
{
    return RunQuarnLauncher(argc, argv);
}
