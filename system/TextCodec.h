#pragma once

#include <QString>

#include <string>

struct CDef;

// How the bytes of a document's texts become the characters the widgets
// show, and back. A document opened and saved without edits must come back
// byte for byte, so the encoding is chosen per document: UTF-8 when all of
// its texts are valid UTF-8 (new documents too), Windows-1252 otherwise,
// which gives every byte a character of its own.
class TextCodec
{
public:
    enum class Encoding { Utf8, Windows1252 };

    TextCodec() = default;
    explicit TextCodec(Encoding encoding) : encoding_(encoding) {}
    static TextCodec ForDocument(const CDef& def);

    Encoding encoding() const { return encoding_; }

    QString Decode(const std::string& text) const;
    // A file's path for a field: as Decode, except that in UTF-8 a name that
    // is not valid UTF-8 keeps its bytes as escapes, which the field's mark
    // then reports as what the document cannot store.
    QString DecodePath(const std::string& path) const;
    std::string Encode(const QString& text) const;
    // Whether Encode keeps every character: Windows-1252 holds few, and
    // neither encoding holds a lone surrogate. Encode writes '?' instead.
    bool CanEncode(const QString& text) const;

    // Multi-line texts: the document separates lines with CR LF, the
    // widgets with LF.
    QString DecodeLines(const std::string& text) const;
    std::string EncodeLines(const QString& text) const;

private:
    Encoding encoding_ = Encoding::Utf8;
};
