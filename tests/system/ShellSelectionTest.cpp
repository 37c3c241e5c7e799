#include "system/ShellSelection.h"
#include "system/TextCodec.h"

#include "tests/support/TestPlatform.h"

#include <QTest>

namespace {

const QString Comspec = QStringLiteral("C:\\Windows\\system32\\cmd.exe");
const QString LoginShell = QStringLiteral("/bin/bash");

// Only bash is on the test's search path.
class ShellPlatform : public TestPlatform
{
public:
    FilePath FindExecutable(const FilePath& name, const FilePath&) override
    {
        return name == FilePath("bash") ? FilePath("/usr/bin/bash") : FilePath();
    }
};

} // namespace

class ShellSelectionTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initialName_data();
    void initialName();
    void initialNameKeepsTheDocumentsBytes();
};

void ShellSelectionTest::initialName_data()
{
    // environment: "NAME=value" entries; a name not listed is unset.
    QTest::addColumn<QString>("shellText");
    QTest::addColumn<QStringList>("environment");
    QTest::addColumn<QString>("expected");

    const QStringList both{QStringLiteral("COMSPEC=") + Comspec,
                           QStringLiteral("SHELL=") + LoginShell};
    const QStringList shellOnly{QStringLiteral("SHELL=") + LoginShell};

    QTest::newRow("switch cut") << QStringLiteral("cmd.exe /C") << both
                                << QStringLiteral("cmd.exe");
    QTest::newRow("full path, several switches") << QStringLiteral("C:\\Tools\\sh.exe /E:1024 /C")
                                                 << both << QStringLiteral("C:\\Tools\\sh.exe");
    QTest::newRow("blank before switch only") << QStringLiteral(" /K") << both << Comspec;
    QTest::newRow("empty") << QString() << both << Comspec;
    QTest::newRow("default shell pattern") << QStringLiteral("* /C") << both << QStringLiteral("*");
    QTest::newRow("tabs and line ends trimmed")
        << QStringLiteral("\t cmd.exe\r\n /C") << both << QStringLiteral("cmd.exe");
    QTest::newRow("control characters only")
        << QString::fromUtf16(u"\x01\x7f\x1b") << both << Comspec;
    QTest::newRow("inner blanks kept") << QStringLiteral("  C:\\My Tools\\sh.exe  /c") << both
                                       << QStringLiteral("C:\\My Tools\\sh.exe");
    QTest::newRow("nothing set") << QString() << QStringList() << QString();
#ifdef Q_OS_WIN
    QTest::newRow("switch without blank")
        << QStringLiteral("cmd.exe/C") << both << QStringLiteral("cmd.exe");
    QTest::newRow("a path is cut at its first slash")
        << QStringLiteral("/bin/sh -c") << both << Comspec;
    QTest::newRow("COMSPEC unset") << QString() << shellOnly << QString();
#else
    // "/" separates folders: switches begin at a blank followed by "-" or "/".
    QTest::newRow("path with a dash switch")
        << QStringLiteral("/bin/sh -c") << both << QStringLiteral("/bin/sh");
    QTest::newRow("path, several switches")
        << QStringLiteral("/usr/bin/zsh --login -c") << both << QStringLiteral("/usr/bin/zsh");
    QTest::newRow("slash switch after a path")
        << QStringLiteral("/opt/my tools/sh /C") << both << QStringLiteral("/opt/my tools/sh");
    QTest::newRow("slash without blank is a folder")
        << QStringLiteral("cmd.exe/C") << both << QStringLiteral("cmd.exe/C");
    QTest::newRow("dash inside a name kept")
        << QStringLiteral("/opt/sh-5 -c") << both << QStringLiteral("/opt/sh-5");
    // A bare name is looked up on the search path; one not there stays as typed.
    QTest::newRow("bare name on the path")
        << QStringLiteral("bash -c") << both << QStringLiteral("/usr/bin/bash");
    QTest::newRow("bare name not on the path")
        << QStringLiteral("nosuchshell -c") << both << QStringLiteral("nosuchshell");
    QTest::newRow("COMSPEC unset") << QString() << shellOnly << LoginShell;
    QTest::newRow("COMSPEC empty")
        << QString()
        << QStringList{QStringLiteral("COMSPEC="), QStringLiteral("SHELL=") + LoginShell}
        << LoginShell;
    QTest::newRow("blank before switch, no COMSPEC")
        << QStringLiteral(" /K") << shellOnly << LoginShell;
#endif
}

void ShellSelectionTest::initialName()
{
    QFETCH(QString, shellText);
    QFETCH(QStringList, environment);
    QFETCH(QString, expected);

    ShellPlatform platform;
    for (const QString& entry : environment)
        platform.environment.insert(entry.section(QLatin1Char('='), 0, 0),
                                    entry.section(QLatin1Char('='), 1));

    QCOMPARE(ShellDialogInitialName(shellText, TextCodec(), platform).Text(), expected);
}

void ShellSelectionTest::initialNameKeepsTheDocumentsBytes()
{
    // A Windows-1252 document holds "\xe9" where the field shows "\u00e9".
    ShellPlatform platform;
    const QString shellText = QStringLiteral("/bin/caf\u00e9 -c");
    QCOMPARE(
        ShellDialogInitialName(shellText, TextCodec(TextCodec::Encoding::Windows1252), platform),
        FilePath("/bin/caf\xe9"));
    QCOMPARE(ShellDialogInitialName(shellText, TextCodec(), platform),
             FilePath("/bin/caf\xc3\xa9"));
}

QTEST_GUILESS_MAIN(ShellSelectionTest)
#include "ShellSelectionTest.moc"
