#include "system/ProgramHider.h"

#include "tests/support/FakeDialogs.h"
#include "tests/support/TestPlatform.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <QWidget>

namespace {

#ifdef Q_OS_WIN
const QString ExecutableSuffix = QStringLiteral(".exe");
#else
const QString ExecutableSuffix;
#endif

const QByteArray ProgramText = "#!/bin/sh\necho program\n";
const QByteArray LauncherText = "#!/bin/sh\necho launcher\n";

// The real file system, with faults the test switches on and a record of
// the attribute calls (which do nothing on Linux).
class FaultyPlatform : public TestPlatform
{
public:
    bool copyFails = false;
    QString appearsBeforeCopy; // a file someone else creates just before the copy
    bool deleteFails = false;
    bool renameFails = false;
    QStringList hidden;
    QStringList cleared;

    bool CopyFile(const FilePath& from, const FilePath& to) override
    {
        if (!appearsBeforeCopy.isEmpty())
            WriteFile(appearsBeforeCopy, "intruder");
        return !copyFails && TestPlatform::CopyFile(from, to);
    }
    bool DeleteFile(const FilePath& path) override
    {
        return !deleteFails && TestPlatform::DeleteFile(path);
    }
    bool RenameFile(const FilePath& from, const FilePath& to) override
    {
        return !renameFails && TestPlatform::RenameFile(from, to);
    }
    void AddHiddenAttribute(const FilePath& path) override
    {
        hidden.append(path.Text());
        TestPlatform::AddHiddenAttribute(path);
    }
    void ClearAttributes(const FilePath& path) override
    {
        cleared.append(path.Text());
        TestPlatform::ClearAttributes(path);
    }

    static void WriteFile(const QString& path, const QByteArray& content)
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    static void WriteFile(const FilePath& path, const QByteArray& content)
    {
        WriteFile(path.Text(), content);
    }
};

// A temporary folder with the editor and its launcher in editor/ and
// programs in bin/.
struct Workspace
{
    QTemporaryDir dir;
    FaultyPlatform platform;
    FakeDialogs dialogs;
    QWidget owner;
    ProgramHider hider{platform, dialogs, &owner};

    Workspace()
    {
        QDir(dir.path()).mkpath(QStringLiteral("editor"));
        QDir(dir.path()).mkpath(QStringLiteral("bin"));
        platform.executablePath = Path(QStringLiteral("editor/QuarnEd") + ExecutableSuffix);
        WriteExecutable(Launcher(), LauncherText);
    }

    QString Path(const QString& name) const { return dir.filePath(name); }
    QString Launcher() const { return Path(QStringLiteral("editor/QuarnExe") + ExecutableSuffix); }
    HidePaths PathsFor(const QString& program) { return PathsFor(FilePath::FromText(program)); }
    HidePaths PathsFor(const FilePath& program)
    {
        return HidePathsFor(program, platform.ExecutablePath());
    }

