#pragma once

#include "system/Dialogs.h"

// The executable open dialog shared by the Executable and Shell buttons, set
// up for the way the platform names its programs: on Windows programs carry
// an extension, elsewhere any existing file may be one. Each caller sets the
// title and the initial file name before showing it.
FileDialogSettings ExecutableDialogSettings();
