#include "system/ExecutableSearch.h"

#include "system/SearchForm.h"
#include "tests/support/TestPlatform.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <algorithm>
#include <functional>

namespace {

const QString ScriptRoot = QStringLiteral("/scan/");

// The real file system, or a scripted tree; fixed drives and the program
// lookup answered by the test.
class ScanPlatform : public TestPlatform
{
public:
    QStringList roots{ScriptRoot};
    QHash<QString, QString> executables; // name -> program
    QStringList executableRequests;      // "name in folder"
    // Scripted folders, in listing order; a folder not in it cannot be read.
    std::optional<QHash<QString, std::vector<FolderEntry>>> script;
    QStringList listed;
    std::function<void(const QString&)> onList;

    std::vector<FilePath> FixedDriveRoots() override
    {
        std::vector<FilePath> paths;
        for (const QString& root : roots)
            paths.push_back(FilePath::FromText(root));
        return paths;
    }

    FilePath FindExecutable(const FilePath& name, const FilePath& folder) override
    {
        executableRequests.append(name.Text() + QStringLiteral(" in ") + folder.Text());
        return FilePath::FromText(executables.value(name.Text()));
    }

    bool ListFolder(const FilePath& path, std::vector<FolderEntry>& entries) override
    {
        const QString folder = path.Text();
        listed.append(folder);
        if (onList)
            onList(folder);
        if (!script)
            return TestPlatform::ListFolder(path, entries);
        const auto found = script->constFind(folder);
        if (found == script->constEnd())
            return false;
        entries = *found;
        return true;
    }

    // Paths below ScriptRoot: "A/B/file" or "A/B/" for a folder; entries are
    // listed in the order they first appear; a folder marked "!" is unreadable.
    void Script(const QStringList& paths)
    {
        script.emplace();
        (*script)[ScriptRoot];
        for (const QString& path : paths) {
            QString folder = ScriptRoot;
            const QStringList parts = path.split(QLatin1Char('/'));
            for (qsizetype i = 0; i < parts.size() && !parts.at(i).isEmpty(); ++i) {
                QString name = parts.at(i);
                const bool isFolder = i + 1 < parts.size();
                const bool unreadable = name.endsWith(QLatin1Char('!'));
                name.remove(QLatin1Char('!'));
                std::vector<FolderEntry>& entries = (*script)[folder];
                if (std::none_of(entries.cbegin(), entries.cend(), [name](const FolderEntry& e) {
                        return e.name == name.toStdString();
                    }))
                    entries.push_back({name.toStdString(), isFolder, !isFolder});
                folder += name + QLatin1Char('/');
                if (isFolder && unreadable)
                    break;
                if (isFolder)
                    (*script)[folder];
            }
        }
    }
};

bool MakeFile(const QString& path)
{
    QFile file(path);
    return QDir().mkpath(QFileInfo(path).path()) && file.open(QIODevice::WriteOnly);
}

// A click as the window system delivers it, so that modal windows block it.
void ClickOnScreen(QWidget* widget)
{
    QTest::mouseClick(widget->window()->windowHandle(), Qt::LeftButton, {},
                      widget->mapTo(widget->window(), widget->rect().center()));
}

void KeyOnScreen(QWidget* window, Qt::Key key)
{
    QTest::keyClick(window->windowHandle(), key);
}

} // namespace

class ExecutableSearchTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void scanOrder_data();
    void scanOrder();
    void realTree_data();
    void realTree();
    void drivesInOrder();
    void presetSteps_data();
    void presetSteps();
    void stopDuringScan_data();
    void stopDuringScan();
    void userKeptInSearchWindow();

private:
    QWidget mainWindow;
};

