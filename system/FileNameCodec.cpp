#include "system/FileNameCodec.h"

#include "document/Utf8.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QStringList>
#include <QUrl>

namespace {

// A byte b that is not valid UTF-8 is held as EscapeBase + b.
constexpr char16_t EscapeBase = 0xDC00;
constexpr char16_t FirstEscape = EscapeBase + 0x80;
constexpr char16_t LastEscape = EscapeBase + 0xFF;

// Length of the valid UTF-8 sequence at bytes[i], or 0 when it is not one.
int ValidSequenceLength(const QByteArray& bytes, qsizetype i)
{
    const int length =
        Utf8SequenceLength(reinterpret_cast<const unsigned char*>(bytes.constData()) + i,
                           static_cast<std::size_t>(bytes.size() - i));
    return length > 0 ? length : 0;
}

} // namespace

int EscapedFileNameByte(QChar c)
{
    return c.unicode() >= FirstEscape && c.unicode() <= LastEscape ? c.unicode() - EscapeBase : -1;
}

#ifdef Q_OS_WIN

// Windows names are UTF-16 and reach the system as such.
QString DecodeFileName(const QByteArray& bytes)
{
    return QFile::decodeName(bytes);
}

QByteArray EncodeFileName(const QString& name)
{
    return QFile::encodeName(name);
}

std::filesystem::path NativePathOf(const std::string& bytes)
{
    return std::filesystem::path(DecodeFileName(QByteArray::fromStdString(bytes)).toStdWString());
}

std::string NameBytesOf(const std::filesystem::path& path)
{
    return EncodeFileName(QString::fromStdWString(path.native())).toStdString();
}

std::vector<FilePath> CommandLineArguments(int, char**)
{
    std::vector<FilePath> arguments;
    for (const QString& argument : QCoreApplication::arguments().mid(1))
        arguments.push_back(FilePath::FromText(argument));
    return arguments;
}

FilePath StoredFileName(const QString& shown)
{
    return FilePath::FromText(shown);
}

QUrl FileUrlOf(const FilePath& path)
{
    return QUrl::fromLocalFile(path.Text());
}

FilePath LocalFilePathOf(const QUrl& url)
{
    return url.isLocalFile() ? FilePath::FromText(QDir::toNativeSeparators(url.toLocalFile()))
                             : FilePath();
}

#else

QString DecodeFileName(const QByteArray& bytes)
{
    QString name;
    name.reserve(bytes.size());
    qsizetype i = 0;
    while (i < bytes.size()) {
        qsizetype end = i;
        while (end < bytes.size()) {
            const int length = ValidSequenceLength(bytes, end);
            if (length == 0)
                break;
            end += length;
        }
        name += QString::fromUtf8(bytes.constData() + i, end - i);
        if (end < bytes.size())
            name +=
                QChar(static_cast<char16_t>(EscapeBase + static_cast<unsigned char>(bytes[end++])));
        i = end;
    }
    return name;
}

QByteArray EncodeFileName(const QString& name)
{
    QByteArray bytes;
    bytes.reserve(name.size());
    qsizetype start = 0;
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (name.at(i).isHighSurrogate() && i + 1 < name.size() &&
            name.at(i + 1).isLowSurrogate()) {
            ++i; // a character beyond U+FFFF, whose second half may look like an escape
            continue;
        }
        const int escaped = EscapedFileNameByte(name.at(i));
        if (escaped < 0)
            continue;
        bytes += QStringView(name).mid(start, i - start).toUtf8();
        bytes += static_cast<char>(escaped);
        start = i + 1;
    }
    bytes += QStringView(name).mid(start).toUtf8();
    return bytes;
}

std::filesystem::path NativePathOf(const std::string& bytes)
{
    return std::filesystem::path(bytes);
}

std::string NameBytesOf(const std::filesystem::path& path)
{
    return path.native();
}

std::vector<FilePath> CommandLineArguments(int argc, char** argv)
{
    // Qt decodes the arguments itself and would lose bytes of a file name.
    std::vector<FilePath> arguments;
    for (int i = 1; i < argc; ++i)
        arguments.emplace_back(argv[i]);
    return arguments;
}

FilePath StoredFileName(const QString& shown)
{
    if (!shown.contains(QChar::ReplacementCharacter))
        return FilePath::FromText(shown);
    QStringList parts = shown.split(QLatin1Char('/'));
    QString folder;
    for (QString& part : parts) {
        if (part.contains(QChar::ReplacementCharacter)) {
            QString match;
            int matches = 0;
            std::error_code error;
            for (std::filesystem::directory_iterator entry(
                     FilePath::FromText(folder.isEmpty() ? QStringLiteral("/") : folder).Native(),
                     error),
                 end;
                 !error && entry != end; entry.increment(error)) {
                const QByteArray name =
                    QByteArray::fromStdString(entry->path().filename().native());
                if (QFile::decodeName(name) == part) {
                    match = DecodeFileName(name);
                    ++matches;
                }
            }
            if (matches == 1)
                part = match;
        }
        folder += part + QLatin1Char('/');
    }
    return FilePath::FromText(parts.join(QLatin1Char('/')));
}

QUrl FileUrlOf(const FilePath& path)
{
    QUrl url;
    url.setScheme(QStringLiteral("file"));
    url.setPath(QString::fromLatin1(QByteArray::fromStdString(path.Bytes()).toPercentEncoding("/")),
                QUrl::TolerantMode);
    return url;
}

FilePath LocalFilePathOf(const QUrl& url)
{
    if (!url.isLocalFile())
        return FilePath();
    // A share on another host names its file as text.
    if (!url.host().isEmpty())
        return FilePath::FromText(url.toLocalFile());
    // The encoded form keeps the bytes that are not UTF-8 as they were sent.
    return FilePath(
        QByteArray::fromPercentEncoding(url.path(QUrl::FullyEncoded).toLatin1()).toStdString());
}

#endif
