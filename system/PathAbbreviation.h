#pragma once

#include <QString>

#include <functional>

// Width in pixels of a text, as a label's font would draw it.
using TextMeasure = std::function<int(const QString&)>;

// Shortens the folder part of path, one leading folder at a time, replacing
// what was taken away by "...\" (".../" for paths written with '/'), until
// the text is at most maxWidth wide. The drive goes last, then the marker;
// a folder that cannot be made to fit ends as the file name alone. A path
// without a folder part is returned as it is.
QString AbbreviatePath(const QString& path, const TextMeasure& measure, int maxWidth);

// One shortening step of a folder part: its first folder, or an earlier
// "...\" marker together with the folder after it, becomes "...\". A
// leading separator stays; a lone separator becomes empty.
void DropFirstFolder(QString& dir);
