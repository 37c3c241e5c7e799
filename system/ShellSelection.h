#pragma once

#include <QString>

class Platform;

// The name the shell's executable dialog starts with: the program part of the
// shell text (what stands before the first "/" switch), trimmed; when that is
// empty, the system's command interpreter (COMSPEC, elsewhere than Windows
// also SHELL); empty when there is none.
QString ShellDialogInitialName(const QString& shellText, Platform& platform);
