#pragma once

#include <QString>

#include <optional>

// The strict reading of a whole text as an integer: an optional sign and
// decimal digits, nothing else, within the 32-bit range. Empty text and
// blanks fail.
std::optional<int> ReadInteger(const QString& text);
