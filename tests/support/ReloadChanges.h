#pragma once

#include "document/Def.h"

#include <QList>

// The positions (-1: the program settings) of saved that do not come back as
// they were in reread, the same definition saved and read back. No mark
// with First at most 0 and the first option marked are one choice in the
// file; First below 0 reads as 0.
QList<int> ChangedByReload(const CDef& saved, const CDef& reread);
