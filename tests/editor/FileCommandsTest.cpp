// The File and Help commands through the real window: the save prompt and
// what each answer does, saving and its failures, the bytes written, the
// title, the recent-files list and its store, adopting a program, Go and
// the help commands.
#include "document/DefinitionFile.h"
#include "system/FileNameCodec.h"
#include "tests/editor/MainFormHarness.h"
#include "tests/support/DocumentPrinting.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#include <unistd.h>
#endif

Q_DECLARE_METATYPE(PromptAnswer)

namespace {

using Kind = FakeDialogs::Shown::Kind;

const QByteArray WithOptions = "[Quarn]\r\nName=Tool\r\nProgram=/bin/tool\r\n"
                               "[First]\r\nType=String\r\nValue=a\r\n"
                               "[Second]\r\nType=Select\r\nValue1=x\r\nValue2=y\r\n";
const QByteArray WithoutOptions = "[Quarn]\r\nName=Bare\r\nProgram=/bin/bare\r\n";

QString PromptFor(const QString& name)
{
    return name + QStringLiteral(" has changed.\nDo you want to save it?");
}

QString TitleFor(const char* fileName)
{
    return QStringLiteral("Quarn Editor - ") + QLatin1String(fileName);
}

// A key as the user presses it, into whatever has the focus.
void Press(MainFormHarness& harness, Qt::Key key, Qt::KeyboardModifiers modifiers = {})
{
    QWidget* target = QApplication::focusWidget();
    QTest::keyClick(target ? target : &harness.Form(), key, modifiers);
}

// Types text at the end of a field, whose text is selected when it got the
// focus from the program.
void Append(MainFormHarness& harness, const char* field, const QString& text)
{
    QTest::keyClick(harness.Edit(field), Qt::Key_End);
    QTest::keyClicks(harness.Edit(field), text);
}

bool IsModified(MainFormHarness& harness)
{
    harness.Form().CollectDocument();
    return harness.Document().IsModified();
}

QStringList Recent(MainFormHarness& harness)
{
    QStringList paths;
    for (const FilePath& path : harness.Form().Recent().Files()) {
        if (!path.IsEmpty())
            paths.append(path.Text());
    }
    return paths;
}

// Definition file names from their stems, and their paths in the harness's folder.
QStringList QuarnFiles(std::initializer_list<const char*> stems)
{
    QStringList names;
    for (const char* stem : stems)
        names.append(QLatin1String(stem) + QStringLiteral(".Quarn"));
    return names;
}

QStringList PathsOf(MainFormHarness& harness, const QStringList& names)
{
    QStringList paths;
    for (const QString& name : names)
        paths.append(harness.PathOf(name));
    return paths;
}

QStringList RecentCaptions(MainFormHarness& harness)
{
    QStringList captions;
    for (const char* item : {"OldIni1", "OldIni2", "OldIni3", "OldIni4"}) {
        if (harness.Action(item)->isVisible())
            captions.append(harness.Action(item)->text());
    }
    return captions;
}

// A named document whose folder is removed after opening: saving it fails.
QString OpenFromVanishingFolder(MainFormHarness& harness)
{
    QDir().mkpath(harness.PathOf(QStringLiteral("gone")));
    const QString path = harness.WriteFile(QStringLiteral("gone/tool.Quarn"), WithoutOptions);
    harness.Open(path);
    QDir(harness.PathOf(QStringLiteral("gone"))).removeRecursively();
    return path;
}

// Each command that would discard the document or hand it to the launcher.
void RunGuardedCommand(MainFormHarness& harness, const QString& command)
{
    if (command == QLatin1String("New")) {
        Press(harness, Qt::Key_N, Qt::ControlModifier);
    } else if (command == QLatin1String("Open")) {
        // The Open dialog comes before any Save As the prompt leads to.
        harness.dialogs.fileAnswers.prepend(
            harness.WriteFile(QStringLiteral("other.Quarn"), "[Quarn]\r\nName=Other\r\n"));
        harness.Trigger("FileOpen");
    } else if (command == QLatin1String("Go")) {
        Press(harness, Qt::Key_G, Qt::ControlModifier);
    } else {
        harness.Trigger("FileExit");
    }
}

} // namespace

class FileCommandsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    // --- The save prompt ---------------------------------------------------

    void untouchedDocumentAsksNothing()
    {
        MainFormHarness harness;
        QVERIFY(!harness.Action("Go")->isEnabled());
        Press(harness, Qt::Key_N, Qt::ControlModifier);
        harness.Open(harness.WriteFile(QStringLiteral("tool.Quarn"), WithOptions));
        QCOMPARE(harness.Edit("Name")->text(), QStringLiteral("Tool"));
        // Showing a document is no change to it.
        QVERIFY(!IsModified(harness));
        QVERIFY(harness.Form().close());
        QCOMPARE(harness.dialogs.Count(Kind::Prompt), 0);
    }

    void promptOnExit_data()
    {
        QTest::addColumn<PromptAnswer>("answer");
        QTest::addColumn<QString>("saveAs");
        QTest::addColumn<bool>("closes");
        QTest::newRow("Cancel keeps the window") << PromptAnswer::Cancel << QString() << false;
        QTest::newRow("No exits without saving") << PromptAnswer::No << QString() << true;
        QTest::newRow("Yes saves as, then exits")
            << PromptAnswer::Yes << QStringLiteral("out.Quarn") << true;
    }

    void promptOnExit()
    {
        QFETCH(PromptAnswer, answer);
        QFETCH(QString, saveAs);
        QFETCH(bool, closes);
        MainFormHarness harness;
        QTest::keyClicks(harness.Edit("Program"), QStringLiteral("tool"));
        harness.dialogs.promptAnswers.append(answer);
        if (!saveAs.isEmpty())
            harness.dialogs.fileAnswers.append(harness.PathOf(saveAs));
        harness.Trigger("FileExit");

        const FakeDialogs::Shown prompt = harness.dialogs.Last(Kind::Prompt);
        QCOMPARE(prompt.text, PromptFor(QStringLiteral("Definition")));
        QCOMPARE(prompt.caption, QStringLiteral("Quarn Editor"));
        QCOMPARE(prompt.owner, static_cast<QWidget*>(&harness.Form()));
        QCOMPARE(harness.Form().isVisible(), !closes);
        QCOMPARE(harness.dialogs.Count(Kind::File), saveAs.isEmpty() ? 0 : 1);
        QCOMPARE(QDir(harness.PathOf(QString())).entryList(QDir::Files).size(),
                 saveAs.isEmpty() ? 0 : 1);
        if (!saveAs.isEmpty()) {
            QCOMPARE(harness.dialogs.Last(Kind::File).caption,
                     QStringLiteral("Save definition file"));
            QCOMPARE(harness.ReadFile(saveAs), QByteArray("[Quarn]\r\nProgram=tool\r\n"));
            // The file saved on the way out is in the list stored on closing.
            QCOMPARE(harness.platform.settings.value(QStringLiteral("Previous/0")),
                     harness.PathOf(saveAs));
        }
        QVERIFY(harness.dialogs.AllAnswersUsed());
    }

    void promptNamesTheFullPath()
    {
        MainFormHarness harness;
        const QString path = harness.WriteFile(QStringLiteral("tool.Quarn"), WithOptions);
        harness.Open(path);
        Append(harness, "Name", QStringLiteral("!"));
        harness.dialogs.promptAnswers.append(PromptAnswer::Cancel);
        Press(harness, Qt::Key_N, Qt::ControlModifier);
        QCOMPARE(harness.dialogs.Last(Kind::Prompt).text, PromptFor(path));
        // Cancel: New does nothing.
        QCOMPARE(harness.Edit("Name")->text(), QStringLiteral("Tool!"));
        QCOMPARE(harness.List("OptionList")->count(), 2);
        QCOMPARE(QString::fromStdString(harness.Document().Path), path);
    }

    // Yes in the prompt and then no save: the command stops and the work
    // stays, whether Save As was cancelled or the file could not be written.
    void unsavedWorkIsNeverDiscarded_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<bool>("named");
        for (const char* command : {"New", "Open", "Go", "Exit"}) {
            QTest::addRow("%s, Save As cancelled", command)
                << QString::fromLatin1(command) << false;
            QTest::addRow("%s, file not writable", command) << QString::fromLatin1(command) << true;
        }
    }

    void unsavedWorkIsNeverDiscarded()
    {
        QFETCH(QString, command);
        QFETCH(bool, named);
        MainFormHarness harness;
        const QString path = named ? OpenFromVanishingFolder(harness) : QString();
        const QString title = harness.Title();
        const QStringList recent = Recent(harness);
        QTest::keyClicks(harness.Edit("Program"), QStringLiteral("/bin/edited"));
        harness.dialogs.promptAnswers.append(PromptAnswer::Yes);
        if (!named)
            harness.dialogs.fileAnswers.append(QString());
        RunGuardedCommand(harness, command);

        QCOMPARE(harness.dialogs.Count(Kind::Prompt), 1);
        QCOMPARE(harness.dialogs.Count(Kind::Error), named ? 1 : 0);
        QVERIFY(harness.dialogs.AllAnswersUsed());
        QVERIFY(harness.Form().isVisible());
        QVERIFY(harness.platform.openedDocuments.isEmpty());
        QCOMPARE(harness.Edit("Program")->text(),
                 (named ? QStringLiteral("/bin/bare") : QString()) + QStringLiteral("/bin/edited"));
        QCOMPARE(QString::fromStdString(harness.Document().Path), path);
        QCOMPARE(harness.Title(), title + QLatin1Char('*'));
        QCOMPARE(Recent(harness), recent);
        QVERIFY(IsModified(harness));
    }

    // --- Save and Save As --------------------------------------------------

    void saveAsWritesTheDefinitionFile_data()
    {
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("written");
        const auto row = [](const char* chosen, const char* written) {
            QTest::newRow(chosen) << QString::fromUtf8(chosen) << QString::fromUtf8(written);
        };
        row("copy.txt", "copy.Quarn");
        row("copy", "copy.Quarn");
        row("copy.QUARN", "copy.QUARN");
        row("my.tool.exe", "my.tool.Quarn");
        row("dir.d/noext", "dir.d/noext.Quarn");
    }

    void saveAsWritesTheDefinitionFile()
    {
        QFETCH(QString, chosen);
        QFETCH(QString, written);
        MainFormHarness harness;
        QDir().mkpath(harness.PathOf(QStringLiteral("dir.d")));
        QTest::keyClicks(harness.Edit("Program"), QStringLiteral("tool"));
        harness.dialogs.fileAnswers.append(harness.PathOf(chosen));
        Press(harness, Qt::Key_A, Qt::ControlModifier);

        QCOMPARE(harness.ReadFile(written), QByteArray("[Quarn]\r\nProgram=tool\r\n"));
        QCOMPARE(QFile::exists(harness.PathOf(chosen)), chosen == written);
        QCOMPARE(QString::fromStdString(harness.Document().Path), harness.PathOf(written));
        QCOMPARE(harness.Title(),
                 QStringLiteral("Quarn Editor - ") + written.section(QLatin1Char('/'), -1));
        QCOMPARE(Recent(harness), QStringList{harness.PathOf(written)});
        QVERIFY(!IsModified(harness));
        // The next save goes to the file without asking.
        QTest::keyClicks(harness.Edit("Program"), QStringLiteral("2"));
        Press(harness, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(harness.dialogs.Count(Kind::File), 1);
        QCOMPARE(harness.ReadFile(written), QByteArray("[Quarn]\r\nProgram=tool2\r\n"));
    }

    void failedSaveIsReportedAndChangesNothing_data()
    {
        QTest::addColumn<bool>("saveAs");
        QTest::newRow("Save of a file whose folder is gone") << false;
        QTest::newRow("Save As into a missing folder") << true;
    }

    void failedSaveIsReportedAndChangesNothing()
    {
        QFETCH(bool, saveAs);
        MainFormHarness harness;
        const QString opened = OpenFromVanishingFolder(harness);
        const QString failing =
            saveAs ? harness.PathOf(QStringLiteral("missing/copy.Quarn")) : opened;
        const std::string path = harness.Document().Path;
        const QString title = harness.Title();
        const QStringList recent = Recent(harness);
        Append(harness, "Name", QStringLiteral("!"));
        if (saveAs) {
            harness.dialogs.fileAnswers.append(harness.PathOf(QStringLiteral("missing/copy.txt")));
            harness.Trigger("FileSaveAs");
        } else {
            harness.Trigger("FileSave");
        }

        const FakeDialogs::Shown error = harness.dialogs.Last(Kind::Error);
        QCOMPARE(error.caption, QStringLiteral("Quarn Editor"));
        // The message names the file it meant to write, and why that failed.
        const qsizetype named = error.text.indexOf(failing);
        QVERIFY2(named >= 0, qPrintable(error.text));
        QVERIFY2(!error.text.mid(named + failing.size()).trimmed().isEmpty(),
                 qPrintable(error.text));
        QCOMPARE(harness.Document().Path, path);
        QCOMPARE(harness.Title(), title + QLatin1Char('*'));
        QCOMPARE(Recent(harness), recent);
        QVERIFY(IsModified(harness));
    }

    // --- Replacing files ------------------------------------------------------

    // A file that stands where Save As would write, the typed name's
    // definition file included, is replaced only on Yes; No stops as a
    // cancelled Save As does, also the command that prompted.
    void replacingAnotherFileAsks_data()
    {
        QTest::addColumn<QString>("existing");
        QTest::addColumn<bool>("opened"); // the document was read from it
        QTest::addColumn<QString>("chosen");
        QTest::addColumn<QString>("command");
        QTest::addColumn<QList<bool>>("answers"); // empty: no question
        const auto row = [](const char* name, const char* existing, bool opened, const char* chosen,
                            const char* command, QList<bool> answers) {
            QTest::newRow(name) << QString::fromLatin1(existing) << opened
                                << QString::fromLatin1(chosen) << QString::fromLatin1(command)
                                << answers;
        };
        row("another file, Yes", "other.Quarn", false, "other.Quarn", "Save As", {true});
        row("another file, No", "other.Quarn", false, "other.Quarn", "Save As", {false});
        row("typed third.txt, Yes", "third.Quarn", false, "third.txt", "Save As", {true});
        row("typed third.txt, No", "third.Quarn", false, "third.txt", "Save As", {false});
        row("the document's own file", "tool.Quarn", true, "tool.Quarn", "Save As", {});
        row("closing, Yes", "other.Quarn", false, "other.txt", "Exit", {true});
        row("closing, No", "other.Quarn", false, "other.txt", "Exit", {false});
        row("New, No", "other.Quarn", false, "other.txt", "New", {false});
    }

    void replacingAnotherFileAsks()
    {
        QFETCH(QString, existing);
        QFETCH(bool, opened);
        QFETCH(QString, chosen);
        QFETCH(QString, command);
        QFETCH(QList<bool>, answers);
        MainFormHarness harness;
        const QByteArray theirs = "[Quarn]\r\nName=Theirs\r\n";
        const QString target = harness.WriteFile(existing, theirs);
        if (opened)
            harness.Open(target);
        QTest::keyClicks(harness.Edit("Program"), QStringLiteral("tool"));
        harness.dialogs.questionAnswers = answers;
        harness.dialogs.fileAnswers.append(harness.PathOf(chosen));
        if (command == QLatin1String("Save As")) {
            harness.Trigger("FileSaveAs");
        } else {
            harness.dialogs.promptAnswers.append(PromptAnswer::Yes);
            RunGuardedCommand(harness, command);
        }

        QVERIFY(harness.dialogs.AllAnswersUsed());
        QCOMPARE(harness.dialogs.Count(Kind::Question), answers.size());
        if (!answers.isEmpty()) {
            const FakeDialogs::Shown question = harness.dialogs.Last(Kind::Question);
            QCOMPARE(question.caption, QStringLiteral("Quarn Editor"));
            QCOMPARE(question.text,
                     target + QStringLiteral(" already exists.\nDo you want to replace it?"));
        }
        const bool written = answers != QList<bool>{false};
        QCOMPARE(harness.ReadFile(existing) != theirs, written);
        QCOMPARE(IsModified(harness), !written);
        QCOMPARE(harness.Edit("Program")->text(), QStringLiteral("tool"));
        QCOMPARE(harness.Form().isVisible(), !written || command != QLatin1String("Exit"));
    }

    // Save over the document's own file asks when another program changed
    // its bytes since they were read; a file merely touched, or gone, is
    // written without a question.
    void changedOnDiskAsks_data()
    {
        QTest::addColumn<QByteArray>("theirs"); // empty: the file is removed
        QTest::addColumn<QString>("command");
        QTest::addColumn<QList<bool>>("answers");
        const QByteArray other = "[Quarn]\r\nName=Theirs\r\n";
        const QByteArray sameSize = QByteArray(WithoutOptions).replace("Bare", "Bore");
        QTest::newRow("changed, Yes") << other << QStringLiteral("Save") << QList<bool>{true};
        QTest::newRow("changed, No") << other << QStringLiteral("Save") << QList<bool>{false};
        QTest::newRow("changed, No stops closing")
            << other << QStringLiteral("Exit") << QList<bool>{false};
        QTest::newRow("changed at the same size, No")
            << sameSize << QStringLiteral("Save") << QList<bool>{false};
        QTest::newRow("touched only") << WithoutOptions << QStringLiteral("Save") << QList<bool>{};
        QTest::newRow("gone") << QByteArray() << QStringLiteral("Save") << QList<bool>{};
    }

    void changedOnDiskAsks()
    {
        QFETCH(QByteArray, theirs);
        QFETCH(QString, command);
        QFETCH(QList<bool>, answers);
        MainFormHarness harness;
        const QString path = harness.WriteFile(QStringLiteral("tool.Quarn"), WithoutOptions);
        harness.Open(path);
        Append(harness, "Name", QStringLiteral("!"));
        const std::filesystem::path file = path.toStdString();
        const auto loaded = std::filesystem::last_write_time(file);
        if (theirs.isEmpty()) {
            QVERIFY(QFile::remove(path));
        } else {
            harness.WriteFile(QStringLiteral("tool.Quarn"), theirs);
            // Later for certain, whatever the file system's clock step.
            std::filesystem::last_write_time(file, loaded + std::chrono::seconds(10));
        }
        harness.dialogs.questionAnswers = answers;
        if (command == QLatin1String("Exit"))
            harness.dialogs.promptAnswers.append(PromptAnswer::Yes);
        harness.Trigger(command == QLatin1String("Exit") ? "FileExit" : "FileSave");

        QVERIFY(harness.dialogs.AllAnswersUsed());
        QCOMPARE(harness.dialogs.Count(Kind::Question), answers.size());
        if (!answers.isEmpty()) {
            QCOMPARE(harness.dialogs.Last(Kind::Question).text,
                     path + QStringLiteral(" was changed by another program.\n"
                                           "Do you want to replace those changes?"));
        }
        const bool written = answers != QList<bool>{false};
        QCOMPARE(harness.ReadFile(QStringLiteral("tool.Quarn")),
                 written ? QByteArray(WithoutOptions).replace("Bare", "Bare!") : theirs);
        QCOMPARE(IsModified(harness), !written);
        QVERIFY(harness.Form().isVisible());
        // Once written, the file is the document's again: no question.
        if (written) {
            Append(harness, "Name", QStringLiteral("?"));
            harness.Trigger("FileSave");
            QCOMPARE(harness.dialogs.Count(Kind::Question), answers.size());
        }
    }

    // A file nobody may write is replaced, by any user, only after a
    // question of its own, and keeps its mode.
    void readOnlyFileAsks_data()
    {
        QTest::addColumn<bool>("opened"); // Save of the document's own file, else Save As
        QTest::addColumn<QList<bool>>("answers");
        QTest::newRow("Save, No") << true << QList<bool>{false};
        QTest::newRow("Save, Yes") << true << QList<bool>{true};
        QTest::newRow("Save As over it, No") << false << QList<bool>{true, false};
        QTest::newRow("Save As over it, Yes") << false << QList<bool>{true, true};
    }

    void readOnlyFileAsks()
    {
        QFETCH(bool, opened);
        QFETCH(QList<bool>, answers);
#ifdef Q_OS_WIN
        QSKIP("Windows refuses to replace a read-only file");
#else
        MainFormHarness harness;
        const QString path = harness.WriteFile(QStringLiteral("tool.Quarn"), WithoutOptions);
        QVERIFY(::chmod(QFile::encodeName(path).constData(), 0444) == 0);
        if (opened)
            harness.Open(path);
        else
            harness.dialogs.fileAnswers.append(path);
        Append(harness, "Name", QStringLiteral("!"));
        harness.dialogs.questionAnswers = answers;
        harness.Trigger(opened ? "FileSave" : "FileSaveAs");

        QVERIFY(harness.dialogs.AllAnswersUsed());
        QCOMPARE(harness.dialogs.Count(Kind::Question), answers.size());
        const FakeDialogs::Shown question = harness.dialogs.Last(Kind::Question);
        QCOMPARE(question.caption, QStringLiteral("Quarn Editor"));
        QCOMPARE(question.text,
                 path + QStringLiteral(" is read-only.\nDo you want to replace it anyway?"));
        const bool written = answers.last();
        QCOMPARE(harness.ReadFile(QStringLiteral("tool.Quarn")) != WithoutOptions, written);
        QCOMPARE(IsModified(harness), !written);
        struct stat info = {};
        QVERIFY(::stat(QFile::encodeName(path).constData(), &info) == 0);
        QCOMPARE(info.st_mode & 07777, 0444u);
#endif
    }

    // A file that cannot be opened shows no message box, but the status
    // bar says why for a few seconds; a FIFO is not waited for.
    void unreadableFileIsToldInTheStatusBar()
    {
#ifdef Q_OS_WIN
        QSKIP("FIFOs are POSIX files");
#else
        MainFormHarness scratch;
        const QString fifo = scratch.PathOf(QStringLiteral("fifo.Quarn"));
        QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
        alarm(10); // an open that waits for a writer ends the test
        MainFormHarness harness({fifo});
        alarm(0);
        QStatusBar* status = harness.Form().statusBar();
        QCOMPARE(status->currentMessage(),
                 QStringLiteral("Could not open ") + fifo + QStringLiteral(": not a regular file"));
        QCOMPARE(harness.dialogs.shown.size(), 0);
        QCOMPARE(harness.Document().Path, std::string());
        // The bar's own timer clears the word after five seconds; run out now.
        const QList<QTimer*> timers = status->findChildren<QTimer*>();
        const auto timer = std::find_if(timers.begin(), timers.end(), [](const QTimer* shown) {
            return shown->isActive() && shown->interval() == 5000;
        });
        QVERIFY(timer != timers.end());
        (*timer)->start(0);
        QTRY_VERIFY(status->currentMessage().isEmpty());
#endif
    }

    // --- The bytes of a document --------------------------------------------

    // Opened and saved without edits: the file is what the writer makes of
    // what was read, so no text changed on its way through the controls.
    void openAndSaveKeepsEveryByte_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("shownName");
        QTest::addColumn<bool>("canonical");
        QTest::newRow("Windows-1252")
            << QByteArray("[Quarn]\r\nName=Caf\xE9 \x80\x81\xA0\r\nProgram=/bin/tool\r\n"
                          "First=1\r\n[Opt\xE9]\r\nType=Select\r\nValue=\xE9\r\n"
                          "Value1=\xE9t\xE9\r\nValue2=\x9D\r\nArg=2\r\nMandatory=1\r\n"
                          "[Two]\r\nType=True\r\nValue=1\r\nUse Directory=1\r\n")
            << QStringLiteral("Caf\u00E9 \u20AC\u0081\u00A0") << true;
        QTest::newRow("UTF-8")
            << QByteArray("[Quarn]\r\nName=Caf\xC3\xA9 \xE2\x82\xAC\r\nCommand shell=/bin/sh\r\n"
                          "Information=2\r\nl\xC3\xA9 1\r\nl 2\r\n\r\n"
                          "[\xC3\xA9]\r\nType=String\r\nFormat=-f \xC3\xA9\r\nMultiple=1\r\n"
                          "Information=1\r\nx\r\n\r\n")
            << QStringLiteral("Caf\u00E9 \u20AC") << true;
        QTest::newRow("control characters in a field")
            << QByteArray("[Quarn]\r\nName=a\rb\tc\x01\r\n") << QStringLiteral("a\rb\tc\u0001")
            << true;
        QTest::newRow("UTF-8 bytes in a Windows-1252 file")
            << QByteArray("[Quarn]\r\nName=\xC3\xA9\r\nDirectory=/d/\xE9\r\n")
            << QStringLiteral("\u00C3\u00A9") << true;
        // Memos too hand back what they were given: nothing becomes a space
        // or a line break.
        const auto memo = [](const char* name, const char* bytes) {
            QTest::newRow(name) << QByteArray(bytes) << QString() << true;
        };
        memo("no-break space, Windows-1252",
             "[Quarn]\r\nDirectory=\xE9\r\nInformation=1\r\na\xA0z\r\n\r\n");
        memo("no-break space, UTF-8", "[Quarn]\r\nInformation=1\r\na\xC2\xA0z\r\n\r\n");
        memo("line separator", "[Quarn]\r\nInformation=1\r\na\xE2\x80\xA8z\r\n\r\n");
        memo("carriage return within a line", "[Quarn]\r\nInformation=1\r\na\rb\r\n\r\n");
        memo("no-break space in the option shown",
             "[Quarn]\r\n[O]\r\nType=String\r\nInformation=1\r\na\xC2\xA0z\r\n\r\n");
        // Only the option shown goes through the controls: the hidden
        // option's type keeps its letter case.
        QTest::newRow("written by hand")
            << QByteArray("[QUARN]\nprogram=/bin/tool\nNAME=Tool\n[A]\nType=String\nValue=v\n"
                          "[B]\ntype=select\nArg=+3\nMultiple=1\n")
            << QStringLiteral("Tool") << false;
    }

    void openAndSaveKeepsEveryByte()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, shownName);
        QFETCH(bool, canonical);
        MainFormHarness harness;
        const QString path = harness.WriteFile(QStringLiteral("tool.Quarn"), bytes);
        harness.Open(path);
        QCOMPARE(harness.Edit("Name")->text(), shownName);
        // Even a lone CR, which a memo shows as a line break, comes back as it was.
        QVERIFY(!IsModified(harness));
        Press(harness, Qt::Key_S, Qt::ControlModifier);

        const std::string expected = WriteDefinition(
            ReadDefinition(bytes.toStdString(), path.toStdString(), path.toStdString()));
        QCOMPARE(harness.ReadFile(QStringLiteral("tool.Quarn")).toStdString(), expected);
        if (canonical)
            QCOMPARE(harness.ReadFile(QStringLiteral("tool.Quarn")), bytes);
    }

    // Typed text is stored in the encoding the document was read in; a new
    // document is UTF-8, also after New on a Windows-1252 one.
    void typedTextKeepsTheDocumentsEncoding_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<bool>("newFirst");
        QTest::addColumn<QByteArray>("saved");
        const QByteArray latin = "[Quarn]\r\nDirectory=/d/\xE9\r\n";
        QTest::newRow("Windows-1252")
            << latin << false << QByteArray("[Quarn]\r\nName=\xFC\x80\r\nDirectory=/d/\xE9\r\n");
        QTest::newRow("UTF-8") << QByteArray("[Quarn]\r\nDirectory=/d/\xC3\xA9\r\n") << false
                               << QByteArray("[Quarn]\r\nName=\xC3\xBC\xE2\x82\xAC\r\n"
                                             "Directory=/d/\xC3\xA9\r\n");
        QTest::newRow("new after Windows-1252")
            << latin << true << QByteArray("[Quarn]\r\nName=\xC3\xBC\xE2\x82\xAC\r\n");
    }

    void typedTextKeepsTheDocumentsEncoding()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(bool, newFirst);
        QFETCH(QByteArray, saved);
        MainFormHarness harness;
        harness.Open(harness.WriteFile(QStringLiteral("tool.Quarn"), bytes));
        if (newFirst) {
            harness.Trigger("FileNew");
            harness.dialogs.fileAnswers.append(harness.PathOf(QStringLiteral("tool.Quarn")));
            harness.dialogs.questionAnswers.append(true); // replace the file read before
        }
        // Characters beyond ASCII arrive as the text of a key event.
        QTest::sendKeyEvent(QTest::Click, harness.Edit("Name"), Qt::Key_unknown,
                            QStringLiteral("\u00FC\u20AC"), Qt::NoModifier);
        harness.Trigger("FileSave");
        QVERIFY(harness.dialogs.AllAnswersUsed());
        QCOMPARE(harness.ReadFile(QStringLiteral("tool.Quarn")), saved);
    }

    // --- New and Open --------------------------------------------------------

    // After a document with options, New and opening a file without any
    // leave the option pane empty and disabled, and nothing of the old
    // options is saved.
    void noOptionsAfterADocumentWithOptions_data()
    {
        QTest::addColumn<bool>("openBare");
        QTest::addColumn<QString>("page");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("New") << false << QStringLiteral("OptionsPage")
                             << QStringLiteral("Quarn Editor") << QStringLiteral("new.Quarn")
                             << QByteArray("[Quarn]\r\n");
        QTest::newRow("open without options")
            << true << QStringLiteral("GlobalPage") << TitleFor("bare.Quarn")
            << QStringLiteral("bare.Quarn") << WithoutOptions;
    }

    void noOptionsAfterADocumentWithOptions()
    {
        QFETCH(bool, openBare);
        QFETCH(QString, page);
        QFETCH(QString, title);
        QFETCH(QString, file);
        QFETCH(QByteArray, bytes);
        MainFormHarness harness;
        harness.Open(harness.WriteFile(QStringLiteral("tool.Quarn"), WithOptions));
        harness.FocusOptionList();
        harness.ClickRow(harness.List("OptionList"), 1);
        QCOMPARE(harness.Edit("EditValues")->text(), QStringLiteral("x"));
        if (openBare)
            harness.Open(harness.WriteFile(file, bytes));
        else
            Press(harness, Qt::Key_N, Qt::ControlModifier);

        QCOMPARE(harness.List("OptionList")->count(), 0);
        QCOMPARE(harness.Form().CurrentOption(), -1);
        QCOMPARE(harness.List("Values")->count(), 0);
        QVERIFY(!harness.List("Values")->isEnabled());
        for (const char* field : {"NameOption", "Value", "EditValues", "Format", "Arg"}) {
            QVERIFY2(harness.Edit(field)->text().isEmpty(), field);
            QVERIFY2(!harness.Edit(field)->isEnabled(), field);
        }
        for (const char* box : {"Multiple", "UseDir", "Mandatory", "Default"}) {
            QVERIFY2(!harness.Check(box)->isChecked(), box);
            QVERIFY2(!harness.Check(box)->isEnabled(), box);
        }
        QCOMPARE(harness.Combo("Type")->currentIndex(), -1);
        QVERIFY(!harness.Combo("Type")->isEnabled());
        QVERIFY(harness.Memo("OptionInfo")->toPlainText().isEmpty());
        // New keeps the page shown; a loaded file shows its settings.
        QCOMPARE(harness.Control<QTabWidget>("PageControl")->currentWidget()->objectName(), page);
        QCOMPARE(harness.Title(), title);
        QCOMPARE(Recent(harness).size(), openBare ? 2 : 1);
        QVERIFY(!IsModified(harness));

        if (!openBare)
            harness.dialogs.fileAnswers.append(harness.PathOf(file));
        Press(harness, Qt::Key_S, Qt::ControlModifier);
        QVERIFY(harness.dialogs.AllAnswersUsed());
        QCOMPARE(harness.ReadFile(file), bytes);
    }

    // The dialog comes first; cancelling it changes nothing and asks nothing.
    void openAsksAfterTheChoice()
    {
        MainFormHarness harness;
        QTest::keyClicks(harness.Edit("Name"), QStringLiteral("edited"));
        harness.dialogs.fileAnswers.append(QString());
        Press(harness, Qt::Key_O, Qt::ControlModifier);
        QCOMPARE(harness.dialogs.Count(Kind::Prompt), 0);
        QCOMPARE(harness.Edit("Name")->text(), QStringLiteral("edited"));
        QVERIFY(IsModified(harness));

        harness.dialogs.promptAnswers.append(PromptAnswer::No);
        harness.Open(harness.WriteFile(QStringLiteral("tool.Quarn"), WithOptions));
        QCOMPARE(harness.dialogs.shown.size(), 3);
        QCOMPARE(harness.dialogs.shown[1].kind, Kind::File);
        QCOMPARE(harness.dialogs.shown[2].kind, Kind::Prompt);
        QCOMPARE(harness.Edit("Name")->text(), QStringLiteral("Tool"));
    }

    void fileDialogsStartWithTheNameLastChosen()
    {
        MainFormHarness harness;
        const QString opened = harness.WriteFile(QStringLiteral("tool.Quarn"), WithoutOptions);
        const QString copy = harness.PathOf(QStringLiteral("copy.txt"));
        // Open, Open cancelled, Save As cancelled, Save As, Save As cancelled, Open cancelled.
        harness.dialogs.fileAnswers = {opened, {}, {}, copy, {}, {}};
        harness.Trigger("FileOpen");
        harness.Trigger("FileOpen");
        harness.Trigger("FileSaveAs");
        harness.Trigger("FileSaveAs");
        harness.Trigger("FileSaveAs");
        harness.Trigger("FileOpen");

        QStringList titles;
        QStringList initialNames;
        for (const FakeDialogs::Shown& shown : harness.dialogs.shown) {
            titles.append(shown.caption);
            initialNames.append(shown.text);
        }
        const QString open = QStringLiteral("Open definition file");
        const QString save = QStringLiteral("Save definition file");
        QCOMPARE(titles, QStringList({open, open, save, save, save, open}));
        // A cancelled dialog keeps the name it started with; the other
        // dialog's choices are not its own.
        QCOMPARE(initialNames,
                 QStringList({QString(), opened, QString(), QString(), copy, opened}));
    }

    // The title's "*" follows the modified test as the user works: typing,
    // typing it back, a list command and its undo, an option's field, a save.
    void titleMarksUnsavedChanges()
    {
        MainFormHarness harness;
        QCOMPARE(harness.Title(), QStringLiteral("Quarn Editor"));
        harness.Open(harness.WriteFile(QStringLiteral("tool.Quarn"),
                                       "[Quarn]\r\nName=Tool\r\n[Input]\r\nType=String\r\n"));
        QCOMPARE(harness.Title(), TitleFor("tool.Quarn"));
        Append(harness, "Name", QStringLiteral("!"));
        QCOMPARE(harness.Title(), TitleFor("tool.Quarn*"));
        QTest::keyClick(harness.Edit("Name"), Qt::Key_Backspace);
        QCOMPARE(harness.Title(), TitleFor("tool.Quarn"));

        harness.FocusOptionList();
        Press(Qt::Key_Insert);
        QCOMPARE(harness.Title(), TitleFor("tool.Quarn*"));
        harness.Trigger("EditUndo");
        QCOMPARE(harness.Title(), TitleFor("tool.Quarn"));
        QTest::keyClicks(harness.Edit("Format"), QStringLiteral("-i %s"));
        QCOMPARE(harness.Title(), TitleFor("tool.Quarn*"));
        harness.Trigger("FileSave");
        QCOMPARE(harness.Title(), TitleFor("tool.Quarn"));
        QVERIFY(!IsModified(harness));
    }

    // --- Adopting a program ------------------------------------------------

    void openingAProgramAdoptsIt()
    {
        MainFormHarness harness;
        QTest::keyClicks(harness.Edit("Name"), QStringLiteral("Kept"));
        const QString program = harness.PathOf(QStringLiteral("tool.exe"));
        harness.dialogs.promptAnswers.append(PromptAnswer::No);
        harness.Open(program);

        QCOMPARE(harness.Edit("Program")->text(), program);
        QCOMPARE(harness.Edit("Name")->text(), QStringLiteral("Kept"));
        QCOMPARE(harness.Title(), TitleFor("tool.Quarn*"));
        const QString definition = harness.PathOf(QStringLiteral("tool.Quarn"));
        QCOMPARE(Recent(harness), QStringList{definition});
        QVERIFY(IsModified(harness));
        // Save writes the definition file beside the program without asking.
        Press(harness, Qt::Key_S, Qt::ControlModifier);
        QCOMPARE(harness.dialogs.Count(Kind::File), 1);
        QCOMPARE(harness.ReadFile(QStringLiteral("tool.Quarn")),
                 QByteArray("[Quarn]\r\nName=Kept\r\nProgram=") + program.toUtf8() + "\r\n");
    }

    void adoptingTheProgramAlreadyNamedIsNoChange()
    {
        MainFormHarness harness;
        const QString program = harness.PathOf(QStringLiteral("tool.exe"));
        harness.Open(harness.WriteFile(QStringLiteral("a.Quarn"),
                                       "[Quarn]\r\nName=A\r\nProgram=" + program.toUtf8() +
                                           "\r\n[Opt]\r\nType=String\r\n"));
        harness.Open(program);
        QCOMPARE(harness.dialogs.Count(Kind::Prompt), 0);
        QCOMPARE(QString::fromStdString(harness.Document().Path),
                 harness.PathOf(QStringLiteral("tool.Quarn")));
        QCOMPARE(harness.List("OptionList")->count(), 1);
        QVERIFY(!IsModified(harness));
    }

    // --- The recent-files list ---------------------------------------------

    void recentListKeepsTheLastFourMostRecentFirst()
    {
        MainFormHarness harness;
        QVERIFY(!harness.Action("N2")->isVisible());
        for (const QString& name : QuarnFiles({"a", "b", "c", "d", "e"}))
            harness.Open(harness.WriteFile(name, WithoutOptions));
        QVERIFY(harness.Action("N2")->isVisible());
        QCOMPARE(RecentCaptions(harness), QuarnFiles({"e", "d", "c", "b"}));
        QCOMPARE(Recent(harness), PathsOf(harness, QuarnFiles({"e", "d", "c", "b"})));

        // A file already listed moves to the front, the others keep their order.
        harness.Open(harness.PathOf(QStringLiteral("c.Quarn")));
        harness.Open(harness.PathOf(QStringLiteral("c.Quarn")));
        QCOMPARE(RecentCaptions(harness), QuarnFiles({"c", "e", "d", "b"}));
        QCOMPARE(Recent(harness), PathsOf(harness, QuarnFiles({"c", "e", "d", "b"})));
    }

    void recentItemOpensItsSlot_data()
    {
        QTest::addColumn<QString>("item");
        QTest::addColumn<QString>("name");
        QTest::newRow("OldIni1") << QStringLiteral("OldIni1") << QStringLiteral("d");
        QTest::newRow("OldIni2") << QStringLiteral("OldIni2") << QStringLiteral("c");
        QTest::newRow("OldIni3") << QStringLiteral("OldIni3") << QStringLiteral("b");
        QTest::newRow("OldIni4") << QStringLiteral("OldIni4") << QStringLiteral("a");
    }

    void recentItemOpensItsSlot()
    {
        QFETCH(QString, item);
        QFETCH(QString, name);
        MainFormHarness harness;
        for (const char* file : {"a", "b", "c", "d"}) {
            harness.Open(harness.WriteFile(QLatin1String(file) + QStringLiteral(".Quarn"),
                                           "[Quarn]\r\nName=" + QByteArray(file) + "\r\n"));
        }
        harness.Trigger("FileNew");
        harness.Control<QAction>(qPrintable(item))->trigger();
        QCOMPARE(harness.Edit("Name")->text(), name);
        QCOMPARE(RecentCaptions(harness).constFirst(), name + QStringLiteral(".Quarn"));
    }

    void recentFileThatIsGone_data()
    {
        QTest::addColumn<bool>("modified");
        QTest::newRow("saved document") << false;
        QTest::newRow("modified document, No") << true;
    }

    void recentFileThatIsGone()
    {
        QFETCH(bool, modified);
        MainFormHarness harness;
        harness.Open(harness.WriteFile(QStringLiteral("a.Quarn"), "[Quarn]\r\nName=A\r\n"));
        harness.Open(harness.WriteFile(QStringLiteral("b.Quarn"), "[Quarn]\r\nName=B\r\n"));
        QVERIFY(QFile::remove(harness.PathOf(QStringLiteral("a.Quarn"))));
        if (modified) {
            Append(harness, "Name", QStringLiteral("!"));
            harness.dialogs.promptAnswers.append(PromptAnswer::No);
        }
        harness.Trigger("OldIni2");

        QCOMPARE(harness.dialogs.Count(Kind::Prompt), modified ? 1 : 0);
        QCOMPARE(harness.dialogs.Count(Kind::Error), 0);
        QCOMPARE(harness.Edit("Name")->text(),
                 modified ? QStringLiteral("B!") : QStringLiteral("B"));
        QCOMPARE(harness.Title(), TitleFor(modified ? "b.Quarn*" : "b.Quarn"));
        QCOMPARE(RecentCaptions(harness), QuarnFiles({"b", "a"}));
        QCOMPARE(IsModified(harness), modified);
    }

    void closingStoresTheList_data()
    {
        QTest::addColumn<int>("files");
        QTest::newRow("four files") << 4;
        QTest::newRow("two files") << 2;
    }

    void closingStoresTheList()
    {
        QFETCH(int, files);
        MainFormHarness harness;
        // Values beyond the list's end were put there by someone else.
        harness.platform.settings = {{QStringLiteral("Previous/2"), QStringLiteral("/old/2")},
                                     {QStringLiteral("Previous/3"), QStringLiteral("/old/3")}};
        QHash<QString, QString> expected = harness.platform.settings;
        for (int i = 0; i < files; ++i) {
            const QString name = QString::number(i) + QStringLiteral(".Quarn");
            harness.Open(harness.WriteFile(name, WithoutOptions));
            expected.insert(QStringLiteral("Previous/") + QString::number(files - 1 - i),
                            harness.PathOf(name));
        }
        harness.Trigger("FileExit");
        QCOMPARE(harness.platform.settings, expected);
    }

    // --- Go --------------------------------------------------------------

    void go_data()
    {
        QTest::addColumn<bool>("named");
        QTest::addColumn<bool>("edited");
        QTest::addColumn<PromptAnswer>("answer");
        QTest::addColumn<QString>("file");
        QTest::addColumn<QByteArray>("bytes"); // of file afterwards; empty: none
        QTest::addColumn<bool>("launched");
        const auto row = [](const char* name, bool named, bool edited, PromptAnswer answer,
                            const char* file, const QByteArray& bytes, bool launched) {
            QTest::newRow(name) << named << edited << answer << QString::fromLatin1(file) << bytes
                                << launched;
        };
        const QByteArray original = "[Quarn]\r\nProgram=/bin/tool\r\n";
        const QByteArray edited = "[Quarn]\r\nName=X\r\nProgram=/bin/tool\r\n";
        const PromptAnswer Yes = PromptAnswer::Yes, No = PromptAnswer::No;
        row("saved: launches at once", true, false, No, "tool.Quarn", original, true);
        row("modified, Yes: saves and launches", true, true, Yes, "tool.Quarn", edited, true);
        row("modified, No: no launch", true, true, No, "tool.Quarn", original, false);
        row("modified, Cancel: no launch", true, true, PromptAnswer::Cancel, "tool.Quarn", original,
            false);
        row("new, Yes: saves as and launches", false, true, Yes, "out.Quarn", original, true);
        row("new, No: no launch", false, true, No, "out.Quarn", QByteArray(), false);
    }

    void go()
    {
        QFETCH(bool, named);
        QFETCH(bool, edited);
        QFETCH(PromptAnswer, answer);
        QFETCH(QString, file);
        QFETCH(QByteArray, bytes);
        QFETCH(bool, launched);
        MainFormHarness harness;
        if (named) {
            harness.Open(harness.WriteFile(file, "[Quarn]\r\nProgram=/bin/tool\r\n"));
            if (edited)
                QTest::keyClicks(harness.Edit("Name"), QStringLiteral("X"));
        } else {
            QTest::keyClicks(harness.Edit("Program"), QStringLiteral("/bin/tool"));
            if (answer == PromptAnswer::Yes)
                harness.dialogs.fileAnswers.append(harness.PathOf(QStringLiteral("out.txt")));
        }
        if (edited)
            harness.dialogs.promptAnswers.append(answer);
        Press(harness, Qt::Key_G, Qt::ControlModifier);

        QCOMPARE(harness.dialogs.Count(Kind::Prompt), edited ? 1 : 0);
        QCOMPARE(harness.platform.openedDocuments,
                 launched ? QStringList{harness.PathOf(file)} : QStringList());
        QCOMPARE(harness.ReadFile(file), bytes);
    }

    void goFollowsTheProgramField()
    {
        MainFormHarness harness;
        QLineEdit* program = harness.Edit("Program");
        program->setFocus();
        QTest::keyClick(program, Qt::Key_X);
        QVERIFY(harness.Action("Go")->isEnabled());
        QVERIFY(harness.Button("Hide")->isEnabled());
        QTest::keyClick(program, Qt::Key_Backspace);
        QVERIFY(!harness.Action("Go")->isEnabled());
        QVERIFY(!harness.Button("Hide")->isEnabled());
        // The key of a disabled command does nothing.
        Press(harness, Qt::Key_G, Qt::ControlModifier);

        // A program that was never saved anywhere, with nothing to save:
        // there is no file to launch.
        program->setText(QStringLiteral("/bin/tool"));
        harness.Form().CollectDocument();
        harness.Document().MarkSaved();
        harness.Trigger("Go");
        QCOMPARE(harness.dialogs.shown.size(), 0);
        QVERIFY(harness.platform.openedDocuments.isEmpty());
    }

    // Go never starts a second editor: the desktop's application when it is
    // another one, else the launcher beside the editor, else a message.
    void goChoosesWhatRunsTheFile_data()
    {
        QTest::addColumn<QString>("application");
        QTest::addColumn<bool>("launcherThere");
        QTest::addColumn<bool>("launcherStarts");
        QTest::addColumn<QList<PromptAnswer>>("prompt"); // empty: the document is saved
        // "opened", "launcher", "none" or "error: " and how the message ends
        QTest::addColumn<QString>("outcome");
        const auto row = [](const char* name, const char* application, bool there, bool starts,
                            QList<PromptAnswer> prompt, const char* outcome) {
            QTest::newRow(name) << QString::fromUtf8(application) << there << starts << prompt
                                << QString::fromUtf8(outcome);
        };
        const char* editor = "org.example.QuarnEd.desktop";
        row("another application opens it", "quarn-launcher.desktop", true, true, {}, "opened");
        row("another program (Windows)", "C:\\Quarn\\QuarnExe.exe", false, true, {}, "opened");
        row("the editor's entry: the launcher", editor, true, true, {}, "launcher");
        row("the editor's program in any case", "C:\\Tools\\quarned.EXE", true, true, {},
            "launcher");
        row("no application: the launcher", "", true, true, {}, "launcher");
        row("the editor, no launcher", editor, false, true, {}, "error: was not found.");
        row("no application, no launcher", "", false, true, {}, "error: was not found.");
        row("launcher does not start", editor, true, false, {}, "error: could not be started.");
        row("modified, Yes: saved, then the launcher", editor, true, true, {PromptAnswer::Yes},
            "launcher");
        row("modified, No: nothing", editor, true, true, {PromptAnswer::No}, "none");
        row("modified, Cancel: nothing", editor, false, true, {PromptAnswer::Cancel}, "none");
    }

    void goChoosesWhatRunsTheFile()
    {
        QFETCH(QString, application);
        QFETCH(bool, launcherThere);
        QFETCH(bool, launcherStarts);
        QFETCH(QList<PromptAnswer>, prompt);
        QFETCH(QString, outcome);
        MainFormHarness harness;
        const QString file = harness.WriteFile(QStringLiteral("tool.Quarn"), WithoutOptions);
        const QString launcher = harness.PathOf(QStringLiteral("QuarnExe"));
        if (launcherThere)
            harness.WriteFile(QStringLiteral("QuarnExe"), "#!/bin/sh\n");
        harness.platform.defaultApplication = application;
        harness.platform.startSucceeds = launcherStarts;
        harness.Open(file);
        if (!prompt.isEmpty())
            Append(harness, "Name", QStringLiteral("X"));
        harness.dialogs.promptAnswers = prompt;
        Press(harness, Qt::Key_G, Qt::ControlModifier);

        QVERIFY(harness.dialogs.AllAnswersUsed());
        QCOMPARE(harness.platform.openedDocuments,
                 outcome == QLatin1String("opened") ? QStringList{file} : QStringList());
        const bool tried = outcome == QLatin1String("launcher") ||
                           (outcome.startsWith(QLatin1String("error")) && launcherThere);
        const QList<QStringList> started = {{launcher, file}};
        QCOMPARE(harness.platform.startedPrograms, tried ? started : QList<QStringList>());
        if (outcome.startsWith(QLatin1String("error: "))) {
            const FakeDialogs::Shown error = harness.dialogs.Last(Kind::Error);
            QCOMPARE(error.caption, QStringLiteral("Quarn Editor"));
            QCOMPARE(error.text, QStringLiteral("Cannot launch ") + file +
                                     QStringLiteral(":\nno application but this editor opens "
                                                    "definition files, and the launcher\n") +
                                     launcher + QLatin1Char('\n') + outcome.mid(7));
        } else {
            QCOMPARE(harness.dialogs.Count(Kind::Error), 0);
        }
    }

    // --- Help ------------------------------------------------------------

    void helpFileBesideTheEditor_data()
    {
        QTest::addColumn<QString>("executable");
        QTest::addColumn<QString>("help");
        const auto row = [](const char* name, const char* executable, const char* help) {
            QTest::newRow(name) << QString::fromUtf8(executable) << QString::fromUtf8(help);
        };
        row("standard name", "/opt/q/QuarnEd.exe", "/opt/q/Quarn.chm");
        row("capitals", "/opt/q/QUARNED.EXE", "/opt/q/QUARN.chm");
        row("Windows path", "C:\\Q\\QuarnEd.exe", "C:\\Q\\Quarn.chm");
        row("no suffix", "/opt/q/QuarnEd", "/opt/q/Quarn.chm");
        row("other name, no suffix", "/usr/bin/quarned", "/usr/bin/Quarn.chm");
    }

    void helpFileBesideTheEditor()
    {
        QFETCH(QString, executable);
        QFETCH(QString, help);
        TestPlatform platform;
        platform.executablePath = executable;
        FakeDialogs dialogs;
        const TMainForm form(platform, dialogs, {});
        QCOMPARE(form.HelpPath().Text(), help);
    }

    void helpCommands()
    {
        MainFormHarness harness;
        // Where the compiled help file has a viewer (Windows), it serves.
        harness.platform.compiledHelp = true;
        const QString help = harness.PathOf(QStringLiteral("Quarn.chm"));
        QCOMPARE(harness.Form().HelpPath().Text(), help);
        Press(harness, Qt::Key_F1);
        harness.Trigger("HelpSearch");
        QCOMPARE(
            harness.platform.helpRequests,
            (QList<QPair<QString, HelpView>>{{help, HelpView::Contents}, {help, HelpView::Index}}));

        QDialog about;
        about.setWindowTitle(QStringLiteral("About"));
        harness.Form().AttachAboutBox(about);
        Press(harness, Qt::Key_F1, Qt::ControlModifier | Qt::ShiftModifier);
        QCOMPARE(harness.dialogs.Count(Kind::Modal), 1);
        QCOMPARE(harness.dialogs.Last(Kind::Modal).caption, QStringLiteral("About"));
    }

    // --- File names that are not UTF-8 ------------------------------------

    void nameThatIsNotUtf8KeepsItsBytes()
    {
#ifdef Q_OS_WIN
        QSKIP("Windows names are UTF-16");
#endif
        MainFormHarness scratch;
        const QByteArray bytes = EncodeFileName(scratch.PathOf(QString())) + "/caf\xe9.Quarn";
        std::ofstream(bytes.toStdString(), std::ios::binary) << WithoutOptions.toStdString();
        const QString name = DecodeFileName(bytes);
        {
            // Opened from the command line, saved, listed and stored as it is.
            MainFormHarness harness({name});
            QCOMPARE(QByteArray::fromStdString(harness.Document().Path), bytes);
            QCOMPARE(harness.Title(), QStringLiteral("Quarn Editor - caf\\xE9.Quarn"));
            Append(harness, "Name", QStringLiteral("!"));
            Press(harness, Qt::Key_S, Qt::ControlModifier);
            QVERIFY(!IsModified(harness));
            QVERIFY(harness.Form().close());
            QCOMPARE(harness.platform.settings.value(QStringLiteral("Previous/0")), name);
        }
        std::ifstream saved(bytes.toStdString(), std::ios::binary);
        QCOMPARE(QByteArray::fromStdString(std::string(std::istreambuf_iterator<char>(saved), {})),
                 QByteArray(WithoutOptions).replace("Bare", "Bare!"));
        std::filesystem::remove(bytes.toStdString());
    }
};

QTEST_MAIN(FileCommandsTest)
#include "FileCommandsTest.moc"
