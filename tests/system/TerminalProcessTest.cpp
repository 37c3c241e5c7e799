#include "system/TerminalProcess.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <memory>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

constexpr int TimeoutMs = 30000;
const std::string Shell = "/bin/sh";

// True once the process is gone, or is a zombie only: its parent may be an
// init that never collects them.
bool Gone(pid_t pid)
{
    if (::kill(pid, 0) != 0)
        return errno == ESRCH;
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    const QByteArray line = stat.readAll();
    const qsizetype nameEnd = line.lastIndexOf(')');
    return nameEnd >= 0 && line.mid(nameEnd + 2, 1) == "Z";
}

// Whether every child of the test has been reaped.
bool NoChildren()
{
    siginfo_t info = {};
    return ::waitid(P_ALL, 0, &info, WEXITED | WNOHANG | WNOWAIT) != 0 && errno == ECHILD;
}

// The process ids a script printed, one a line.
QList<pid_t> PrintedPids(const QByteArray& output)
{
    QList<pid_t> pids;
    for (const QByteArray& line : output.split('\n')) {
        bool isNumber = false;
        const int pid = line.trimmed().toInt(&isNumber);
        if (isNumber)
            pids.append(pid);
    }
    return pids;
}

// A TerminalProcess and what it told.
struct Run
{
    std::unique_ptr<TerminalProcess> process = std::make_unique<TerminalProcess>();
    QByteArray output;
    QList<ProgramEnd> ends;
    QByteArray outputAtEnd;

    Run()
    {
        QObject::connect(process.get(), &TerminalProcess::OutputReady, process.get(),
                         [this](const QByteArray& bytes) { output += bytes; });
        QObject::connect(process.get(), &TerminalProcess::Finished, process.get(),
                         [this](const ProgramEnd& end) {
                             ends.append(end);
                             outputAtEnd = output;
                         });
    }

    bool Start(const std::string& program, const std::vector<std::string>& arguments,
               const std::string& folder = {},
               const std::vector<std::pair<std::string, std::string>>& environment = {})
    {
        QString error;
        const bool started = process->Start(program, arguments, folder, environment, &error);
        if (!started)
            qWarning("%s", qPrintable(error));
        return started;
    }
    bool Script(const std::string& script) { return Start(Shell, {"-c", script}); }
    bool WaitFor(const QByteArray& text)
    {
        return QTest::qWaitFor([this, text] { return output.contains(text); }, TimeoutMs);
    }
    bool WaitForEnd(int count = 1)
    {
        return QTest::qWaitFor([this, count] { return ends.size() >= count; }, TimeoutMs);
    }
};

// Destroys the runner: its program must be reaped at once, and every
// process started gone soon after.
bool DestroyLeavesNothing(Run& run, const QList<pid_t>& started)
{
    run.process.reset();
    return NoChildren() &&
           QTest::qWaitFor([started] { return std::all_of(started.begin(), started.end(), Gone); },
                           TimeoutMs);
}

} // namespace

class TerminalProcessTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void outputArrivesLive();
    void programSeesTerminalAndStart();
    void endIsReported_data();
    void endIsReported();
    void everyByteComesBeforeTheEnd();
    void failedStartLeavesNothing_data();
    void failedStartLeavesNothing();
    void startsOneRunAtATime();
    void destructionEndsEverything();
    void inputReachesProgram_data();
    void inputReachesProgram();

private:
    QTemporaryDir temporary_;
};

void TerminalProcessTest::outputArrivesLive()
{
    Run run;
    QVERIFY(run.Start(TERMINAL_CHILD, {"live"}));
    // The program waits for input after its first line, which must be shown
    // by then: buffered output would not be.
    QVERIFY(run.WaitFor("first\n"));
    run.process->SetTerminalSize(100, 30);
    run.process->Write("go\n");
    QVERIFY(run.WaitFor("size 100x30\n"));
    QVERIFY(run.WaitForEnd());
}

void TerminalProcessTest::programSeesTerminalAndStart()
{
    const std::string folder = QFile::encodeName(temporary_.path()).toStdString() + "/folder \xff";
    QCOMPARE(::mkdir(folder.c_str(), 0700), 0);
    const std::vector<std::string> arguments{"report", "two  blanks", "\xff\xfe not UTF-8", ""};
    const std::string value = "\xc3\x28";

    // What the launcher ignores or blocks must not reach the program.
    const auto previousPipeHandler = std::signal(SIGPIPE, SIG_IGN);
    sigset_t usr1;
    ::sigemptyset(&usr1);
    ::sigaddset(&usr1, SIGUSR1);
    ::pthread_sigmask(SIG_BLOCK, &usr1, nullptr);
    Run run;
    run.process->SetTerminalSize(132, 40);
    const bool started =
        run.Start(TERMINAL_CHILD, arguments, folder, {{"PAGER", "less"}, {"QUARN_VALUE", value}});
    ::pthread_sigmask(SIG_UNBLOCK, &usr1, nullptr);
    std::signal(SIGPIPE, previousPipeHandler);
    QVERIFY(started);
    QVERIFY(run.WaitForEnd());

    const auto hex = [](const std::string& bytes) {
        return QByteArray::fromStdString(bytes).toHex();
    };
    const QByteArrayList expected{"tty 111",
                                  "leader 1",
                                  "term xterm-256color",
                                  "pagers less cat",
                                  "value " + hex(value),
                                  "folder " + hex(folder),
                                  "argument " + hex(arguments[1]),
                                  "argument " + hex(arguments[2]),
                                  "argument ",
                                  "signals default",
                                  "descriptors 0",
                                  "size 132x40",
                                  ""};
    QCOMPARE(run.output.split('\n'), expected);
    QCOMPARE(::rmdir(folder.c_str()), 0); // a name QTemporaryDir cannot remove
}

