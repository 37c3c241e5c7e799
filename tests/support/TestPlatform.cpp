#include "tests/support/TestPlatform.h"

QString TestPlatform::ReadSetting(const QString& group, const QString& key)
{
    return settings.value(group + QLatin1Char('/') + key);
}

void TestPlatform::WriteSetting(const QString& group, const QString& key, const QString& value)
{
    settings.insert(group + QLatin1Char('/') + key, value);
}

QString TestPlatform::ExecutablePath()
{
    return executablePath;
}

QString TestPlatform::CurrentDirectory()
{
    return currentDirectory;
}

std::optional<QString> TestPlatform::Environment(const char* name)
{
    const auto found = environment.constFind(QString::fromLatin1(name));
    if (found == environment.constEnd())
        return std::nullopt;
    return *found;
}

void TestPlatform::OpenDocument(const QString& path)
{
    openedDocuments.append(path);
}

QString TestPlatform::DefaultApplicationFor(const QString&)
{
    return defaultApplication;
}

bool TestPlatform::StartDetached(const QString& program, const QStringList& arguments)
{
    startedPrograms.append(QStringList{program} + arguments);
    return startSucceeds;
}

void TestPlatform::OpenUrl(const QUrl& url)
{
    openedUrls.append(url);
}

bool TestPlatform::HasCompiledHelp(const QString&)
{
    return compiledHelp;
}

void TestPlatform::ShowHelp(const QString& helpFile, HelpView view)
{
    helpRequests.append({helpFile, view});
}

bool TestPlatform::ClipboardHasText()
{
    return clipboard.has_value();
}

QString TestPlatform::ClipboardText()
{
    return clipboard.value_or(QString());
}

void TestPlatform::SetClipboardText(const QString& text)
{
    clipboard = text;
}
