#pragma once

#include "system/FilePath.h"

#include <QString>

class Platform;
class TextCodec;

// The name the shell's executable dialog starts with: the program part of the
// shell text (what stands before its switches: from the first "/" on Windows,
// from the first blank followed by "-" or "/" elsewhere), trimmed; when that
// is empty, the system's command interpreter (COMSPEC, elsewhere than Windows
// also SHELL); empty when there is none. Elsewhere than Windows a bare
// program name is looked up on the search path. The shell text's bytes are
// those codec gives the document for it.
FilePath ShellDialogInitialName(const QString& shellText, const TextCodec& codec,
                                Platform& platform);
