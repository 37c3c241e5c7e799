#pragma once

#include "document/Def.h"

#include <QList>

// The positions (-1: the program settings) of saved that do not come back as
// they were in reread, the same definition saved and read back, default
// marks included. First below 0 reads as 0.
QList<int> ChangedByReload(const CDef& saved, const CDef& reread);
