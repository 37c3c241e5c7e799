#include "system/FilePath.h"

#include "document/DefinitionPath.h"
#include "system/FileNameCodec.h"

FilePath FilePath::FromText(const QString& text)
{
    return FilePath(EncodeFileName(text).toStdString());
}

FilePath FilePath::FromNative(const std::filesystem::path& path)
{
    return FilePath(NameBytesOf(path));
}

QString FilePath::Text() const
{
    return DecodeFileName(QByteArray::fromStdString(bytes_));
}

std::filesystem::path FilePath::Native() const
{
    return NativePathOf(bytes_);
}

FilePath FilePath::Folder() const
{
    return FilePath(std::string(FolderPart(bytes_)));
}

FilePath FilePath::FileName() const
{
    return FilePath(std::string(FileNamePart(bytes_)));
}

std::string FilePath::Extension() const
{
    return std::string(ExtensionOf(bytes_));
}

FilePath FilePath::WithExtension(std::string_view extension) const
{
    return FilePath(ReplaceExtension(bytes_, extension));
}

bool SamePathName(const FilePath& a, const FilePath& b)
{
    return SamePath(a.Bytes(), b.Bytes());
}

FilePath DefinitionPathOf(const FilePath& path)
{
    return FilePath(DefinitionPathFor(path.Bytes()));
}
