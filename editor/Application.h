#pragma once

#include "system/DesktopApplication.h"

// The start-up of the editor: the main window, the About box, the search
// window, the file named on the command line; then the event loop.
int RunQuarnEditor(int argc, char* argv[]);
