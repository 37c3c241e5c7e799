#include "system/DisplayNames.h"

#include "system/FileNameCodec.h"

#include <QStringList>

namespace {

bool IsBidiControl(char16_t c)
{
    return c == 0x200E || c == 0x200F || c == 0x061C || (c >= 0x202A && c <= 0x202E) ||
           (c >= 0x2066 && c <= 0x2069);
}

bool NeedsEscape(char16_t c)
{
    return c < 0x20 || (c >= 0x7F && c <= 0x9F) || IsBidiControl(c) || c == 0x2028 || c == 0x2029;
}

QString Hex(unsigned value, int digits)
{
    return QStringLiteral("%1").arg(value, digits, 16, QLatin1Char('0')).toUpper();
}

QString Escape(char16_t c)
{
    switch (c) {
    case u'\t':
        return QStringLiteral("\\t");
    case u'\n':
        return QStringLiteral("\\n");
    case u'\r':
        return QStringLiteral("\\r");
    default:
        break;
    }
    // A byte of the name that was not valid UTF-8.
    if (const int byte = EscapedFileNameByte(QChar(c)); byte >= 0)
        return QStringLiteral("\\x") + Hex(static_cast<unsigned>(byte), 2);
    return QStringLiteral("\\u") + Hex(c, 4);
}

// The name as shown, one piece per character (a surrogate pair is one
// character), so that cutting never splits an escape or a pair.
QStringList ShownPieces(const QString& name)
{
    QStringList pieces;
    pieces.reserve(name.size());
    for (qsizetype i = 0; i < name.size(); ++i) {
        const QChar c = name.at(i);
        if (c.isHighSurrogate() && i + 1 < name.size() && name.at(i + 1).isLowSurrogate()) {
            pieces.append(name.mid(i, 2));
            ++i;
        } else if (c.isSurrogate() || NeedsEscape(c.unicode())) {
            pieces.append(Escape(c.unicode()));
        } else {
            pieces.append(QString(c));
        }
    }
    return pieces;
}

} // namespace

QString VisibleFileName(const QString& name, qsizetype maxLength)
{
    const QStringList pieces = ShownPieces(name);
    const QString shown = pieces.join(QString());
    if (shown.size() <= maxLength)
        return shown;

    // The head and the tail each get about half of the room left by "…".
    const QChar ellipsis(0x2026);
    const qsizetype room = maxLength - 1;
    QString head;
    qsizetype first = 0;
    while (first < pieces.size() && head.size() + pieces[first].size() <= room - room / 2)
        head += pieces[first++];
    QString tail;
    for (qsizetype last = pieces.size() - 1;
         last >= first && head.size() + tail.size() + pieces[last].size() <= room; --last)
        tail.prepend(pieces[last]);
    return head + ellipsis + tail;
}
