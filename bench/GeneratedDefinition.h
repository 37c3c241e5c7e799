#pragma once

#include "document/Def.h"

// The benchmarks' definition: options of type "Select", each with a value,
// three listed values, a format, an argument number and two lines of
// information, all named apart.
CDef GeneratedDefinition(int options);
