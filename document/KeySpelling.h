#pragma once

#include "document/DefinitionKeys.h"

#include <functional>
#include <optional>
#include <string_view>

// The key a misspelt key was meant to be: of the keys asked allows, the one
// fewest edits away (inserting, deleting or replacing a character, or
// swapping two neighbours, letter case aside), within one edit for a key
// shorter than five characters and two for a longer one; none when no key
// is that near.
std::optional<Key> MeantKey(std::string_view key, const std::function<bool(Key)>& asked);
