#pragma once

#include "document/Def.h"

#include <string>
#include <string_view>

// The definition reader as the format defines it, literally: every section
// position and every key lookup scans the logical lines again from the
// first byte. Slow, and kept simple on purpose: the fast reader must give
// exactly its results.
CDef ReadDefinitionLiterally(std::string_view bytes, const std::string& program,
                             const std::string& definitionPath);
