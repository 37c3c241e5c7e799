#include "system/PathNames.h"

#include "document/DefinitionPath.h"
#include "system/FileNameCodec.h"

std::string ToDocumentPath(const QString& path)
{
    return EncodeFileName(path).toStdString();
}

QString FromDocumentPath(const std::string& path)
{
    return DecodeFileName(QByteArray::fromStdString(path));
}

QString FolderPartOf(const QString& path)
{
    return FromDocumentPath(std::string(FolderPart(ToDocumentPath(path))));
}

QString FileNamePartOf(const QString& path)
{
    return FromDocumentPath(std::string(FileNamePart(ToDocumentPath(path))));
}

QString ExtensionPartOf(const QString& path)
{
    return FromDocumentPath(std::string(ExtensionOf(ToDocumentPath(path))));
}

QString WithExtension(const QString& path, const QString& extension)
{
    return FromDocumentPath(ReplaceExtension(ToDocumentPath(path), ToDocumentPath(extension)));
}

QString DefinitionPathOf(const QString& path)
{
    return FromDocumentPath(DefinitionPathFor(ToDocumentPath(path)));
}

bool SamePathName(const QString& a, const QString& b)
{
    return SamePath(ToDocumentPath(a), ToDocumentPath(b));
}
