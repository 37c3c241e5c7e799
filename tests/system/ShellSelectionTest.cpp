#include "system/ShellSelection.h"

#include "tests/support/TestPlatform.h"

#include <QTest>

namespace {

const QString Comspec = QStringLiteral("C:\\Windows\\system32\\cmd.exe");
const QString LoginShell = QStringLiteral("/bin/bash");

} // namespace

class ShellSelectionTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void initialName_data();
    void initialName();
};

void ShellSelectionTest::initialName_data()
{
    // environment: "NAME=value" entries; a name not listed is unset.
    QTest::addColumn<QString>("shellText");
    QTest::addColumn<QStringList>("environment");
    QTest::addColumn<QString>("expected");

    const QStringList both{QStringLiteral("COMSPEC=") + Comspec,
                           QStringLiteral("SHELL=") + LoginShell};

    QTest::newRow("switch cut") << QStringLiteral("cmd.exe /C") << both
                                << QStringLiteral("cmd.exe");
    QTest::newRow("full path, several switches") << QStringLiteral("C:\\Tools\\sh.exe /E:1024 /C")
                                                 << both << QStringLiteral("C:\\Tools\\sh.exe");
    QTest::newRow("switch without blank")
        << QStringLiteral("cmd.exe/C") << both << QStringLiteral("cmd.exe");
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
    QTest::newRow("COMSPEC unset")
        << QString() << QStringList{QStringLiteral("SHELL=") + LoginShell} << QString();
#else
    QTest::newRow("COMSPEC unset")
        << QString() << QStringList{QStringLiteral("SHELL=") + LoginShell} << LoginShell;
    QTest::newRow("COMSPEC empty")
        << QString()
        << QStringList{QStringLiteral("COMSPEC="), QStringLiteral("SHELL=") + LoginShell}
        << LoginShell;
#endif
}

void ShellSelectionTest::initialName()
{
    QFETCH(QString, shellText);
    QFETCH(QStringList, environment);
    QFETCH(QString, expected);

    TestPlatform platform;
    for (const QString& entry : environment)
        platform.environment.insert(entry.section(QLatin1Char('='), 0, 0),
                                    entry.section(QLatin1Char('='), 1));

    QCOMPARE(ShellDialogInitialName(shellText, platform), expected);
}

QTEST_GUILESS_MAIN(ShellSelectionTest)
#include "ShellSelectionTest.moc"