void TerminalProcessTest::endIsReported_data()
{
    QTest::addColumn<QByteArray>("script"); // prints the pids to check; "ready" when stoppable
    QTest::addColumn<QByteArray>("action");
    QTest::addColumn<bool>("signalled");
    QTest::addColumn<int>("status");
    QTest::addColumn<int>("minimumMs");
    QTest::addColumn<int>("maximumMs");

    const QByteArray none;
    QTest::newRow("exit status") << QByteArray("exit 3") << none << false << 3 << 0 << TimeoutMs;
    QTest::newRow("signal") << QByteArray("kill -TERM $$") << none << true << int(SIGTERM) << 0
                            << TimeoutMs;
    QTest::newRow("time taken") << QByteArray("sleep 0.3") << none << false << 0 << 300
                                << TimeoutMs;
    // The process left behind keeps the terminal open, survives the hangup
    // and answers the file "go" with the file "alive".
    QTest::newRow("a process left behind")
        << QByteArray("trap '' HUP; (while [ ! -e go ]; do sleep 0.01; done; : > alive; "
                      "exec sleep 300) & echo $!")
        << none << false << 0 << 0 << TimeoutMs;
    QTest::newRow("interrupt") << QByteArray("echo ready; exec sleep 300")
                               << QByteArray("interrupt") << true << int(SIGINT) << 0 << TimeoutMs;
    QTest::newRow("interrupt, background jobs")
        << QByteArray("sleep 300 & echo $!; sleep 300 & echo $!; echo ready; wait")
        << QByteArray("interrupt") << true << int(SIGINT) << 0 << TimeoutMs;
    // Killed after the grace, with the job in a group of its own that
    // outlives the shell's hangup.
    QTest::newRow("interrupt ignored, foreground job")
        << QByteArray("trap '' INT; set -m; sh -c 'trap \"\" INT HUP; echo $$; echo ready; "
                      "exec sleep 300'")
        << QByteArray("interrupt") << true << int(SIGKILL) << 2500 << TimeoutMs;
    const QByteArray ignoring = "trap '' INT; sleep 300 & echo $!; echo ready; exec sleep 300";
    QTest::newRow("interrupt twice")
        << ignoring << QByteArray("interrupt twice") << true << int(SIGKILL) << 0 << 2500;
    QTest::newRow("kill") << ignoring << QByteArray("kill") << true << int(SIGKILL) << 0 << 2500;
}

void TerminalProcessTest::endIsReported()
{
    QFETCH(QByteArray, script);
    QFETCH(QByteArray, action);
    QFETCH(bool, signalled);
    QFETCH(int, status);
    QFETCH(int, minimumMs);
    QFETCH(int, maximumMs);

    QTemporaryDir folder;
    Run run;
    QVERIFY(run.Start(Shell, {"-c", script.toStdString()},
                      QFile::encodeName(folder.path()).toStdString()));
    if (!action.isEmpty())
        QVERIFY(run.WaitFor("ready"));
    if (action == "kill") {
        run.process->Kill(); // ends the run before it returns
        QCOMPARE(run.ends.size(), 1);
    } else if (!action.isEmpty()) {
        run.process->Interrupt();
        if (action == "interrupt twice")
            run.process->Interrupt();
    }
    QVERIFY(run.WaitForEnd());
    QVERIFY(!run.process->IsRunning());
    const ProgramEnd end = run.ends.front();
    QCOMPARE(end.signalled, signalled);
    QCOMPARE(end.exitStatus, status);
    QVERIFY2(end.elapsedMs >= minimumMs && end.elapsedMs < maximumMs,
             qPrintable(QString::number(end.elapsedMs)));

    const QList<pid_t> started = PrintedPids(run.output);
    if (action.isEmpty() && !started.isEmpty()) { // a normal end leaves them alone
        QVERIFY(QFile(folder.filePath(QStringLiteral("go"))).open(QIODevice::WriteOnly));
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(folder.filePath(QStringLiteral("alive"))),
                                 TimeoutMs);
    } else { // a stop does not
        QTRY_VERIFY_WITH_TIMEOUT(std::all_of(started.begin(), started.end(), Gone), TimeoutMs);
    }
    QVERIFY(DestroyLeavesNothing(run, started));
}

