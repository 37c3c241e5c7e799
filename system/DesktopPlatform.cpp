#include "system/Platform.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QGuiApplication>
#include <QMimeData>
#include <QSettings>
#include <QUrl>

#include <memory>

#ifdef Q_OS_WIN
#include <windows.h>
#endif

namespace {

// The per-user store of the editor's settings, opened at one group.
std::unique_ptr<QSettings> OpenSettingsGroup(const QString& group)
{
    auto settings = std::make_unique<QSettings>(QSettings::NativeFormat, QSettings::UserScope,
                                                QStringLiteral("Morvath"),
                                                QStringLiteral("QuarnEd"));
    settings->beginGroup(group);
    return settings;
}

} // namespace

QString DesktopPlatform::ReadSetting(const QString& group, const QString& key)
{
    return OpenSettingsGroup(group)->value(key).toString();
}

void DesktopPlatform::WriteSetting(const QString& group, const QString& key, const QString& value)
{
    OpenSettingsGroup(group)->setValue(key, value);
}

bool DesktopPlatform::FileExists(const QString& path)
{
    const QFileInfo info(path);
    return !path.isEmpty() && info.exists() && !info.isDir();
}

bool DesktopPlatform::DirectoryExists(const QString& path)
{
    return !path.isEmpty() && QFileInfo(path).isDir();
}

bool DesktopPlatform::RenameFile(const QString& from, const QString& to)
{
    // QFile::rename refuses an existing target, as the hide needs.
    return QFile::rename(from, to);
}

bool DesktopPlatform::CopyFile(const QString& from, const QString& to)
{
    // QFile::copy refuses an existing target and copies the permissions,
    // so a copied launcher stays executable.
    return QFile::copy(from, to);
}

bool DesktopPlatform::DeleteFile(const QString& path)
{
    return QFile::remove(path);
}

void DesktopPlatform::AddHiddenAttribute([[maybe_unused]] const QString& path)
{
#ifdef Q_OS_WIN
    const std::wstring native = QDir::toNativeSeparators(path).toStdWString();
    const DWORD attributes = GetFileAttributesW(native.c_str());
    if (attributes != INVALID_FILE_ATTRIBUTES)
        SetFileAttributesW(native.c_str(), attributes | FILE_ATTRIBUTE_HIDDEN);
#endif
}

void DesktopPlatform::ClearAttributes([[maybe_unused]] const QString& path)
{
#ifdef Q_OS_WIN
    SetFileAttributesW(QDir::toNativeSeparators(path).toStdWString().c_str(),
                       FILE_ATTRIBUTE_NORMAL);
#endif
}

QString DesktopPlatform::ExecutablePath()
{
    return QCoreApplication::applicationFilePath();
}

QString DesktopPlatform::CurrentDirectory()
{
    return QDir::currentPath();
}

std::optional<QString> DesktopPlatform::Environment(const char* name)
{
    if (!qEnvironmentVariableIsSet(name))
        return std::nullopt;
    return qEnvironmentVariable(name);
}

void DesktopPlatform::OpenDocument(const QString& path)
{
    QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void DesktopPlatform::OpenUrl(const QUrl& url)
{
    QDesktopServices::openUrl(url);
}

void DesktopPlatform::ShowHelp(const QString& helpFile, HelpView)
{
    // The desktop's viewer for the help file has no separate index page to
    // open; both views open the file.
    QDesktopServices::openUrl(QUrl::fromLocalFile(helpFile));
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