    static void WriteExecutable(const QString& path, const QByteArray& content)
    {
        FaultyPlatform::WriteFile(path, content);
        QVERIFY(QFile::setPermissions(path, QFile::permissions(path) | QFile::ExeOwner));
    }
    static void WriteExecutable(const FilePath& path, const QByteArray& content)
    {
        WriteExecutable(path.Text(), content);
    }
    // The content of a file, or nothing when there is none.
    static QByteArray Content(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
    static QByteArray Content(const FilePath& path) { return Content(path.Text()); }
    static bool Executable(const QString& path)
    {
        return QFile::permissions(path).testFlag(QFile::ExeOwner);
    }
    static bool Executable(const FilePath& path) { return Executable(path.Text()); }

    // The texts of the messages shown, each checked to be an error box of
    // the hide owned by the window.
    QStringList Messages() const
    {
        QStringList texts;
        for (const FakeDialogs::Shown& shown : dialogs.shown) {
            if (shown.kind != FakeDialogs::Shown::Kind::Error ||
                shown.caption != QStringLiteral("Could not hide program") || shown.owner != &owner)
                return {QStringLiteral("not an error box of the hide: ") + shown.caption};
            texts.append(shown.text);
        }
        return texts;
    }
};

// Fills in the paths of a hide for "{P}", "{H}", "{O}" and "{L}".
QStringList Expand(QStringList texts, const HidePaths& paths)
{
    for (QString& text : texts) {
        text.replace(QStringLiteral("{P}"), paths.program.Text())
            .replace(QStringLiteral("{H}"), paths.hidden.Text())
            .replace(QStringLiteral("{O}"), paths.restored.Text())
            .replace(QStringLiteral("{L}"), paths.launcher.Text());
    }
    return texts;
}

} // namespace

class ProgramHiderTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void pathsOfProgram_data();
    void pathsOfProgram();
    void launcherBesideEditor_data();
    void launcherBesideEditor();
    void hideThenUndo_data();
    void hideThenUndo();
    void failedHide_data();
    void failedHide();
    void refusedUndo_data();
    void refusedUndo();
    void launcherCopyRemoved_data();
    void launcherCopyRemoved();
    void hiddenState_data();
    void hiddenState();
};

void ProgramHiderTest::pathsOfProgram_data()
{
    QTest::addColumn<QString>("program");
    QTest::addColumn<QString>("definition");
    QTest::addColumn<QString>("hidden");
    QTest::addColumn<QString>("restored");

    QTest::newRow("windows program")
        << QStringLiteral("C:\\Tools\\grep.exe") << QStringLiteral("C:\\Tools\\grep.Quarn")
        << QStringLiteral("C:\\Tools\\grep.Quarnexe") << QStringLiteral("C:\\Tools\\grep.");
    QTest::newRow("hidden windows program")
        << QStringLiteral("C:\\Tools\\grep.Quarnexe") << QStringLiteral("C:\\Tools\\grep.Quarn")
        << QStringLiteral("C:\\Tools\\grep.QuarnQuarnexe") << QStringLiteral("C:\\Tools\\grep.exe");
    QTest::newRow("hidden in capitals")
        << QStringLiteral("C:\\Tools\\GREP.QUARNEXE") << QStringLiteral("C:\\Tools\\GREP.Quarn")
        << QStringLiteral("C:\\Tools\\GREP.QuarnQUARNEXE") << QStringLiteral("C:\\Tools\\GREP.EXE");
    QTest::newRow("unix script") << QStringLiteral("/usr/local/bin/tool.sh")
                                 << QStringLiteral("/usr/local/bin/tool.Quarn")
                                 << QStringLiteral("/usr/local/bin/tool.Quarnsh")
                                 << QStringLiteral("/usr/local/bin/tool.");
    QTest::newRow("dot in a folder name")
        << QStringLiteral("C:\\my.tools\\grep.exe") << QStringLiteral("C:\\my.tools\\grep.Quarn")
        << QStringLiteral("C:\\my.tools\\grep.Quarnexe") << QStringLiteral("C:\\my.tools\\grep.");
    QTest::newRow("dot only in a folder name")
        << QStringLiteral("/opt/my.tools/run") << QStringLiteral("/opt/my.tools/run.Quarn")
        << QStringLiteral("/opt/my.tools/.run.hidden-by-Quarn")
        << QStringLiteral("/opt/my.tools/run");
    QTest::newRow("hidden without an extension")
        << QStringLiteral("/opt/tools/.grep.hidden-by-Quarn")
        << QStringLiteral("/opt/tools/grep.Quarn")
        << QStringLiteral("/opt/tools/.grep.Quarnhidden-by-Quarn")
        << QStringLiteral("/opt/tools/grep");
    QTest::newRow("lone dot") << QStringLiteral("/bin/x.") << QStringLiteral("/bin/x.Quarn")
                              << QStringLiteral("/bin/.x..hidden-by-Quarn")
                              << QStringLiteral("/bin/x.");
    QTest::newRow("a dot file is no hidden name")
        << QStringLiteral("/bin/.hidden-by-Quarn") << QStringLiteral("/bin/.Quarn")
        << QStringLiteral("/bin/.Quarnhidden-by-Quarn") << QStringLiteral("/bin/.n-by-Quarn");
    QTest::newRow("drive-relative")
        << QStringLiteral("C:grep.Quarnexe") << QStringLiteral("C:grep.Quarn")
        << QStringLiteral("C:grep.QuarnQuarnexe") << QStringLiteral("C:grep.exe");
    QTest::newRow("extension shorter than the mark")
        << QStringLiteral("/bin/x.Qu") << QStringLiteral("/bin/x.Quarn")
        << QStringLiteral("/bin/x.QuarnQu") << QStringLiteral("/bin/x.");
    QTest::newRow("letters beyond ASCII") << QString::fromUtf8("/home/jörg/prüf.Quarnübung")
                                          << QString::fromUtf8("/home/jörg/prüf.Quarn")
                                          << QString::fromUtf8("/home/jörg/prüf.QuarnQuarnübung")
                                          << QString::fromUtf8("/home/jörg/prüf.übung");
}

