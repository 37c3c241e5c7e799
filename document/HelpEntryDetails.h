#pragma once

#include "document/HelpOptionList.h"

// What an option's names and description say of it: the values it lists
// (in its value's place, one per line below it, or in its prose), whether
// it is required ("[required]") and whether it may be repeated ("may be
// given more than once").
void ReadEntryDetails(HelpEntry& entry);
