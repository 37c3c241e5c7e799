#pragma once

#include "system/FilePath.h"

#include <QByteArray>
#include <QString>

#include <filesystem>
#include <vector>

class QUrl;

// File names between the file system and the program's texts, without loss.
// On Linux a file name is bytes: valid UTF-8 decodes as usual, and each byte
// that is not part of valid UTF-8 becomes the lone surrogate U+DC00 + byte
// (U+DC80 to U+DCFF), which encodes back to the same byte. Qt's own file
// classes would turn such bytes into U+FFFD and lose the name, so every name
// that reaches the file system goes through here.
QString DecodeFileName(const QByteArray& bytes);
QByteArray EncodeFileName(const QString& name);

// A byte that was not valid UTF-8, escaped by DecodeFileName; -1 for any
// other character.
int EscapedFileNameByte(QChar c);

// A file path's bytes as the system's file functions take them, and back.
std::filesystem::path NativePathOf(const std::string& bytes);
std::string NameBytesOf(const std::filesystem::path& path);

// Qt's own file dialog shows the bytes of a name that are not UTF-8 as
// U+FFFD and returns the name so. The name on disk it stands for, folder by
// folder, where exactly one entry matches; the name as given otherwise.
FilePath StoredFileName(const QString& shown);

// file: addresses: the bytes of the name, percent-encoded, and back. A
// local path is empty for any other kind of address.
QUrl FileUrlOf(const FilePath& path);
FilePath LocalFilePathOf(const QUrl& url);

// The program's arguments, without the program itself, as the paths they name.
std::vector<FilePath> CommandLineArguments(int argc, char** argv);
