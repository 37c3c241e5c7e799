#pragma once

#include <QString>

// A file name as the menus and the window title show it. Characters that
// would be invisible or would rearrange the text around them are written
// as escapes: "\t", "\n" and "\r" for tab and line breaks, "\uXXXX" for the
// other control characters (C0, DEL, C1), the bidirectional controls and
// the line and paragraph separators, and "\xNN" for a byte that was not
// valid UTF-8 (held as the lone surrogate U+DC00 + byte). A name longer
// than maxLength characters once escaped is cut in the middle, both ends
// kept around "…". The result is for display only; paths stay as they are.
QString VisibleFileName(const QString& name, qsizetype maxLength = 60);
