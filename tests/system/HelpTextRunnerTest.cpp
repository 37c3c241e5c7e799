#include "system/HelpTextRunner.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <cstring>
#include <unistd.h>

Q_DECLARE_METATYPE(HelpSource)

namespace {

constexpr int TimeoutMs = 30000;

// Running, as opposed to gone or a zombie that only waits to be collected.
bool Running(pid_t pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    return ::kill(pid, 0) == 0 && status.open(QIODevice::ReadOnly) &&
           !status.readAll().contains("State:\tZ");
}

bool HasManualPageForLs()
{
    QProcess man;
    man.start(QStringLiteral("man"), {QStringLiteral("-w"), QStringLiteral("ls")});
    return man.waitForFinished(TimeoutMs) && man.exitStatus() == QProcess::NormalExit &&
           man.exitCode() == 0;
}

} // namespace

class HelpTextRunnerTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void textIsTaken_data();
    void textIsTaken();
    void programStartsClean_data();
    void programStartsClean();
    void nothingIsLeftRunning_data();
    void nothingIsLeftRunning();
    void nameIsFoundOnSearchPath();
    void manualPageStandsIn_data();
    void manualPageStandsIn();

private:
    // A /bin/sh script of that name in the test's folder; its path.
    std::string Script(const QString& name, const QByteArray& body);

    QTemporaryDir folder_;
};

