#include "tests/support/TestPlatform.h"

QString TestPlatform::ReadSetting(const QString& group, const QString& key)
{
    return settings.value(group + QLatin1Char('/') + key);
}

void TestPlatform::WriteSetting(const QString& group, const QString& key, const QString& value)
{
    settings.insert(group + QLatin1Char('/') + key, value);
}

FilePath TestPlatform::ExecutablePath()
{
    return FilePath::FromText(executablePath);
}

FilePath TestPlatform::CurrentDirectory()
{
    return FilePath::FromText(currentDirectory);
}

std::optional<QString> TestPlatform::Environment(const char* name)
{
    const auto found = environment.constFind(QString::fromLatin1(name));
    if (found == environment.constEnd())
        return std::nullopt;
    return *found;
}

void TestPlatform::OpenDocument(const FilePath& path)
{
    openedDocuments.append(path.Text());
}

QString TestPlatform::DefaultApplicationFor(const FilePath&)
{
    return defaultApplication;
}

bool TestPlatform::StartDetached(const FilePath& program, const std::vector<FilePath>& arguments)
{
    QStringList started{program.Text()};
    for (const FilePath& argument : arguments)
        started.append(argument.Text());
    startedPrograms.append(started);
    return startSucceeds;
}

void TestPlatform::OpenUrl(const QUrl& url)
{
    openedUrls.append(url);
}

bool TestPlatform::HasCompiledHelp(const FilePath&)
{
    return compiledHelp;
}

void TestPlatform::ShowHelp(const FilePath& helpFile, HelpView view)
{
    helpRequests.append({helpFile.Text(), view});
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

char* toString(const FilePath& path)
{
    return toString(path.Bytes());
}