void ExecutableSearchTest::scanOrder_data()
{
    QTest::addColumn<QStringList>("tree");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected"); // below ScriptRoot; empty for no hit
    QTest::addColumn<QStringList>("listed");

    const QString tool = QStringLiteral("tool.exe");
    QTest::newRow("own file before subfolders")
        << QStringList{QStringLiteral("A/tool.exe"), tool} << tool << tool << QStringList{};
    QTest::newRow("depth first in listing order")
        << QStringList{QStringLiteral("B/deep/tool.exe"), QStringLiteral("A/tool.exe")} << tool
        << QStringLiteral("B/deep/tool.exe")
        << QStringList{QStringLiteral("B/"), QStringLiteral("B/deep/")};
    QTest::newRow("first hit ends the scan")
        << QStringList{QStringLiteral("Z/more/x"), QStringLiteral("Z/tool.exe"),
                       QStringLiteral("Y/tool.exe")}
        << tool << QStringLiteral("Z/tool.exe") << QStringList{QStringLiteral("Z/")};
    QTest::newRow("first matching file in listing order")
        << QStringList{QStringLiteral("tool-b.exe"), QStringLiteral("tool-a.exe")}
        << QStringLiteral("TOOL-?.exe") << QStringLiteral("tool-b.exe") << QStringList{};
    QTest::newRow("letter case as stored")
        << QStringList{QStringLiteral("Sub/ToOl.ExE")} << tool << QStringLiteral("Sub/ToOl.ExE")
        << QStringList{QStringLiteral("Sub/")};
    QTest::newRow("a folder of that name is no hit")
        << QStringList{QStringLiteral("tool.exe/inner/")} << tool << QString()
        << QStringList{QStringLiteral("tool.exe/"), QStringLiteral("tool.exe/inner/")};
    QTest::newRow("unreadable folder skipped")
        << QStringList{QStringLiteral("Locked!/"), QStringLiteral("Open/tool.exe")} << tool
        << QStringLiteral("Open/tool.exe")
        << QStringList{QStringLiteral("Locked/"), QStringLiteral("Open/")};
}

void ExecutableSearchTest::scanOrder()
{
    QFETCH(QStringList, tree);
    QFETCH(QString, name);
    QFETCH(QString, expected);
    QFETCH(QStringList, listed);

    ScanPlatform platform;
    platform.Script(tree);
    TSearchForm form;
    ExecutableSearch search(platform, form);

    QCOMPARE(search.SearchFolder(FilePath::FromText(ScriptRoot), name), !expected.isEmpty());
    if (!expected.isEmpty())
        QCOMPARE(search.State().FoundPath.Text(), ScriptRoot + expected);
    QStringList expectedListed{ScriptRoot};
    for (const QString& folder : listed)
        expectedListed.append(ScriptRoot + folder);
    QCOMPARE(platform.listed, expectedListed);
}

void ExecutableSearchTest::realTree_data()
{
    // Paths below the scanned folder; "name -> target" makes a link, and
    // "../" reaches outside the scanned folder.
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("expected");

    QTest::newRow("own file before subfolders")
        << QStringList{QStringLiteral("A/tool.exe"), QStringLiteral("tool.exe")}
        << QStringLiteral("tool.exe") << QStringLiteral("tool.exe");
    QTest::newRow("letter case as stored")
        << QStringList{QStringLiteral("Sub/ToOl.ExE")} << QStringLiteral("tool.exe")
        << QStringLiteral("Sub/ToOl.ExE");
    QTest::newRow("hidden files and folders")
        << QStringList{QStringLiteral(".config/.tool")} << QStringLiteral(".TOOL")
        << QStringLiteral(".config/.tool");
    QTest::newRow("link cycle not followed")
        << QStringList{QStringLiteral("A/loop -> .."), QStringLiteral("A/x")}
        << QStringLiteral("tool.exe") << QString();
    QTest::newRow("link to a folder not entered")
        << QStringList{QStringLiteral("../outside/tool.exe"), QStringLiteral("ext -> ../outside")}
        << QStringLiteral("tool.exe") << QString();
    QTest::newRow("link to a file found")
        << QStringList{QStringLiteral("../outside/real.bin"),
                       QStringLiteral("tool.exe -> ../outside/real.bin")}
        << QStringLiteral("tool.exe") << QStringLiteral("tool.exe");
    // Only files are programs: a folder, a link to one (as /bin often is) or
    // a link that leads nowhere is passed over for a file further on.
    QTest::newRow("folders and links to folders are no hit")
        << QStringList{QStringLiteral("bin/x"), QStringLiteral("a/bin -> ../bin"),
                       QStringLiteral("a/b/bin -> ../../../outside"),
                       QStringLiteral("a/c/bin -> missing"), QStringLiteral("../outside/x")}
        << QStringLiteral("bin") << QString();
    QTest::newRow("file after a link to a folder")
        << QStringList{QStringLiteral("a/bin -> ../bin/"), QStringLiteral("bin/BIN")}
        << QStringLiteral("bin") << QStringLiteral("bin/BIN");
}

