#pragma once

#include "system/FilePath.h"

#include <QString>

// The Quarn launcher that runs a definition file: its executable lives in
// the editor's own folder.
FilePath LauncherPathFor(const FilePath& editorExecutable);

// Whether an application as the platform names it (a desktop entry such as
// "org.example.QuarnEd.desktop", or a program file such as
// "C:\Tools\QuarnEd.exe") is this editor.
bool IsEditorApplication(const QString& application);
