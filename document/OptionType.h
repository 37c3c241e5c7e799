#pragma once

// The five option types, in the fixed order of the editor's Type box:
// "String", "Suggest", "Select", "False", "True".
enum class OptionType { String = 0, Suggest = 1, Select = 2, False = 3, True = 4 };
