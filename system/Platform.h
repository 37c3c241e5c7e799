#pragma once

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

class QUrl;

// One entry of a folder listing.
struct FolderEntry
{
    QString name;  // as stored by the file system
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

    // Files. Existence of a file excludes folders. Rename and copy fail when
    // the target exists; a copy keeps the source's permissions.
    virtual bool FileExists(const QString& path) = 0;
    virtual bool DirectoryExists(const QString& path) = 0;
    virtual bool RenameFile(const QString& from, const QString& to) = 0;
    virtual bool CopyFile(const QString& from, const QString& to) = 0;
    virtual bool DeleteFile(const QString& path) = 0;
    // Whether both name files with the same bytes; false when either cannot be read.
    virtual bool SameFileContent(const QString& a, const QString& b) = 0;
    // The hidden attribute where the platform has one; nothing elsewhere.
    virtual void AddHiddenAttribute(const QString& path) = 0;
    virtual void ClearAttributes(const QString& path) = 0;

    // The running process.
    virtual QString ExecutablePath() = 0;
    virtual QString CurrentDirectory() = 0;
    virtual std::optional<QString> Environment(const char* name) = 0;
    // The program that would open name, or empty when there is none.
    virtual QString FindExecutable(const QString& name, const QString& folder) = 0;

    // Drives and folders, for the executable search.
    virtual QStringList FixedDriveRoots() = 0;
    // The entries of folder in the file system's order; false when it cannot be read.
    virtual bool ListFolder(const QString& folder, std::vector<FolderEntry>& entries) = 0;

    // Desktop.
    virtual void OpenDocument(const QString& path) = 0;
    // The application the desktop opens path with, as the platform names
    // it: the desktop entry ("org.example.QuarnEd.desktop") on Linux, the
    // program file elsewhere; empty when there is none.
    virtual QString DefaultApplicationFor(const QString& path) = 0;
    // Starts a program that outlives the editor; false when it did not start.
    virtual bool StartDetached(const QString& program, const QStringList& arguments) = 0;
    virtual void OpenUrl(const QUrl& url) = 0;
    // Whether ShowHelp can show helpFile: it exists and the platform has a
    // viewer for it (Windows' HTML Help). Elsewhere the built-in manual serves.
    virtual bool HasCompiledHelp(const QString& helpFile) = 0;
    virtual void ShowHelp(const QString& helpFile, HelpView view) = 0;

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

    bool FileExists(const QString& path) override;
    bool DirectoryExists(const QString& path) override;
    bool RenameFile(const QString& from, const QString& to) override;
    bool CopyFile(const QString& from, const QString& to) override;
    bool DeleteFile(const QString& path) override;
    bool SameFileContent(const QString& a, const QString& b) override;
    void AddHiddenAttribute(const QString& path) override;
    void ClearAttributes(const QString& path) override;

    QString ExecutablePath() override;
    QString CurrentDirectory() override;
    std::optional<QString> Environment(const char* name) override;
    QString FindExecutable(const QString& name, const QString& folder) override;

    QStringList FixedDriveRoots() override;
    bool ListFolder(const QString& folder, std::vector<FolderEntry>& entries) override;

    void OpenDocument(const QString& path) override;
    QString DefaultApplicationFor(const QString& path) override;
    bool StartDetached(const QString& program, const QStringList& arguments) override;
    void OpenUrl(const QUrl& url) override;
    bool HasCompiledHelp(const QString& helpFile) override;
    void ShowHelp(const QString& helpFile, HelpView view) override;

    bool ClipboardHasText() override;
    QString ClipboardText() override;
    void SetClipboardText(const QString& text) override;

private:
    QString settingsApplication_;
};
