#pragma once

#include "document/Def.h"

#include <fuzzer/FuzzedDataProvider.h>

// A definition built from the fuzzer's bytes, as the editor could hold it:
// a few options and the program settings, with texts made of the pieces
// the format reacts to (brackets, '=', line ends, the settings' section
// name, lines around the reader's capacity) so that names collide and
// lines split often. Information texts end their lines with CR LF, as the
// editor encodes its memos.
CDef RandomDefinition(FuzzedDataProvider& data);
