#pragma once

#include <QString>

#include <filesystem>
#include <string>
#include <string_view>
#include <utility>

// A path as the file system names it: on Linux the bytes of the name,
// which no decoding may change; on Windows the name's 8-bit form. A path
// takes this form where it enters the program (the command line, a dialog's
// answer, a drop, the settings, a field of the document) and keeps it to
// where it is used; it is decoded only to be shown. The document holds the
// same bytes, so a path goes to it and comes from it unchanged.
class FilePath
{
public:
    FilePath() = default;
    explicit FilePath(std::string bytes) : bytes_(std::move(bytes)) {}
    // A name that reached the program as text (Qt's answers, a typed name).
    static FilePath FromText(const QString& text);
    static FilePath FromNative(const std::filesystem::path& path);

    const std::string& Bytes() const { return bytes_; }
    bool IsEmpty() const { return bytes_.empty(); }
    // For display: each byte that is not UTF-8 becomes an escape that
    // VisibleFileName writes out.
    QString Text() const;
    std::filesystem::path Native() const;

    // The program's file-name rules: the folder part ends with its separator.
    FilePath Folder() const;
    FilePath FileName() const;
    std::string Extension() const;
    FilePath WithExtension(std::string_view extension) const;
    FilePath operator+(std::string_view tail) const { return FilePath(bytes_ + std::string(tail)); }

    // Byte for byte; SamePathName compares as the file system does.
    friend bool operator==(const FilePath& a, const FilePath& b) { return a.bytes_ == b.bytes_; }
    friend bool operator!=(const FilePath& a, const FilePath& b) { return !(a == b); }

private:
    std::string bytes_;
};

// Whether a and b name the same file as the file system compares names:
// ignoring letter case on Windows, exactly elsewhere.
bool SamePathName(const FilePath& a, const FilePath& b);
// The definition file for any path: its extension replaced by ".Quarn".
FilePath DefinitionPathOf(const FilePath& path);
