#include "system/FileNameCodec.h"
#include "system/Platform.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QGuiApplication>
#include <QMimeData>
#include <QSettings>
#include <QUrl>
#include <filesystem>
#include <memory>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

// The per-user store of a program's settings, opened at one group.
std::unique_ptr<QSettings> OpenSettingsGroup(const QString& application, const QString& group)
{
    auto settings = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                                QStringLiteral("Morvath"), application);
    settings->beginGroup(group);
    return settings;
}

} // namespace

DesktopPlatform::DesktopPlatform(QString settingsApplication)
    : settingsApplication_(std::move(settingsApplication))
{
}

QString DesktopPlatform::ReadSetting(const QString& group, const QString& key)
{
    const QVariant value = OpenSettingsGroup(settingsApplication_, group)->value(key);
    if (value.typeId() == QMetaType::QByteArray)
        return DecodeFileName(value.toByteArray());
    return value.toString();
}

void DesktopPlatform::WriteSetting(const QString& group, const QString& key, const QString& value)
{
    // A file name that is not valid UTF-8 is kept as its bytes; a text
    // setting could not hold them.
    const QByteArray bytes = EncodeFileName(value);
    if (bytes != value.toUtf8())
        OpenSettingsGroup(settingsApplication_, group)->setValue(key, bytes);
    else
        OpenSettingsGroup(settingsApplication_, group)->setValue(key, value);
}

// File operations take the name's bytes, which Qt's file classes would not
// keep for names that are not valid UTF-8.
bool DesktopPlatform::FileExists(const FilePath& path)
{
    std::error_code error;
    const auto status = std::filesystem::status(path.Native(), error);
    return !path.IsEmpty() && std::filesystem::exists(status) &&
           !std::filesystem::is_directory(status);
}

bool DesktopPlatform::DirectoryExists(const FilePath& path)
{
    std::error_code error;
    return !path.IsEmpty() && std::filesystem::is_directory(path.Native(), error);
}

bool DesktopPlatform::RenameFile(const FilePath& from, const FilePath& to)
{
    // The hide needs a rename that refuses an existing target.
    std::error_code error;
    if (std::filesystem::exists(std::filesystem::symlink_status(to.Native(), error)))
        return false;
    std::filesystem::rename(from.Native(), to.Native(), error);
    return !error;
}

bool DesktopPlatform::CopyFile(const FilePath& from, const FilePath& to)
{
    // Refuses an existing target and copies the permissions, so a copied
    // launcher stays executable.
    std::error_code error;
    return std::filesystem::copy_file(from.Native(), to.Native(),
                                      std::filesystem::copy_options::none, error);
}

bool DesktopPlatform::DeleteFile(const FilePath& path)
{
    std::error_code error;
    const std::filesystem::path name = path.Native();
    if (std::filesystem::is_directory(std::filesystem::symlink_status(name, error)))
        return false;
    return std::filesystem::remove(name, error);
}

void DesktopPlatform::AddHiddenAttribute([[maybe_unused]] const FilePath& path)
{
#ifdef Q_OS_WIN
    const std::wstring native = QDir::toNativeSeparators(path.Text()).toStdWString();
    const DWORD attributes = GetFileAttributesW(native.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        SetFileAttributesW(native.c_str(), attributes | FILE_ATTRIBUTE_HIDDEN);
#endif
}

void DesktopPlatform::ClearAttributes([[maybe_unused]] const FilePath& path)
{
#ifdef Q_OS_WIN
    SetFileAttributesW(QDir::toNativeSeparators(path.Text()).toStdWString().c_str(),
                       FILE_ATTRIBUTE_NORMAL);
#endif
}

FilePath DesktopPlatform::ExecutablePath()
{
#ifdef Q_OS_LINUX
    // Qt decodes the link's target and would lose bytes of a folder's name.
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error)
        return FilePath::FromNative(self);
#endif
    return FilePath::FromText(QCoreApplication::applicationFilePath());
}

FilePath DesktopPlatform::CurrentDirectory()
{
    std::error_code error;
    return FilePath::FromNative(std::filesystem::current_path(error));
}

std::optional<QString> DesktopPlatform::Environment(const char* name)
{
    if (!qEnvironmentVariableIsSet(name))
        return std::nullopt;
    return qEnvironmentVariable(name);
}

void DesktopPlatform::OpenDocument(const FilePath& path)
{
    QDesktopServices::openUrl(FileUrlOf(path));
}

void DesktopPlatform::OpenUrl(const QUrl& url)
{
    QDesktopServices::openUrl(url);
}

bool DesktopPlatform::HasCompiledHelp([[maybe_unused]] const FilePath& helpFile)
{
#ifdef Q_OS_WIN
    return FileExists(helpFile);
#else
    // No desktop here has a viewer for compiled HTML help.
    return false;
#endif
}

void DesktopPlatform::ShowHelp(const FilePath& helpFile, HelpView)
{
    // The desktop's viewer for the help file has no separate index page to
    // open; both views open the file.
    QDesktopServices::openUrl(FileUrlOf(helpFile));
}

bool DesktopPlatform::ClipboardHasText()
{
    const QMimeData* data = QGuiApplication::clipboard()->mimeData();
    return data && data->hasText();
}

QString DesktopPlatform::ClipboardText()
{
    return QGuiApplication::clipboard()->text();
}

void DesktopPlatform::SetClipboardText(const QString& text)
{
    QGuiApplication::clipboard()->setText(text);
}
