#include "system/TextCodec.h"

#include "document/Def.h"
#include "document/Utf8.h"
#include "system/FileNameCodec.h"

#include <algorithm>
#include <array>
#include <optional>

namespace {

// Windows-1252 at 0x80..0x9F; the five bytes the code page leaves undefined
// map to the C1 control characters of the same value, so they survive too.
constexpr std::array<char16_t, 32> Cp1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021,
    0x02C6, 0x2030, 0x0160, 0x2039, 0x0152, 0x008D, 0x017D, 0x008F,
    0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014,
    0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

QString DecodeCp1252(const std::string& text)
{
    QString result;
    result.reserve(static_cast<qsizetype>(text.size()));
    for (const char c : text) {
        const auto byte = static_cast<unsigned char>(c);
        result.append(byte >= 0x80 && byte <= 0x9F ? QChar(Cp1252High[byte - 0x80])
                                                   : QChar(static_cast<char16_t>(byte)));
    }
    return result;
}

// The byte for c, or nothing when the code page has none.
std::optional<char> Cp1252Byte(QChar c)
{
    const char16_t unicode = c.unicode();
    if (unicode < 0x80 || (unicode >= 0xA0 && unicode <= 0xFF))
        return static_cast<char>(unicode);
    for (std::size_t i = 0; i < Cp1252High.size(); ++i) {
        if (Cp1252High[i] == unicode)
            return static_cast<char>(0x80 + i);
    }
    return std::nullopt;
}

char EncodeCp1252(QChar c)
{
    return Cp1252Byte(c).value_or('?');
}

std::string EncodeCp1252(const QString& text)
{
    std::string result;
    result.reserve(static_cast<std::size_t>(text.size()));
    for (const QChar c : text)
        result += EncodeCp1252(c);
    return result;
}

bool AllTextsValidUtf8(const CDef& def)
{
    for (const auto text : SettingsTexts) {
        if (!IsValidUtf8(def.*text))
            return false;
    }
    for (const COption& option : def.Options) {
        for (const std::string* text : {&option.Name, &option.Type, &option.Value,
                                        &option.Format, &option.Information}) {
            if (!IsValidUtf8(*text))
                return false;
        }
        for (const std::string& value : option.Values) {
            if (!IsValidUtf8(value))
                return false;
        }
    }
    return true;
}

} // namespace

TextCodec TextCodec::ForDocument(const CDef& def)
{
    return TextCodec(AllTextsValidUtf8(def) ? Encoding::Utf8 : Encoding::Windows1252);
}

QString TextCodec::Decode(const std::string& text) const
{
    if (encoding_ == Encoding::Utf8)
        return QString::fromStdString(text);
    return DecodeCp1252(text);
}

QString TextCodec::DecodePath(const std::string& path) const
{
    if (encoding_ == Encoding::Utf8 && !IsValidUtf8(path))
        return DecodeFileName(QByteArray::fromStdString(path));
    return Decode(path);
}

std::string TextCodec::Encode(const QString& text) const
{
    if (encoding_ == Encoding::Utf8)
        return text.toStdString();
    return EncodeCp1252(text);
}

bool TextCodec::CanEncode(const QString& text) const
{
    if (encoding_ == Encoding::Utf8)
        return text.isValidUtf16(); // no lone surrogate
    return std::all_of(text.begin(), text.end(), [](QChar c) { return Cp1252Byte(c).has_value(); });
}

QString TextCodec::DecodeLines(const std::string& text) const
{
    return Decode(text).replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
}

std::string TextCodec::EncodeLines(const QString& text) const
{
    QString lines = text;
    return Encode(lines.replace(QLatin1Char('\n'), QStringLiteral("\r\n")));
}
