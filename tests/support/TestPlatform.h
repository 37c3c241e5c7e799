#pragma once

#include "system/Platform.h"
#include "tests/support/DocumentPrinting.h"

#include <QHash>
#include <QList>
#include <QString>
#include <QUrl>

// The real file system with everything else kept inside the test: settings
// and environment in memory, a clipboard of its own, the desktop's "open"
// and help requests recorded, the executable's path chosen by the test.
// Paths are recorded and given as the texts they show.
class TestPlatform : public DesktopPlatform
{
public:
    QHash<QString, QString> settings; // "group/key" -> value
    QHash<QString, QString> environment;
    QString executablePath = QStringLiteral("/opt/quarned/QuarnEd");
    QString currentDirectory = QStringLiteral("/");
    std::optional<QString> clipboard;
    QStringList openedDocuments;
    // What the desktop opens every file with: another application unless a test says otherwise.
    QString defaultApplication = QStringLiteral("org.example.QuarnLauncher.desktop");
    bool startSucceeds = true;
    QList<QStringList> startedPrograms; // program, then its arguments
    QList<QUrl> openedUrls;
    // Whether the compiled help file has a viewer, as on Windows when it exists.
    bool compiledHelp = false;
    QList<QPair<QString, HelpView>> helpRequests;

    QString ReadSetting(const QString& group, const QString& key) override;
    void WriteSetting(const QString& group, const QString& key, const QString& value) override;
    FilePath ExecutablePath() override;
    FilePath CurrentDirectory() override;
    std::optional<QString> Environment(const char* name) override;
    void OpenDocument(const FilePath& path) override;
    QString DefaultApplicationFor(const FilePath& path) override;
    bool StartDetached(const FilePath& program, const std::vector<FilePath>& arguments) override;
    void OpenUrl(const QUrl& url) override;
    bool HasCompiledHelp(const FilePath& helpFile) override;
    void ShowHelp(const FilePath& helpFile, HelpView view) override;
    bool ClipboardHasText() override;
    QString ClipboardText() override;
    void SetClipboardText(const QString& text) override;
};

// QTest prints a compared path as its bytes.
char* toString(const FilePath& path);
