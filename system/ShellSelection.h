#pragma once

#include "system/FilePath.h"

#include <QString>

class Platform;

// The name the shell's executable dialog starts with: the program part of the
// shell text (what stands before its switches: from the first "/" on Windows,
// from the first blank followed by "-" or "/" elsewhere), trimmed; when that
// is empty, the system's command interpreter (COMSPEC, elsewhere than Windows
// also SHELL); empty when there is none. Elsewhere than Windows a bare
// program name is looked up on the search path.
FilePath ShellDialogInitialName(const QString& shellText, Platform& platform);