void TerminalProcessTest::everyByteComesBeforeTheEnd()
{
    constexpr int Lines = 1250000; // about 10 MB
    QByteArray expected;
    for (int line = 1; line <= Lines; ++line)
        expected += QByteArray::number(line) + "\n";

    Run run;
    QVERIFY(run.Script("exec seq " + std::to_string(Lines)));
    QVERIFY(run.WaitForEnd());
    QCOMPARE(run.ends.front().exitStatus, 0);
    QCOMPARE(run.outputAtEnd.size(), expected.size());
    QVERIFY(run.outputAtEnd == expected);
    QCoreApplication::processEvents();
    QCOMPARE(run.ends.size(), 1);
    QCOMPARE(run.output.size(), expected.size());
}

void TerminalProcessTest::failedStartLeavesNothing_data()
{
    QTest::addColumn<QString>("program"); // names without a '/' are in the temporary folder
    QTest::addColumn<QString>("folder");
    QTest::addColumn<int>("reason");

    QTest::newRow("missing program") << "missing" << QString() << ENOENT;
    QTest::newRow("not executable") << "plain" << QString() << EACCES;
    QTest::newRow("a folder") << "." << QString() << EACCES;
    QTest::newRow("missing folder") << "/bin/sh"
                                    << "missing" << ENOENT;
    QTest::newRow("folder is a file") << "/bin/sh"
                                      << "plain" << ENOTDIR;
}

void TerminalProcessTest::failedStartLeavesNothing()
{
    QFETCH(QString, program);
    QFETCH(QString, folder);
    QFETCH(int, reason);

    QFile plain(temporary_.filePath(QStringLiteral("plain")));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    plain.write("#!/bin/sh\n");
    plain.close();
    const auto path = [this](const QString& name) {
        return name.isEmpty() || name.startsWith(QLatin1Char('/'))
                   ? name.toStdString()
                   : QFile::encodeName(temporary_.filePath(name)).toStdString();
    };

    Run run;
    QString error;
    QVERIFY(!run.process->Start(path(program), {}, path(folder), {}, &error));
    QCOMPARE(error, QString::fromLocal8Bit(std::strerror(reason)));
    QVERIFY(!run.process->IsRunning());
    QVERIFY(NoChildren());
    QCoreApplication::processEvents();
    QVERIFY(run.ends.isEmpty());
}

void TerminalProcessTest::startsOneRunAtATime()
{
    Run run;
    // The next run may start as soon as the last has ended.
    Run* const runPointer = &run;
    QObject::connect(run.process.get(), &TerminalProcess::Finished, run.process.get(),
                     [runPointer] {
                         if (runPointer->ends.size() == 1)
                             QVERIFY(runPointer->Script("exit 4"));
                     });
    QVERIFY(run.Script("exec cat"));
    QString error;
    QVERIFY(!run.process->Start(Shell, {"-c", "exit 0"}, {}, {}, &error));
    QVERIFY(!error.isEmpty());
    QVERIFY(run.process->IsRunning());
    run.process->EndInput();
    QVERIFY(run.WaitForEnd(2));
    QCOMPARE(run.ends.front().exitStatus, 0);
    QCOMPARE(run.ends.back().exitStatus, 4);
    QVERIFY(!run.process->IsRunning());
}

void TerminalProcessTest::destructionEndsEverything()
{
    Run run;
    QVERIFY(run.Script("sleep 300 & echo $!; echo ready; exec sleep 300"));
    QVERIFY(run.WaitFor("ready"));
    QVERIFY(DestroyLeavesNothing(run, PrintedPids(run.output)));
}

void TerminalProcessTest::inputReachesProgram_data()
{
    QTest::addColumn<QByteArray>("script");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<bool>("endInput");
    QTest::addColumn<QByteArray>("expected"); // in the output, after the terminal's echo

    QTest::newRow("a line") << QByteArray("exec head -n 1") << QByteArray("hello\n") << false
                            << QByteArray("hello\nhello\n");
    QTest::newRow("a line, then the end") << QByteArray("exec cat") << QByteArray("hello\n") << true
                                          << QByteArray("hello\nhello\n");
    QTest::newRow("part of a line, then the end")
        << QByteArray("exec cat") << QByteArray("partial") << true << QByteArray("partialpartial");
    QTest::newRow("more than the terminal takes at once")
        << QByteArray("exec wc -c") << QByteArray(99, 'x').append('\n').repeated(1000) << true
        << QByteArray("100000\n");
}

void TerminalProcessTest::inputReachesProgram()
{
    QFETCH(QByteArray, script);
    QFETCH(QByteArray, input);
    QFETCH(bool, endInput);
    QFETCH(QByteArray, expected);

    Run run;
    QVERIFY(run.Script(script.toStdString()));
    run.process->Write(input);
    if (endInput)
        run.process->EndInput();
    QVERIFY(run.WaitForEnd());
    QCOMPARE(run.ends.front().exitStatus, 0);
    QVERIFY2(run.output.contains(expected), run.output.right(200).constData());
}

QTEST_GUILESS_MAIN(TerminalProcessTest)
#include "TerminalProcessTest.moc"
