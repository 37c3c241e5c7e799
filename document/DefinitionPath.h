#pragma once

#include <string>
#include <string_view>

// File-name rules shared by the whole program. A path's folder part runs up
// to and including its last separator ('\', ':' or '/'); the file-name part
// is the rest; the extension runs from the last '.' that no separator
// follows, dot included, and is empty when there is no such dot.

bool IsPathSeparator(char c);
std::string_view FolderPart(std::string_view path);
std::string_view FileNamePart(std::string_view path);
std::string_view ExtensionOf(std::string_view path);

// path with its extension replaced by extension; a path without extension
// gets it appended as it stands.
std::string ReplaceExtension(std::string_view path, std::string_view extension);

// The path of the definition file for any path: the extension replaced by,
// or appended as, ".Quarn". An extension that already is ".Quarn" stays as
// it is when the file system ignores letter case or the spelling matches;
// on a case-sensitive file system any spelling of ".quarn" is kept, since
// another spelling would name another file.
std::string DefinitionPathFor(std::string_view path);

// Whether two paths name the same file name as the file system compares
// them: ignoring letter case on Windows, exactly elsewhere.
bool SamePath(std::string_view a, std::string_view b);

// The path made absolute against the current folder and normalised, its
// ".." taken as the system takes it (on Linux after the links before it).
std::string AbsolutePath(const std::string& path);