void ProgramHiderTest::pathsOfProgram()
{
    QFETCH(QString, program);
    const HidePaths paths = HidePathsFor(FilePath::FromText(program),
                                         FilePath::FromText(QStringLiteral("/opt/q/QuarnEd")));
    QCOMPARE(paths.program.Text(), program);
    QTEST(paths.definition.Text(), "definition");
    QTEST(paths.hidden.Text(), "hidden");
    QTEST(paths.restored.Text(), "restored");
}

void ProgramHiderTest::launcherBesideEditor_data()
{
    QTest::addColumn<QString>("editor");
    QTest::addColumn<QString>("launcher");

    QTest::newRow("unix") << QStringLiteral("/opt/q/QuarnEd") << QStringLiteral("/opt/q/QuarnExe");
    QTest::newRow("windows") << QStringLiteral("C:\\Program Files\\Quarn\\QuarnEd.exe")
                             << QStringLiteral("C:\\Program Files\\Quarn\\QuarnExe");
    QTest::newRow("dotted folder")
        << QStringLiteral("/opt/q.1/QuarnEd") << QStringLiteral("/opt/q.1/QuarnExe");
}

void ProgramHiderTest::launcherBesideEditor()
{
    QFETCH(QString, editor);
    QFETCH(QString, launcher);
    QCOMPARE(HidePathsFor(FilePath("/bin/tool.sh"), FilePath::FromText(editor)).launcher.Text(),
             launcher + ExecutableSuffix);
}

void ProgramHiderTest::hideThenUndo_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("with an extension") << QStringLiteral("grep.sh");
    QTest::newRow("without an extension") << QStringLiteral("grep");
}

void ProgramHiderTest::hideThenUndo()
{
    QFETCH(QString, name);
    Workspace files;
    const QString program = files.Path(QStringLiteral("bin/") + name);
    Workspace::WriteExecutable(program, ProgramText);
    const HidePaths hide = files.PathsFor(program);

    QVERIFY(files.hider.PutLauncherInPlace(hide));
    QCOMPARE(Workspace::Content(hide.hidden), ProgramText);
    QVERIFY(Workspace::Executable(hide.hidden));
    QCOMPARE(Workspace::Content(program), LauncherText);
    QVERIFY(Workspace::Executable(program));
    QCOMPARE(Workspace::Content(files.Launcher()), LauncherText);

    FaultyPlatform::WriteFile(hide.definition, "[Quarn]\r\n"); // what the save leaves
    files.hider.HideFiles(hide);
    QCOMPARE(files.platform.hidden, (QStringList{hide.hidden.Text(), hide.definition.Text()}));
    QVERIFY(files.hider.IsHiddenProgram(hide.hidden));
    QVERIFY(!files.hider.IsHiddenProgram(hide.program));

    const HidePaths undo = files.PathsFor(hide.hidden);
    QCOMPARE(undo.restored, hide.program);
    QCOMPARE(undo.definition, hide.definition);
    QVERIFY(files.hider.RestoreProgram(undo));
    QCOMPARE(Workspace::Content(program), ProgramText);
    QVERIFY(Workspace::Executable(program));
    QVERIFY(!QFile::exists(hide.hidden.Text()));
    QVERIFY(QFile::exists(hide.definition.Text()));
    QCOMPARE(files.platform.cleared, (QStringList{program, hide.definition.Text()}));
    QVERIFY(!files.hider.IsHiddenProgram(hide.hidden));
    QCOMPARE(files.Messages(), QStringList());
}

