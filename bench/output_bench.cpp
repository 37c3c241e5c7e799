// Feeds the output of `seq 10000000` as a pseudo-terminal delivers it ("1\r\n" ...
// "10000000\r\n", about 88 MB, in 64 KiB reads) through the output pane's model, then through
// the pane itself, shown offscreen, with the events handled between reads as the launcher's
// event loop would. Prints the time, the repaints and the peak resident memory of each.
//
//   output_bench [model|view]      both when no argument is given
#include "launcher/OutputView.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <ctime>
#include <functional>
#include <string>

namespace {

constexpr int Lines = 10000000;
constexpr std::size_t ReadSize = 64 * 1024;

// The seq output in reads of ReadSize bytes, made as they are handed out.
class SeqOutput
{
public:
    // The next read; empty at the end.
    const std::string& Next()
    {
        read.erase(0, handedOut);
        char number[16];
        while (read.size() < ReadSize && next <= Lines) {
            const int length = std::snprintf(number, sizeof number, "%d\r\n", next++);
            read.append(number, static_cast<std::size_t>(length));
        }
        handedOut = std::min(read.size(), ReadSize);
        chunk.assign(read, 0, handedOut);
        return chunk;
    }

private:
    int next = 1;
    std::string read;
    std::string chunk;
    std::size_t handedOut = 0;
};

// The peak resident memory so far, in MB.
double PeakResidentMegabytes()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024;
    }
    return 0;
}

struct Run
{
    double Megabytes = 0;
    double Seconds = 0;    // on the clock
    double CpuSeconds = 0; // of the processor's time, which other work on the machine leaves alone
    double Elapsed = 0;    // the making of the reads included
};

// Runs feed over every read, timing it alone.
Run FeedAll(const std::function<void(const std::string&)>& feed)
{
    SeqOutput seq;
    Run run;
    std::chrono::steady_clock::duration spent{};
    std::clock_t cpu = 0;
    const auto begin = std::chrono::steady_clock::now();
    for (const std::string* read = &seq.Next(); !read->empty(); read = &seq.Next()) {
        const auto start = std::chrono::steady_clock::now();
        const std::clock_t cpuStart = std::clock();
        feed(*read);
        cpu += std::clock() - cpuStart;
        spent += std::chrono::steady_clock::now() - start;
        run.Megabytes += static_cast<double>(read->size()) / 1e6;
    }
    run.Seconds = std::chrono::duration<double>(spent).count();
    run.Elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    run.CpuSeconds = static_cast<double>(cpu) / CLOCKS_PER_SEC;
    return run;
}

void Model()
{
    TerminalOutput output;
    const Run run =
        FeedAll([&output](const std::string& read) { output.Append(read.data(), read.size()); });
    std::printf("model: %.1f MB in %.3f s (%.3f s of processor time), %zu lines kept, %llu "
                "dropped, peak RSS %.1f MB\n",
                run.Megabytes, run.Seconds, run.CpuSeconds, output.LineCount(),
                static_cast<unsigned long long>(output.DroppedLines()), PeakResidentMegabytes());
}

// Counts the paints of the pane's viewport.
class PaintCounter : public QObject
{
public:
    int Paints = 0;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Paint)
            ++Paints;
        return QObject::eventFilter(watched, event);
    }
};

void View()
{
    OutputView view;
    PaintCounter counter;
    view.viewport()->installEventFilter(&counter);
    view.resize(900, 600);
    view.show();
    QApplication::processEvents();
    const Run run = FeedAll([&view](const std::string& read) {
        view.AppendBytes(read.data(), static_cast<qsizetype>(read.size()));
        QApplication::processEvents();
    });
    std::printf("view: %.1f MB in %.3f s (%.3f s of processor time), %d repaints (%.0f a "
                "second), peak RSS %.1f MB\n",
                run.Megabytes, run.Seconds, run.CpuSeconds, counter.Paints,
                counter.Paints / run.Elapsed, PeakResidentMegabytes());
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    const bool all = argc < 2;
    if (all || std::strcmp(argv[1], "model") == 0)
        Model();
    if (all || std::strcmp(argv[1], "view") == 0)
        View();
    return 0;
}
