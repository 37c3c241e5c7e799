#pragma once

#include "system/ProgramDraft.h"

#include <optional>
#include <string>

// DraftFromProgram on a thread of its own, so that the window goes on
// painting while the program runs (at most about 5 seconds a run). The
// user's input waits until the draft is done, under a busy cursor: nothing
// may change the document meanwhile.
ProgramDraft DraftInBackground(const std::string& program,
                               std::optional<HelpSource> source = std::nullopt);
