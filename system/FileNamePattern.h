#pragma once

#include <QString>

// True when name matches pattern as a file pattern does on the desktop:
// letter case ignored, '*' standing for any run of characters (none too)
// and '?' for exactly one.
bool MatchesFilePattern(const QString& name, const QString& pattern);
