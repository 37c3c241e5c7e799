// What keeps a definition from running on this machine, against real files.
#include "system/MachineChecks.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class MachineChecksTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void findings_data()
    {
        QTest::addColumn<QByteArray>("program");
        QTest::addColumn<QByteArray>("shell");
        QTest::addColumn<QByteArray>("folder");
        QTest::addColumn<QStringList>("expected");
        QTest::newRow("runs") << QByteArray("sh") << QByteArray() << QByteArray("sub")
                              << QStringList();
        QTest::newRow("no program: nothing to say")
            << QByteArray() << QByteArray("nosuchshell") << QByteArray() << QStringList();
        QTest::newRow("a bare name not on the search path")
            << QByteArray("no-such-program-here") << QByteArray() << QByteArray()
            << QStringList{QStringLiteral(
                   "The program \"no-such-program-here\" cannot be found on this machine")};
        QTest::newRow("a file that is no program, beside the definition")
            << QByteArray("./notes.txt") << QByteArray() << QByteArray()
            << QStringList{QStringLiteral("The program \"./notes.txt\" is not an executable file")};
        QTest::newRow("a shell and a folder that are not there")
            << QByteArray("sh") << QByteArray("nosuchshell") << QByteArray("gone")
            << QStringList{QStringLiteral(
                               "The command shell \"nosuchshell\" cannot be found on this machine"),
                           QStringLiteral("The folder \"@/gone\" does not exist on this machine")};
    }

    void findings()
    {
        QFETCH(QByteArray, program);
        QFETCH(QByteArray, shell);
        QFETCH(QByteArray, folder);
        QFETCH(QStringList, expected);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("sub")));
        QFile notes(dir.filePath(QStringLiteral("notes.txt")));
        QVERIFY(notes.open(QIODevice::WriteOnly));
        CDef def;
        def.Program = program.toStdString();
        def.Shell = shell.toStdString();
        def.Directory = folder.toStdString();
        QStringList found;
        for (const std::string& message :
             FindMachineMistakes(def, dir.filePath(QStringLiteral("tool.Quarn")).toStdString()))
            found.append(QString::fromStdString(message).replace(dir.path(), QStringLiteral("@")));
        QCOMPARE(found, expected);
    }
};

QTEST_MAIN(MachineChecksTest)
#include "MachineChecksTest.moc"
