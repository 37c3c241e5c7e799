#pragma once

#include "system/FilePath.h"

#include <QString>
#include <QStringList>
#include <optional>
#include <string>
#include <vector>

class QUrl;

// One entry of a folder listing.
struct FolderEntry
{
    std::string name; // the file system's bytes
    bool isFolder; // a real folder to descend into (never a link, never another file system)
    bool isFile;   // anything but a folder, links resolved: what the scan may report
};

enum class HelpView
{
    Contents,
    Index
};

// What the editor asks of the operating system. DesktopPlatform is the real
// one; tests derive from it to redirect parts of it (the executable's own
// path, the desktop, the clipboard) and keep the real file system.
class Platform
{
public:
    virtual ~Platform() = default;

    // Per-user settings store: the registry on Windows, the config file elsewhere.
    // A missing value reads as empty.
    virtual QString ReadSetting(const QString& group, const QString& key) = 0;
    virtual void WriteSetting(const QString& group, const QString& key, const QString& value) = 0;
    // A path setting: a name that is not valid UTF-8 is stored as its bytes.
    FilePath ReadPathSetting(const QString& group, const QString& key)
    {
        return FilePath::FromText(ReadSetting(group, key));
    }
    void WritePathSetting(const QString& group, const QString& key, const FilePath& path)
    {
        WriteSetting(group, key, path.Text());
    }

    // Files, named by their bytes. Existence of a file excludes folders.
    // Rename and copy fail when the target exists; a copy keeps the source's
    // permissions.
    virtual bool FileExists(const FilePath& path) = 0;
    virtual bool DirectoryExists(const FilePath& path) = 0;
    virtual bool RenameFile(const FilePath& from, const FilePath& to) = 0;
    virtual bool CopyFile(const FilePath& from, const FilePath& to) = 0;
    virtual bool DeleteFile(const FilePath& path) = 0;
    // Whether both name files with the same bytes; false when either cannot be read.
    virtual bool SameFileContent(const FilePath& a, const FilePath& b) = 0;
    // The hidden attribute where the platform has one; nothing elsewhere.
    virtual void AddHiddenAttribute(const FilePath& path) = 0;
    virtual void ClearAttributes(const FilePath& path) = 0;

    // The running process.
    virtual FilePath ExecutablePath() = 0;
    virtual FilePath CurrentDirectory() = 0;
    virtual std::optional<QString> Environment(const char* name) = 0;
    // The program that would open name, or empty when there is none.
    virtual FilePath FindExecutable(const FilePath& name, const FilePath& folder) = 0;

    // Drives and folders, for the executable search.
    virtual std::vector<FilePath> FixedDriveRoots() = 0;
    // The entries of folder in the file system's order; false when it cannot be read.
    virtual bool ListFolder(const FilePath& folder, std::vector<FolderEntry>& entries) = 0;

    // Desktop.
    virtual void OpenDocument(const FilePath& path) = 0;
    // The application the desktop opens path with, as the platform names
    // it: the desktop entry ("org.example.QuarnEd.desktop") on Linux, the
    // program file elsewhere; empty when there is none.
    virtual QString DefaultApplicationFor(const FilePath& path) = 0;
    // Starts a program that outlives the editor; false when it did not start.
    virtual bool StartDetached(const FilePath& program, const std::vector<FilePath>& arguments) = 0;
    virtual void OpenUrl(const QUrl& url) = 0;
    // Whether ShowHelp can show helpFile: it exists and the platform has a
    // viewer for it (Windows' HTML Help). Elsewhere the built-in manual serves.
    virtual bool HasCompiledHelp(const FilePath& helpFile) = 0;
    virtual void ShowHelp(const FilePath& helpFile, HelpView view) = 0;

    // The system clipboard, plain text only.
    virtual bool ClipboardHasText() = 0;
    virtual QString ClipboardText() = 0;
    virtual void SetClipboardText(const QString& text) = 0;
};

// The platform the program runs on.
class DesktopPlatform : public Platform
{
public:
    // The settings are those of the program named: "QuarnEd" for the
    // editor, "QuarnExe" for the launcher.
    explicit DesktopPlatform(QString settingsApplication = QStringLiteral("QuarnEd"));

    QString ReadSetting(const QString& group, const QString& key) override;
    void WriteSetting(const QString& group, const QString& key, const QString& value) override;

    bool FileExists(const FilePath& path) override;
    bool DirectoryExists(const FilePath& path) override;
    bool RenameFile(const FilePath& from, const FilePath& to) override;
    bool CopyFile(const FilePath& from, const FilePath& to) override;
    bool DeleteFile(const FilePath& path) override;
    bool SameFileContent(const FilePath& a, const FilePath& b) override;
    void AddHiddenAttribute(const FilePath& path) override;
    void ClearAttributes(const FilePath& path) override;

    FilePath ExecutablePath() override;
    FilePath CurrentDirectory() override;
    std::optional<QString> Environment(const char* name) override;
    FilePath FindExecutable(const FilePath& name, const FilePath& folder) override;

    std::vector<FilePath> FixedDriveRoots() override;
    bool ListFolder(const FilePath& folder, std::vector<FolderEntry>& entries) override;

    void OpenDocument(const FilePath& path) override;
    QString DefaultApplicationFor(const FilePath& path) override;
    bool StartDetached(const FilePath& program, const std::vector<FilePath>& arguments) override;
    void OpenUrl(const QUrl& url) override;
    bool HasCompiledHelp(const FilePath& helpFile) override;
    void ShowHelp(const FilePath& helpFile, HelpView view) override;

    bool ClipboardHasText() override;
    QString ClipboardText() override;
    void SetClipboardText(const QString& text) override;

private:
    QString settingsApplication_;
};