std::string HelpTextRunnerTest::Script(const QString& name, const QByteArray& body)
{
    QFile file(folder_.filePath(name));
    if (!file.open(QIODevice::WriteOnly) || file.write("#!/bin/sh\n" + body + '\n') < 0)
        qFatal("cannot write the script");
    file.setPermissions(QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    return QFile::encodeName(file.fileName()).toStdString();
}

void HelpTextRunnerTest::textIsTaken_data()
{
    QTest::addColumn<QByteArray>("body");    // null: no program
    QTest::addColumn<QByteArray>("text");    // when taken
    QTest::addColumn<QString>("problemEnd"); // otherwise

    const QString none;
    const auto problem = [](const char* words) {
        return QStringLiteral("prog --help\u201D ") + QLatin1String(words);
    };
    QTest::newRow("output") << QByteArray("echo ' -v  verbose'; echo warning >&2")
                            << QByteArray(" -v  verbose\n") << none;
    QTest::newRow("errors only, exit 1") << QByteArray("echo 'usage: prog [-v]' >&2; exit 1")
                                         << QByteArray("usage: prog [-v]\n") << none;
    QTest::newRow("blank output") << QByteArray("echo; echo usage >&2") << QByteArray("usage\n")
                                  << none;
    QTest::newRow("overstrikes and colours")
        << QByteArray("printf 'N\\bNA\\bA \\033[1m-x\\033[0m\\n'")
        << QByteArray("N\bNA\bA \x1b[1m-x\x1b[0m\n") << none;
    QTest::newRow("a Latin-1 accent") << QByteArray("printf 'caf\\351 au lait: -x, --extra\\n'")
                                      << QByteArray("caf\xe9 au lait: -x, --extra\n") << none;
    QTest::newRow("nothing") << QByteArray("exit 0") << QByteArray() << problem("printed nothing.");
    QTest::newRow("a NUL byte") << QByteArray("printf 'usage: prog\\000 -x\\n'") << QByteArray()
                                << problem("prints something that is not text.");
    QTest::newRow("control characters")
        << QByteArray("printf '\\001\\002\\003\\004-x\\n'") << QByteArray()
        << problem("prints something that is not text.");
    QTest::newRow("not UTF-8") << QByteArray("printf '\\377\\376\\375\\374-x\\n'") << QByteArray()
                               << problem("prints something that is not text.");
    QTest::newRow("a flood") << QByteArray("exec yes") << QByteArray()
                             << problem("printed more than 1 MiB.");
    QTest::newRow("missing") << QByteArray() << QByteArray()
                             << problem("could not be started: ") +
                                    QString::fromLocal8Bit(std::strerror(ENOENT)) +
                                    QLatin1Char('.');
}

void HelpTextRunnerTest::textIsTaken()
{
    QFETCH(QByteArray, body);
    QFETCH(QByteArray, text);
    QFETCH(QString, problemEnd);

    const std::string program = Script(QStringLiteral("prog"), body);
    if (body.isNull())
        QVERIFY(QFile::remove(QFile::decodeName(program.c_str())));
    const HelpText help = RunForHelp(program, HelpSource::HelpOption);
    QCOMPARE(help.ok, problemEnd.isEmpty());
    QCOMPARE(QByteArray::fromStdString(help.text), text);
    QVERIFY2(help.problem.endsWith(problemEnd), qPrintable(help.problem));
    QCOMPARE(help.source, HelpSource::HelpOption);
}

void HelpTextRunnerTest::programStartsClean_data()
{
    QTest::addColumn<HelpSource>("source");
    QTest::addColumn<QByteArray>("argument");

    QTest::newRow("--help") << HelpSource::HelpOption << QByteArray("--help");
    QTest::newRow("-h") << HelpSource::ShortHelp << QByteArray("-h");
    QTest::newRow("-help") << HelpSource::SingleDashHelp << QByteArray("-help");
    QTest::newRow("help") << HelpSource::HelpCommand << QByteArray("help");
}

void HelpTextRunnerTest::programStartsClean()
{
    QFETCH(HelpSource, source);
    QFETCH(QByteArray, argument);

    qputenv("QUARN_HELP_MARK", "kept");
    const std::string program =
        Script(QStringLiteral("env"), "echo \"$# $1\"; echo \"$LC_ALL $NO_COLOR $TERM $PAGER "
                                      "$MANPAGER $COLUMNS $QUARN_HELP_MARK\"; "
                                      "wc -c; pwd -P");
    const HelpText help = RunForHelp(program, source);
    QVERIFY2(help.ok, qPrintable(help.problem));
    QCOMPARE(help.source, source);
    const QByteArrayList lines = QByteArray::fromStdString(help.text).split('\n');
    QCOMPARE(lines.mid(0, 3), QByteArrayList({"1 " + argument, "C 1 dumb cat cat 200 kept", "0"}));
    const QString folder = QFile::decodeName(lines.value(3));
    QVERIFY2(folder.startsWith(QDir(QDir::tempPath()).canonicalPath() + QLatin1Char('/')),
             qPrintable(folder));
    QVERIFY(!folder.startsWith(QDir(folder_.path()).canonicalPath()));
    QVERIFY(!QFile::exists(folder));
}

void HelpTextRunnerTest::nothingIsLeftRunning_data()
{
    QTest::addColumn<QByteArray>("end"); // of a script that leaves a process behind
    QTest::addColumn<QString>("problemEnd");

    QTest::newRow("ends") << QByteArray("echo ' -x'") << QString();
    QTest::newRow("hangs") << QByteArray("exec sleep 60")
                           << QStringLiteral("did not finish within 5 seconds.");
}

void HelpTextRunnerTest::nothingIsLeftRunning()
{
    QFETCH(QByteArray, end);
    QFETCH(QString, problemEnd);

    const QByteArray pidFile = QFile::encodeName(folder_.filePath(QStringLiteral("pid")));
    QFile::remove(QFile::decodeName(pidFile));
    const std::string program =
        Script(QStringLiteral("leaves"), "sleep 60 & echo $! > '" + pidFile + "'; " + end);
    QElapsedTimer clock;
    clock.start();
    const HelpText help = RunForHelp(program, HelpSource::HelpOption);
    QVERIFY2(clock.elapsed() < 6000, qPrintable(QString::number(clock.elapsed())));
    QCOMPARE(help.ok, problemEnd.isEmpty());
    QVERIFY2(help.problem.endsWith(problemEnd), qPrintable(help.problem));
    QFile file(QFile::decodeName(pidFile));
    QVERIFY(file.open(QIODevice::ReadOnly));
    const pid_t left = file.readAll().trimmed().toInt();
    QVERIFY(left > 0);
    QTRY_VERIFY_WITH_TIMEOUT(!Running(left), TimeoutMs);
}

void HelpTextRunnerTest::nameIsFoundOnSearchPath()
{
    Script(QStringLiteral("quarn-help-on-path"), "echo ' -x'");
    const QByteArray path = qgetenv("PATH");
    qputenv("PATH", QFile::encodeName(folder_.path()) + ':' + path);
    const HelpText help = RunForHelp("quarn-help-on-path", HelpSource::HelpOption);
    qputenv("PATH", path);
    QVERIFY2(help.ok, qPrintable(help.problem));
    QCOMPARE(help.text, std::string(" -x\n"));
}

void HelpTextRunnerTest::manualPageStandsIn_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QByteArray>("body");
    QTest::addColumn<HelpSource>("source");
    QTest::addColumn<QByteArray>("textPart"); // when taken
    QTest::addColumn<QString>("problem");     // otherwise

    const QString noPage = QStringLiteral("quarn-no-page");
    QTest::newRow("no option lines, a page")
        << QStringLiteral("ls") << QByteArray("echo 'no help'") << HelpSource::ManualPage
        << QByteArray("ls - list directory contents") << QString();
    QTest::newRow("option lines") << QStringLiteral("ls") << QByteArray("echo '  -a  all'")
                                  << HelpSource::HelpOption << QByteArray("  -a  all\n")
                                  << QString();
    QTest::newRow("no option lines, no page")
        << noPage << QByteArray("echo 'no help'") << HelpSource::HelpOption
        << QByteArray("no help\n") << QString();
    QTest::newRow("nothing, no page")
        << noPage << QByteArray("exit 2") << HelpSource::HelpOption << QByteArray()
        << QStringLiteral("%1 --help\u201D printed nothing. There is no manual page for %1.")
               .arg(noPage);
    QTest::newRow("hangs, a page")
        << QStringLiteral("ls") << QByteArray("exec sleep 60") << HelpSource::HelpOption
        << QByteArray() << QStringLiteral("ls --help\u201D did not finish within 5 seconds.");
}

void HelpTextRunnerTest::manualPageStandsIn()
{
    QFETCH(QString, name);
    QFETCH(QByteArray, body);
    QFETCH(HelpSource, source);
    QFETCH(QByteArray, textPart);
    QFETCH(QString, problem);

    if (!HasManualPageForLs())
        QSKIP("needs man and the manual page of ls");
    const HelpText help = HelpFor(Script(name, body));
    QCOMPARE(help.ok, problem.isEmpty());
    QCOMPARE(help.source, source);
    QVERIFY2(QByteArray::fromStdString(help.text).contains(textPart), help.text.c_str());
    QVERIFY2(help.problem.endsWith(problem), qPrintable(help.problem));
}

QTEST_GUILESS_MAIN(HelpTextRunnerTest)
#include "HelpTextRunnerTest.moc"
