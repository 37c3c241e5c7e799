#pragma once

#include <QString>

#include <string>

// The program's file-name rules (document/DefinitionPath.h) for paths held
// as QString: separators are '\', ':' and '/'.
QString FolderPartOf(const QString& path);
QString FileNamePartOf(const QString& path);
QString ExtensionPartOf(const QString& path);
QString WithExtension(const QString& path, const QString& extension);
QString DefinitionPathOf(const QString& path);

// Paths as the document layer holds them, and back.
std::string ToDocumentPath(const QString& path);
QString FromDocumentPath(const std::string& path);

// Whether two paths name the same file as the file system compares names:
// ignoring letter case on Windows, exactly elsewhere.
bool SamePathName(const QString& a, const QString& b);