enum class CopyFault
{
    None,
    Fails,
    TargetReappears
};
Q_DECLARE_METATYPE(CopyFault)

void ProgramHiderTest::failedHide_data()
{
    QTest::addColumn<QString>("name"); // the program's name in bin/
    QTest::addColumn<bool>("programThere");
    QTest::addColumn<bool>("launcherThere");
    QTest::addColumn<bool>("hiddenThere"); // a stale file where the program would go
    QTest::addColumn<CopyFault>("copyFault");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<QByteArray>("atProgram"); // what P and H hold afterwards
    QTest::addColumn<QByteArray>("atHidden");

    const QString grep = QStringLiteral("grep.sh");
    QTest::newRow("launcher missing")
        << grep << true << false << false << CopyFault::None
        << QStringList{QStringLiteral("{L}\ndoes not exist")} << ProgramText << QByteArray();
    QTest::newRow("program missing")
        << grep << false << true << false << CopyFault::None
        << QStringList{QStringLiteral("{P}\ndoes not exist")} << QByteArray() << QByteArray();
    QTest::newRow("definition file as program")
        << QStringLiteral("grep.Quarn") << true << true << false << CopyFault::None
        << QStringList{QStringLiteral("{P}\nis a definition file and cannot be hidden")}
        << ProgramText << QByteArray();
    QTest::newRow("hidden name taken")
        << grep << true << true << true << CopyFault::None
        << QStringList{QStringLiteral("Could not rename\n{P}\nas\n{H}")} << ProgramText
        << QByteArrayLiteral("stale");
    QTest::newRow("copy fails, program put back")
        << grep << true << true << false << CopyFault::Fails
        << QStringList{QStringLiteral("Could not copy\n{L}\nto\n{P}")} << ProgramText
        << QByteArray();
    QTest::newRow("program name taken again, program stays hidden")
        << grep << true << true << false << CopyFault::TargetReappears
        << QStringList{QStringLiteral("Could not copy\n{L}\nto\n{P}"),
                       QStringLiteral("Could not rename\n{H}\nas\n{P}")}
        << QByteArrayLiteral("intruder") << ProgramText;
}

void ProgramHiderTest::failedHide()
{
    QFETCH(QString, name);
    QFETCH(bool, programThere);
    QFETCH(bool, launcherThere);
    QFETCH(bool, hiddenThere);
    QFETCH(CopyFault, copyFault);
    QFETCH(QStringList, messages);

    Workspace files;
    const HidePaths paths = files.PathsFor(files.Path(QStringLiteral("bin/") + name));
    if (programThere)
        Workspace::WriteExecutable(paths.program, ProgramText);
    if (!launcherThere)
        QVERIFY(QFile::remove(files.Launcher()));
    if (hiddenThere)
        FaultyPlatform::WriteFile(paths.hidden, "stale");
    files.platform.copyFails = copyFault == CopyFault::Fails;
    if (copyFault == CopyFault::TargetReappears)
        files.platform.appearsBeforeCopy = paths.program.Text();

    QVERIFY(!(files.hider.CanHide(paths) && files.hider.PutLauncherInPlace(paths)));
    QCOMPARE(files.Messages(), Expand(messages, paths));
    QTEST(Workspace::Content(paths.program), "atProgram");
    QTEST(Workspace::Content(paths.hidden), "atHidden");
    QCOMPARE(files.platform.hidden, QStringList());
}

