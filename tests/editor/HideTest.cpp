// The Hide button through the real window: hiding a program behind a copy
// of the launcher, undoing it, and the button's state derived from the disk.
#include "tests/editor/MainFormHarness.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMenu>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <iterator>

#include <unistd.h>

class HideTest : public QObject
{
    Q_OBJECT

private:
    // A program and the launcher beside the editor, in the harness's folder.
    static QString PrepareFiles(MainFormHarness& harness)
    {
        harness.WriteFile(QStringLiteral("QuarnExe"), "#!/bin/sh\necho launcher\n");
        QFile::setPermissions(harness.PathOf(QStringLiteral("QuarnExe")),
                              QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        return harness.WriteFile(QStringLiteral("grep.exe"), "the program");
    }

    static void ClickHide(MainFormHarness& harness)
    {
        QTest::mouseClick(harness.Button("Hide"), Qt::LeftButton);
    }

    static void ExpectHidden(MainFormHarness& harness, bool hidden)
    {
        QCOMPARE(harness.Button("Hide")->isChecked(), hidden);
        QCOMPARE(harness.Edit("Program")->isEnabled(), !hidden);
        QCOMPARE(harness.Button("ProgramButton")->isEnabled(), !hidden);
    }

private Q_SLOTS:
    void hideAndUndo()
    {
        MainFormHarness harness;
        const QString program = PrepareFiles(harness);
        QTest::keyClicks(harness.Edit("Name"), QStringLiteral("Grep"));
        harness.Edit("Program")->setText(program);
        QVERIFY(harness.Button("Hide")->isEnabled());

        ClickHide(harness);
        ExpectHidden(harness, true);
        QCOMPARE(harness.ReadFile(QStringLiteral("grep.Quarnexe")), QByteArray("the program"));
        QCOMPARE(harness.ReadFile(QStringLiteral("grep.exe")),
                 QByteArray("#!/bin/sh\necho launcher\n"));
        QVERIFY(QFileInfo(program).isExecutable());
        const QString hidden = harness.PathOf(QStringLiteral("grep.Quarnexe"));
        QCOMPARE(harness.Edit("Program")->text(), hidden);
        // The definition file is the current document and names the hidden program.
        QCOMPARE(harness.ReadFile(QStringLiteral("grep.Quarn")),
                 QByteArray("[Quarn]\r\nName=Grep\r\nProgram=") + hidden.toUtf8() + "\r\n");
        QCOMPARE(harness.Title(), QStringLiteral("Quarn Editor - grep.Quarn"));
        QVERIFY(!harness.Document().IsModified());

        ClickHide(harness);
        ExpectHidden(harness, false);
        QCOMPARE(harness.ReadFile(QStringLiteral("grep.exe")), QByteArray("the program"));
        QVERIFY(!QFile::exists(hidden));
        QCOMPARE(harness.Edit("Program")->text(), program);
        QCOMPARE(harness.ReadFile(QStringLiteral("grep.Quarn")),
                 QByteArray("[Quarn]\r\nName=Grep\r\nProgram=") + program.toUtf8() + "\r\n");
        QCOMPARE(harness.dialogs.Count(FakeDialogs::Shown::Kind::Error), 0);
    }

    // The program named in a Windows-1252 document is the file with those
    // bytes, as the launcher reads them: not the UTF-8 spelling of its text.
    void hideInWindows1252Document()
    {
        MainFormHarness harness;
        PrepareFiles(harness);
        const FilePath folder = FilePath::FromText(harness.PathOf(QStringLiteral("x"))).Folder();
        const FilePath program = folder + "caf\xe9.exe";
        std::ofstream(program.Native()) << "the program";
        harness.Open(harness.WriteFile(QStringLiteral("tool.Quarn"),
                                       "[Quarn]\r\nName=Caf\xe9\r\nProgram=" +
                                           QByteArray::fromStdString(program.Bytes()) + "\r\n"));
        QCOMPARE(harness.Edit("Program")->text().right(8), QStringLiteral("caf\u00e9.exe"));

        ClickHide(harness);
        ExpectHidden(harness, true);
        QCOMPARE(harness.dialogs.Count(FakeDialogs::Shown::Kind::Error), 0);
        const FilePath hidden = folder + "caf\xe9.Quarnexe";
        std::ifstream moved(hidden.Native());
        QCOMPARE(std::string(std::istreambuf_iterator<char>(moved), {}),
                 std::string("the program"));
        std::ifstream definition((folder + "caf\xe9.Quarn").Native());
        QCOMPARE(std::string(std::istreambuf_iterator<char>(definition), {}),
                 "[Quarn]\r\nName=Caf\xe9\r\nProgram=" + hidden.Bytes() + "\r\n");
        // QTemporaryDir's own clean-up cannot name these files.
        for (const char* name : {"caf\xe9.exe", "caf\xe9.Quarnexe", "caf\xe9.Quarn"})
            std::filesystem::remove((folder + name).Native());
    }

    void missingLauncherTouchesNothing()
    {
        MainFormHarness harness;
        const QString program = harness.WriteFile(QStringLiteral("grep.exe"), "the program");
        harness.Edit("Program")->setText(program);
        ClickHide(harness);
        ExpectHidden(harness, false);
        const FakeDialogs::Shown error = harness.dialogs.Last(FakeDialogs::Shown::Kind::Error);
        QCOMPARE(error.caption, QStringLiteral("Could not hide program"));
        QCOMPARE(error.text, harness.PathOf(QStringLiteral("QuarnExe")) +
                                 QStringLiteral("\ndoes not exist"));
        QCOMPARE(harness.ReadFile(QStringLiteral("grep.exe")), QByteArray("the program"));
        QVERIFY(!QFile::exists(harness.PathOf(QStringLiteral("grep.Quarn"))));
        QCOMPARE(harness.Edit("Program")->text(), program);
    }

    void stateDerivedOnOpen_data()
    {
        QTest::addColumn<QString>("programName");
        QTest::addColumn<QStringList>("present");
        QTest::addColumn<bool>("hidden");
        const QStringList all = {QStringLiteral("grep.Quarnexe"), QStringLiteral("grep.exe")};
        QTest::newRow("all in place") << "grep.Quarnexe" << all << true;
        QTest::newRow("extension in capitals")
            << "grep.QUARNEXE" << QStringList({QStringLiteral("grep.QUARNEXE"), QStringLiteral("grep.EXE")})
            << true;
        QTest::newRow("launcher copy deleted")
            << "grep.Quarnexe" << QStringList({QStringLiteral("grep.Quarnexe")}) << false;
        QTest::newRow("program not hidden") << "grep.exe" << all << false;
    }

    void stateDerivedOnOpen()
    {
        QFETCH(QString, programName);
        QFETCH(QStringList, present);
        QFETCH(bool, hidden);
        MainFormHarness harness;
        for (const QString& name : present)
            harness.WriteFile(name, "x");
        const QString definition = harness.WriteFile(
            QStringLiteral("grep.Quarn"),
            "[Quarn]\r\nProgram=" + harness.PathOf(programName).toUtf8() + "\r\n");
        harness.Open(definition);
        ExpectHidden(harness, hidden);
        QCOMPARE(harness.Button("Hide")->isEnabled(), true);
    }

    void definitionDeletedByHandIsNotHidden()
    {
        MainFormHarness harness;
        harness.WriteFile(QStringLiteral("grep.Quarnexe"), "x");
        harness.WriteFile(QStringLiteral("grep.exe"), "x");
        const QString definition = harness.WriteFile(
            QStringLiteral("other.Quarn"),
            "[Quarn]\r\nProgram=" + harness.PathOf(QStringLiteral("grep.Quarnexe")).toUtf8() + "\r\n");
        harness.Open(definition);
        ExpectHidden(harness, false);
    }

    void newWhileHiddenPutsTheButtonUp()
    {
        MainFormHarness harness;
        const QString program = PrepareFiles(harness);
        harness.Edit("Program")->setText(program);
        ClickHide(harness);
        ExpectHidden(harness, true);
        harness.Trigger("FileNew");
        ExpectHidden(harness, false);
        QVERIFY(!harness.Button("Hide")->isEnabled());
        QVERIFY(harness.Edit("Program")->text().isEmpty());
    }

    void emptyProgramDisablesTheButton()
    {
        MainFormHarness harness;
        harness.Edit("Program")->setText(QStringLiteral("x"));
        QVERIFY(harness.Button("Hide")->isEnabled());
        harness.Edit("Program")->clear();
        QVERIFY(!harness.Button("Hide")->isEnabled());
    }

    // The definition file cannot be written: the hide is taken back.
    void failedSaveTakesTheHideBack_data()
    {
        QTest::addColumn<bool>("readOnlyFile"); // else a folder stands at its name
        QTest::newRow("folder at the definition's name") << false;
        QTest::newRow("read-only definition file with another hard link") << true;
    }

    void failedSaveTakesTheHideBack()
    {
        QFETCH(bool, readOnlyFile);
        if (readOnlyFile && ::geteuid() == 0)
            QSKIP("root writes read-only files");
        MainFormHarness harness;
        const QString program = PrepareFiles(harness);
        const QString definition = harness.PathOf(QStringLiteral("grep.Quarn"));
        if (readOnlyFile) {
            harness.WriteFile(QStringLiteral("grep.Quarn"), "old options");
            QVERIFY(QFile::setPermissions(definition, QFile::ReadOwner));
            // Only a write in place keeps the link, and nothing may write it.
            const QByteArray link = QFile::encodeName(harness.PathOf(QStringLiteral("link")));
            QVERIFY(::link(QFile::encodeName(definition).constData(), link.constData()) == 0);
        } else {
            QVERIFY(QDir().mkdir(definition));
        }
        // Replace what stands there, also when it is read-only.
        harness.dialogs.questionAnswers =
            readOnlyFile ? QList<bool>{true, true} : QList<bool>{true};
        harness.Edit("Program")->setText(program);
        ClickHide(harness);
        ExpectHidden(harness, false);
        QCOMPARE(harness.Edit("Program")->text(), program);
        QCOMPARE(harness.ReadFile(QStringLiteral("grep.exe")), QByteArray("the program"));
        QVERIFY(!QFile::exists(harness.PathOf(QStringLiteral("grep.Quarnexe"))));
        QCOMPARE(harness.ReadFile(QStringLiteral("grep.Quarn")),
                 readOnlyFile ? QByteArray("old options") : QByteArray());
        QCOMPARE(harness.dialogs.Count(FakeDialogs::Shown::Kind::Error), 1);
        const FakeDialogs::Shown error = harness.dialogs.Last(FakeDialogs::Shown::Kind::Error);
        QCOMPARE(error.caption, QStringLiteral("Quarn Editor"));
        QVERIFY(error.text.startsWith(QStringLiteral("Could not save\n") + definition +
                                      QLatin1Char('\n')));
    }

    void existingDefinitionFile_data()
    {
        QTest::addColumn<bool>("openedFirst"); // the definition file is the document's own
        QTest::addColumn<QList<bool>>("answers");
        QTest::addColumn<bool>("hidden");
        QTest::newRow("yes replaces it") << false << QList<bool>{true} << true;
        QTest::newRow("no touches nothing") << false << QList<bool>{false} << false;
        QTest::newRow("the document's own, no question") << true << QList<bool>{} << true;
    }

    void existingDefinitionFile()
    {
        QFETCH(bool, openedFirst);
        QFETCH(QList<bool>, answers);
        QFETCH(bool, hidden);
        MainFormHarness harness;
        const QString program = PrepareFiles(harness);
        const QByteArray old = "[Quarn]\r\nName=Old\r\nProgram=" + program.toUtf8() + "\r\n";
        const QString definition = harness.WriteFile(QStringLiteral("grep.Quarn"), old);
        if (openedFirst)
            harness.Open(definition);
        else
            harness.Edit("Program")->setText(program);
        harness.dialogs.questionAnswers = answers;
        ClickHide(harness);
        QVERIFY(harness.dialogs.AllAnswersUsed());
        if (!answers.isEmpty()) {
            const FakeDialogs::Shown question =
                harness.dialogs.Last(FakeDialogs::Shown::Kind::Question);
            QCOMPARE(question.caption, QStringLiteral("Quarn Editor"));
            QCOMPARE(question.text,
                     definition + QStringLiteral(" already exists.\nDo you want to replace it?"));
        }
        ExpectHidden(harness, hidden);
        QCOMPARE(harness.ReadFile(QStringLiteral("grep.exe")),
                 hidden ? QByteArray("#!/bin/sh\necho launcher\n") : QByteArray("the program"));
        QCOMPARE(harness.ReadFile(QStringLiteral("grep.Quarn")) == old, !hidden);
    }

    void altHWithTheButtonEnabledHides()
    {
        // The enabled button on the shown page comes before the Help menu.
        MainFormHarness harness;
        const QString program = PrepareFiles(harness);
        harness.Edit("Program")->setText(program);
        QTest::keyClick(&harness.Form(), Qt::Key_H, Qt::AltModifier);
        QTRY_VERIFY(harness.Button("Hide")->isChecked());
        QVERIFY(QFile::exists(harness.PathOf(QStringLiteral("grep.Quarnexe"))));
        QVERIFY(!harness.Control<QMenu>("Help")->isVisible());
    }
};

QTEST_MAIN(HideTest)
#include "HideTest.moc"