void ExecutableSearchTest::realTree()
{
    QFETCH(QStringList, files);
    QFETCH(QString, name);
    QFETCH(QString, expected);

    QTemporaryDir temporary;
    const QString root = temporary.path() + QStringLiteral("/tree/");
    QVERIFY(QDir().mkpath(root));
    for (const QString& file : files) {
        const QStringList link = file.split(QStringLiteral(" -> "));
        if (link.size() == 2) {
            QVERIFY(QDir().mkpath(QFileInfo(root + link.at(0)).path()));
            QVERIFY(QFile::link(link.at(1), root + link.at(0)));
        } else {
            QVERIFY(MakeFile(root + file));
        }
    }

    ScanPlatform platform;
    TSearchForm form;
    ExecutableSearch search(platform, form);
    QCOMPARE(search.SearchFolder(FilePath::FromText(root), name), !expected.isEmpty());
    if (!expected.isEmpty())
        QCOMPARE(search.State().FoundPath.Text(), root + expected);
}

void ExecutableSearchTest::drivesInOrder()
{
    ScanPlatform platform;
    platform.Script({QStringLiteral("tool.exe")});
    platform.roots = QStringList{QStringLiteral("/gone/"), QStringLiteral("/empty/"), ScriptRoot};
    (*platform.script)[QStringLiteral("/empty/")];
    TSearchForm form;
    ExecutableSearch search(platform, form);

    QVERIFY(search.SearchFixedDrives(QStringLiteral("tool.exe")));
    QCOMPARE(search.State().FoundPath.Text(), ScriptRoot + QStringLiteral("tool.exe"));
    QCOMPARE(platform.listed, platform.roots);
    QVERIFY(!search.SearchFixedDrives(QStringLiteral("other.exe")));
}

void ExecutableSearchTest::presetSteps_data()
{
    QTest::addColumn<QString>("programText");
    QTest::addColumn<QString>("executable"); // the platform's program for the name
    QTest::addColumn<QString>("expected");
    QTest::addColumn<QStringList>("requests");
    QTest::addColumn<bool>("scanned");

    const QString cwd = QStringLiteral("/work/here");
    const QString program = QStringLiteral("/usr/bin/tool");
    const QString tree = QStringLiteral("TREE/"); // stands for the scanned folder
    QTest::newRow("empty") << QString() << program << QString() << QStringList() << false;
    QTest::newRow("existing file") << tree + QStringLiteral("tool.exe") << program
                                   << tree + QStringLiteral("tool.exe") << QStringList() << false;
    QTest::newRow("existing folder asks the platform")
        << tree + QStringLiteral("Sub") << program << program
        << QStringList{QStringLiteral("Sub in ") + cwd} << false;
    QTest::newRow("gone path, backslashes")
        << QStringLiteral("D:\\old\\tool.exe") << program << program
        << QStringList{QStringLiteral("tool.exe in ") + cwd} << false;
    QTest::newRow("gone path, drive only")
        << QStringLiteral("D:tool.exe") << program << program
        << QStringList{QStringLiteral("tool.exe in ") + cwd} << false;
    QTest::newRow("no program: scan finds it")
        << QStringLiteral("/old/bin/TOOL.EXE") << QString() << tree + QStringLiteral("tool.exe")
        << QStringList{QStringLiteral("TOOL.EXE in ") + cwd} << true;
    QTest::newRow("no program, nothing found")
        << QStringLiteral("/old/bin/nothing") << QString() << QStringLiteral("/old/bin/nothing")
        << QStringList{QStringLiteral("nothing in ") + cwd} << true;
    QTest::newRow("no name, nothing to scan for")
        << QStringLiteral("/old/bin/") << QString() << QStringLiteral("/old/bin/")
        << QStringList{QStringLiteral(" in ") + cwd} << false;
}

void ExecutableSearchTest::presetSteps()
{
    QFETCH(QString, programText);
    QFETCH(QString, executable);
    QFETCH(QString, expected);
    QFETCH(QStringList, requests);
    QFETCH(bool, scanned);

    QTemporaryDir temporary;
    const QString tree = temporary.path() + QLatin1Char('/');
    QVERIFY(MakeFile(tree + QStringLiteral("tool.exe")));
    QVERIFY(QDir().mkpath(tree + QStringLiteral("Sub")));
    programText.replace(QStringLiteral("TREE/"), tree);
    expected.replace(QStringLiteral("TREE/"), tree);

    ScanPlatform platform;
    platform.currentDirectory = QStringLiteral("/work/here");
    platform.roots = QStringList{tree};
    const QString programName = FilePath::FromText(programText).FileName().Text();
    platform.executables.insert(programName, executable);
    QString caption;
    platform.onList = [&](const QString&) {
        caption = QApplication::activeModalWidget()
                      ? QApplication::activeModalWidget()->windowTitle()
                      : QStringLiteral("not modal");
    };
    TSearchForm form(&mainWindow);
    ExecutableSearch search(platform, form);

    QCOMPARE(search.DialogPresetFor(FilePath::FromText(programText)),
             std::optional<FilePath>(FilePath::FromText(expected)));
    QCOMPARE(platform.executableRequests, requests);
    QCOMPARE(!platform.listed.isEmpty(), scanned);
    if (scanned) {
        QCOMPARE(caption, QStringLiteral("Searching ") + programName + QStringLiteral(" in"));
    }
    QVERIFY(!form.isVisible());
    QVERIFY(!search.State().SearchRunning);
}