void ProgramHiderTest::refusedUndo_data()
{
    QTest::addColumn<bool>("deleteFails");
    QTest::addColumn<QByteArray>("atRestored");

    // The launcher copy stays and blocks the rename.
    QTest::newRow("launcher copy cannot be deleted") << true << LauncherText;
    QTest::newRow("program cannot be renamed") << false << QByteArray();
}

void ProgramHiderTest::refusedUndo()
{
    QFETCH(bool, deleteFails);

    Workspace files;
    const QString program = files.Path(QStringLiteral("bin/grep.sh"));
    Workspace::WriteExecutable(program, ProgramText);
    QVERIFY(files.hider.PutLauncherInPlace(files.PathsFor(program)));

    const HidePaths undo = files.PathsFor(files.PathsFor(program).hidden);
    files.platform.deleteFails = deleteFails;
    files.platform.renameFails = !deleteFails;
    QVERIFY(!files.hider.RestoreProgram(undo));
    QCOMPARE(files.Messages(), Expand({QStringLiteral("Could not rename\n{P}\nas\n{O}")}, undo));
    QCOMPARE(Workspace::Content(undo.program), ProgramText);
    QTEST(Workspace::Content(undo.restored), "atRestored");
    QCOMPARE(files.platform.cleared, QStringList());
}

void ProgramHiderTest::launcherCopyRemoved_data()
{
    QTest::addColumn<bool>("rollback");        // taking back a hide, else the undo
    QTest::addColumn<QByteArray>("launcher");  // empty: no launcher
    QTest::addColumn<QByteArray>("atProgram"); // written over the copy; null: the copy
    QTest::addColumn<QStringList>("messages"); // none: the program is back at its name

    const QByteArray big(200 * 1024, 'x');
    const QByteArray bigChanged = QByteArray(big).replace(big.size() - 1, 1, "y");
    const QStringList leftInPlace{
        QStringLiteral("{P}\nis not the launcher copy and was left in place")};
    QTest::newRow("undo, copy") << false << LauncherText << QByteArray() << QStringList();
    QTest::newRow("undo, program updated since the hide")
        << false << LauncherText << QByteArrayLiteral("updated program") << leftInPlace;
    QTest::newRow("undo, same size, other bytes")
        << false << LauncherText << QByteArray(LauncherText).replace("launcher", "updated!")
        << leftInPlace;
    QTest::newRow("undo, large copy") << false << big << QByteArray() << QStringList();
    QTest::newRow("undo, large, differs in the last byte")
        << false << big << bigChanged << leftInPlace;
    QTest::newRow("undo, launcher gone") << false << QByteArray() << QByteArray()
                                         << QStringList{QStringLiteral("{L}\ndoes not exist")};
    QTest::newRow("rollback, copy") << true << LauncherText << QByteArray() << QStringList();
    QTest::newRow("rollback, copy replaced")
        << true << LauncherText << QByteArrayLiteral("someone else's") << leftInPlace;
}

void ProgramHiderTest::launcherCopyRemoved()
{
    QFETCH(bool, rollback);
    QFETCH(QByteArray, launcher);
    QFETCH(QByteArray, atProgram);
    QFETCH(QStringList, messages);

    Workspace files;
    Workspace::WriteExecutable(files.Launcher(), launcher);
    const HidePaths hide = files.PathsFor(files.Path(QStringLiteral("bin/grep.sh")));
    Workspace::WriteExecutable(hide.program, ProgramText);
    QVERIFY(files.hider.PutLauncherInPlace(hide));
    if (!atProgram.isNull())
        FaultyPlatform::WriteFile(hide.program, atProgram);
    if (launcher.isEmpty())
        QVERIFY(QFile::remove(files.Launcher()));

    // The launcher copy is at the program's name and the program hidden, either way.
    const bool back = rollback ? files.hider.PutProgramBack(hide)
                               : files.hider.RestoreProgram(files.PathsFor(hide.hidden));
    QCOMPARE(back, messages.isEmpty());
    QCOMPARE(files.Messages(), Expand(messages, hide));
    const QByteArray left = atProgram.isNull() ? launcher : atProgram;
    QCOMPARE(Workspace::Content(hide.program), back ? ProgramText : left);
    QCOMPARE(Workspace::Content(hide.hidden), back ? QByteArray() : ProgramText);
    if (!back)
        QCOMPARE(files.platform.cleared, QStringList());
}

