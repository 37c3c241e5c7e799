#pragma once

#include "system/FilePath.h"

// The state of the one executable search that can run at a time. The search
// window's buttons set the stop flags; the scan reads them once per folder.
struct SearchState
{
    bool SearchRunning = false;   // from just before the search window shows until it hides
    bool SearchStopped = false;   // Browse or Cancel was pressed
    bool BrowseRequested = false; // it was Browse
    FilePath FoundPath;           // the folder and the name as stored, after a hit
};