void ExecutableSearchTest::stopDuringScan_data()
{
    QTest::addColumn<QString>("press"); // a button, or a key in the search window
    QTest::addColumn<bool>("dialog");   // the open dialog follows, on the field's text

    QTest::newRow("Browse") << QStringLiteral("Browse") << true;
    QTest::newRow("Cancel") << QStringLiteral("Cancel") << false;
    QTest::newRow("Enter") << QStringLiteral("Enter") << true;
    QTest::newRow("Escape") << QStringLiteral("Escape") << false;
    QTest::newRow("close request") << QStringLiteral("close") << false;
}

void ExecutableSearchTest::stopDuringScan()
{
    QFETCH(QString, press);
    QFETCH(bool, dialog);

    // A wide tree without a hit; the stop is asked for while /scan/B/ is listed.
    QStringList tree;
    for (const QChar folder : QStringLiteral("ABCDEFGH"))
        tree.append(QString(folder) + QStringLiteral("/sub/file"));
    ScanPlatform platform;
    platform.Script(tree);
    TSearchForm form(&mainWindow);
    ExecutableSearch search(platform, form);
    bool visibleWhileStopping = false;
    platform.onList = [&](const QString& folder) {
        if (folder != ScriptRoot + QStringLiteral("B/"))
            return;
        QTimer::singleShot(0, &form, [&] {
            if (press == QLatin1String("Enter"))
                KeyOnScreen(&form, Qt::Key_Return);
            else if (press == QLatin1String("Escape"))
                KeyOnScreen(&form, Qt::Key_Escape);
            else if (press == QLatin1String("close"))
                form.close();
            else
                ClickOnScreen(form.findChild<QPushButton*>(press));
            visibleWhileStopping = form.isVisible();
        });
    };

    const QString text = QStringLiteral("/old/tool.exe");
    const std::optional<FilePath> preset = search.DialogPresetFor(FilePath::FromText(text));
    QCOMPARE(preset, dialog ? std::optional<FilePath>(FilePath::FromText(text)) : std::nullopt);
    QVERIFY(visibleWhileStopping);
    QVERIFY(!form.isVisible());
    // The stop takes effect at the next folder visited, before it is listed.
    QCOMPARE(platform.listed.last(), ScriptRoot + QStringLiteral("B/"));
    QVERIFY(search.State().SearchStopped);
    QCOMPARE(search.State().BrowseRequested, dialog);
}

void ExecutableSearchTest::userKeptInSearchWindow()
{
    auto* command = new QPushButton(QStringLiteral("Executable"), &mainWindow);
    int commandRuns = 0;
    connect(command, &QPushButton::clicked, this, [&commandRuns] { ++commandRuns; });
    mainWindow.show();
    QVERIFY(QTest::qWaitForWindowExposed(&mainWindow));

    ScanPlatform platform;
    platform.Script({QStringLiteral("A/"), QStringLiteral("B/")});
    TSearchForm form(&mainWindow);
    ExecutableSearch search(platform, form);
    QWidget* activeAfterLeaving = nullptr;
    platform.onList = [&](const QString& folder) {
        if (folder == ScriptRoot) {
            ClickOnScreen(command);
            mainWindow.activateWindow();
            QApplication::processEvents();
            activeAfterLeaving = QApplication::activeWindow();
        } else if (folder == ScriptRoot + QStringLiteral("A/")) {
            QTimer::singleShot(0, &form, [&form] {
                ClickOnScreen(form.findChild<QPushButton*>(QStringLiteral("Cancel")));
            });
        }
    };

    QCOMPARE(search.DialogPresetFor(FilePath("/old/tool.exe")), std::nullopt);
    QCOMPARE(commandRuns, 0);
    QCOMPARE(activeAfterLeaving, &form);
    // Once the scan is over the main window is the user's again.
    ClickOnScreen(command);
    QCOMPARE(commandRuns, 1);
    delete command;
}

QTEST_MAIN(ExecutableSearchTest)
#include "ExecutableSearchTest.moc"