void ProgramHiderTest::hiddenState_data()
{
    QTest::addColumn<QString>("program"); // the field's text, in bin/
    QTest::addColumn<QStringList>("files");
    QTest::addColumn<QStringList>("folders");
    QTest::addColumn<bool>("hidden");

    const QString hiddenGrep = QStringLiteral("grep.Quarnexe");
    const QString definition = QStringLiteral("grep.Quarn");
    const QString launcherCopy = QStringLiteral("grep.exe");

    QTest::newRow("all in place") << hiddenGrep << QStringList{hiddenGrep, definition, launcherCopy}
                                  << QStringList() << true;
    QTest::newRow("extension in capitals")
        << QStringLiteral("grep.QUARNEXE")
        << QStringList{QStringLiteral("grep.QUARNEXE"), definition, QStringLiteral("grep.EXE")}
        << QStringList() << true;
    QTest::newRow("extension in small letters")
        << QStringLiteral("grep.quarnexe")
        << QStringList{QStringLiteral("grep.quarnexe"), definition, launcherCopy} << QStringList()
        << true;
    QTest::newRow("launcher copy deleted")
        << hiddenGrep << QStringList{hiddenGrep, definition} << QStringList() << false;
    QTest::newRow("definition file deleted")
        << hiddenGrep << QStringList{hiddenGrep, launcherCopy} << QStringList() << false;
    QTest::newRow("hidden program gone")
        << hiddenGrep << QStringList{definition, launcherCopy} << QStringList() << false;
    QTest::newRow("folder named like the program")
        << hiddenGrep << QStringList{definition, launcherCopy} << QStringList{hiddenGrep} << false;
    QTest::newRow("folder named like the launcher copy")
        << hiddenGrep << QStringList{hiddenGrep, definition} << QStringList{launcherCopy} << false;
    QTest::newRow("not a hidden name")
        << QStringLiteral("grep.exe")
        << QStringList{launcherCopy, definition, QStringLiteral("grep.")} << QStringList() << false;
    QTest::newRow("without an extension, all in place")
        << QStringLiteral(".grep.hidden-by-Quarn")
        << QStringList{QStringLiteral(".grep.hidden-by-Quarn"), definition, QStringLiteral("grep")}
        << QStringList() << true;
    QTest::newRow("without an extension, launcher copy deleted")
        << QStringLiteral(".grep.hidden-by-Quarn")
        << QStringList{QStringLiteral(".grep.hidden-by-Quarn"), definition} << QStringList()
        << false;
    QTest::newRow("mark not right after the dot")
        << QStringLiteral("grep.xQuarn")
        << QStringList{QStringLiteral("grep.xQuarn"), definition, QStringLiteral("grep.n")}
        << QStringList() << false;
}

void ProgramHiderTest::hiddenState()
{
    QFETCH(QString, program);
    QFETCH(QStringList, files);
    QFETCH(QStringList, folders);

    Workspace workspace;
    const QDir bin(workspace.Path(QStringLiteral("bin")));
    for (const QString& folder : folders)
        QVERIFY(bin.mkpath(folder));
    for (const QString& file : files)
        FaultyPlatform::WriteFile(bin.filePath(file), "x");

    QTEST(workspace.hider.IsHiddenProgram(FilePath::FromText(bin.filePath(program))), "hidden");
    QCOMPARE(workspace.Messages(), QStringList());
}

QTEST_MAIN(ProgramHiderTest)
#include "ProgramHiderTest.moc"
