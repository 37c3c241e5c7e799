#include "system/PathAbbreviation.h"

#include "document/DefinitionPath.h"

#include <algorithm>

namespace {

const QLatin1String Ellipsis("...");

bool IsFolderSeparator(QChar c)
{
    return c == QLatin1Char('\\') || c == QLatin1Char('/');
}

// "\...\" or "/.../": every folder is gone, only the marker between separators is left.
bool IsRootedMarker(const QString& dir)
{
    return dir.size() == 5 && IsFolderSeparator(dir.front()) && dir.back() == dir.front() &&
           QStringView(dir).mid(1, 3) == Ellipsis;
}

// The length of the folder part: up to and including the last separator.
qsizetype FolderLengthOf(const QString& path)
{
    for (qsizetype length = path.size(); length > 0; --length) {
        const char16_t c = path.at(length - 1).unicode();
        if (c < 0x80 && IsPathSeparator(static_cast<char>(c)))
            return length;
    }
    return 0;
}

} // namespace

void DropFirstFolder(QString& dir)
{
    if (dir.size() == 1 && IsFolderSeparator(dir.front())) {
        dir.clear();
        return;
    }
    QString leading;
    if (!dir.isEmpty() && IsFolderSeparator(dir.front())) {
        leading = dir.front();
        dir.remove(0, 1);
    }
    // An earlier pass's marker (or a folder named with a leading dot) goes first.
    if (dir.startsWith(QLatin1Char('.')))
        dir.remove(0, 4);
    const auto separator = std::find_if(dir.cbegin(), dir.cend(), IsFolderSeparator);
    if (separator == dir.cend()) {
        dir.clear();
    } else {
        const qsizetype at = separator - dir.cbegin();
        dir = QString(Ellipsis) + dir.at(at) + dir.mid(at + 1);
    }
    dir.prepend(leading);
}

QString AbbreviatePath(const QString& path, const TextMeasure& measure, int maxWidth)
{
    QString result = path;
    QString dir = path.left(FolderLengthOf(path));
    const QString file = path.mid(dir.size());
    QString drive;
    if (dir.size() >= 2 && dir.at(1) == QLatin1Char(':')) {
        drive = dir.left(2);
        dir.remove(0, 2);
    }
    while ((!dir.isEmpty() || !drive.isEmpty()) && measure(result) > maxWidth) {
        if (IsRootedMarker(dir)) {
            drive.clear();
            dir.remove(0, 1);
        } else if (dir.isEmpty()) {
            drive.clear();
        } else {
            DropFirstFolder(dir);
        }
        result = drive + dir + file;
    }
    return result;
}
