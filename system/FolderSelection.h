#pragma once

#include "system/FilePath.h"

class Dialogs;
class Platform;
class QWidget;

// Shows the folder browser "Select starting directory" (real folders only),
// with path's folder preselected when it exists. True, with the chosen
// folder in path, when the user accepted one; otherwise path is unchanged.
bool BrowseForDirectory(Dialogs& dialogs, QWidget* owner, Platform& platform, FilePath& path);
