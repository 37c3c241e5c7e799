// The launcher's window on the offscreen platform: opening definitions of
// 10 and 10,000 options until the window is exposed, and running
// `seq 10000000` to its end in the window, against the same output through
// a bare pseudo-terminal (script(1)). It prints the times, the longest the
// event loop went without answering during the run, and the peak memory.

#include "bench/GeneratedDefinition.h"
#include "document/DefinitionFile.h"
#include "launcher/LauncherForm.h"
#include "launcher/LauncherPanel.h"
#include "launcher/RunSession.h"
#include "tests/support/FakeDialogs.h"
#include "tests/support/TestPlatform.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <string>
#include <vector>

namespace {

LaunchDefinition WrittenDefinition(const QTemporaryDir& folder, const QString& name,
                                   const std::string& bytes)
{
    const QString path = folder.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) ||
        file.write(bytes.data(), static_cast<qint64>(bytes.size())) != qint64(bytes.size()))
        qFatal("cannot write %s", qPrintable(path));
    file.close();
    LaunchDefinition definition;
    std::string reason;
    if (!ReadLaunchDefinition(path.toStdString(), {}, definition, reason))
        qFatal("cannot read %s", qPrintable(path));
    return definition;
}

// Milliseconds from reading the file to the window exposed, the median of runs.
double OpenMs(const QTemporaryDir& folder, int options)
{
    const std::string bytes = WriteDefinition(GeneratedDefinition(options));
    std::vector<double> times;
    for (int run = 0; run < 7; ++run) {
        TestPlatform platform;
        FakeDialogs dialogs;
        QElapsedTimer timer;
        timer.start();
        TLauncherForm form(platform, dialogs,
                           WrittenDefinition(folder, QStringLiteral("open.Quarn"), bytes), {});
        form.show();
        if (!QTest::qWaitForWindowExposed(&form))
            qFatal("the window was not exposed");
        QCoreApplication::processEvents();
        times.push_back(static_cast<double>(timer.nsecsElapsed()) / 1e6);
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

long PeakMemoryKiB()
{
    std::ifstream status("/proc/self/status");
    std::string line;
    while (std::getline(status, line)) {
        if (line.rfind("VmHWM:", 0) == 0)
            return std::atol(line.c_str() + 6);
    }
    return -1;
}

void RunSeq(const QTemporaryDir& folder)
{
    TestPlatform platform;
    FakeDialogs dialogs;
    TLauncherForm form(platform, dialogs,
                       WrittenDefinition(folder, QStringLiteral("seq.Quarn"),
                                         "[Quarn]\r\nProgram=seq\r\n[Count]\r\nValue=10000000\r\n"),
                       {});
    form.show();
    if (!QTest::qWaitForWindowExposed(&form))
        qFatal("the window was not exposed");

    // The event loop's longest pause: a timer that should tick every 5 ms.
    QElapsedTimer sinceTick;
    qint64 longestPause = 0;
    QTimer ticker;
    QObject::connect(&ticker, &QTimer::timeout, [&sinceTick, &longestPause] {
        longestPause = std::max(longestPause, sinceTick.restart());
    });
    QSignalSpy ended(&form.Panel().Session(), &RunSession::Ended);
    QElapsedTimer timer;
    timer.start();
    sinceTick.start();
    ticker.start(5);
    form.Panel().RunExecute();
    if (!ended.wait(600000))
        qFatal("seq did not end");
    const double seconds = static_cast<double>(timer.elapsed()) / 1000.0;
    ticker.stop();
    std::printf("seq 10000000 in the window: %.2f s, longest event-loop pause %lld ms, "
                "peak memory %ld MiB\n",
                seconds, static_cast<long long>(longestPause), PeakMemoryKiB() / 1024);

    timer.restart();
    if (std::system("script -q -c 'seq 10000000' /dev/null > /dev/null") != 0)
        std::printf("script(1) failed\n");
    std::printf("seq 10000000 through script(1): %.2f s\n",
                static_cast<double>(timer.elapsed()) / 1000.0);
}

} // namespace

int main(int argc, char* argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const QTemporaryDir folder;
    RunSeq(folder);
    for (const int options : {10, 10000})
        std::printf("open a definition of %d options: %.1f ms\n", options, OpenMs(folder, options));
    return 0;
}
