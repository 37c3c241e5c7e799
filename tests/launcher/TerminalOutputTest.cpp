#include "launcher/TerminalOutput.h"

#include "launcher/TerminalEscapes.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <vector>

namespace {

using Limits = std::vector<std::size_t>; // max lines, max bytes, max line bytes

// A byte string that may hold NUL bytes.
template <std::size_t N> QByteArray Bytes(const char (&text)[N])
{
    return QByteArray(text, N - 1);
}

QByteArrayList LinesOf(const TerminalOutput& output)
{
    QByteArrayList lines;
    for (std::size_t i = 0; i < output.LineCount(); ++i) {
        const std::string& bytes = output.Line(i).Bytes();
        lines.append(QByteArray(bytes.data(), static_cast<qsizetype>(bytes.size())));
    }
    return lines;
}

QString StyleText(const TerminalStyle& style)
{
    QStringList parts;
    const char* flags = "bdiurx";
    for (int bit = 0; bit < 6; ++bit) {
        if ((style.Flags & (1 << bit)) != 0)
            parts.append(QString(QLatin1Char(flags[bit])));
    }
    const auto color = [&parts](const char* name, std::uint32_t value) {
        if (TerminalColor::KindOf(value) == TerminalColor::IndexedKind)
            parts.append(QStringLiteral("%1=%2").arg(QLatin1String(name)).arg(value & 0xFF));
        else if (TerminalColor::KindOf(value) == TerminalColor::RgbKind)
            parts.append(QStringLiteral("%1=#%2")
                             .arg(QLatin1String(name))
                             .arg(TerminalColor::ValueOf(value), 6, 16, QLatin1Char('0')));
    };
    color("fg", style.Foreground);
    color("bg", style.Background);
    return parts.isEmpty() ? QStringLiteral("-") : parts.join(QLatin1Char(','));
}

// "2:fg=1 4:-": where each style run starts, and its style.
QString RunsText(const TerminalLine& line)
{
    QStringList runs;
    for (const StyleRun& run : line.Runs())
        runs.append(QStringLiteral("%1:%2").arg(run.Start).arg(StyleText(run.Style)));
    return runs.join(QLatin1Char(' '));
}

// Every way the tests cut an input into Append calls: not at all, after every byte, and in two
// at each place. Each cutting lists where its pieces end.
std::vector<std::vector<qsizetype>> Cuttings(qsizetype size)
{
    std::vector<std::vector<qsizetype>> cuttings{{size}, {}};
    for (qsizetype end = 1; end <= size; ++end)
        cuttings[1].push_back(end);
    for (qsizetype cut = 1; cut < size; ++cut)
        cuttings.push_back({cut, size});
    return cuttings;
}

void Feed(TerminalOutput& output, const QByteArray& input, const std::vector<qsizetype>& ends)
{
    qsizetype start = 0;
    for (const qsizetype end : ends) {
        output.Append(input.constData() + start, static_cast<std::size_t>(end - start));
        start = end;
    }
}

void Feed(TerminalOutput& output, const QByteArray& input)
{
    Feed(output, input, {input.size()});
}

} // namespace

class TerminalOutputTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void interpretation_data();
    void interpretation();
    void styles_data();
    void styles();
    void retention_data();
    void retention();
    void notesStartFreshLines();
    void saveWritesTheBytesKept();
    void saveReportsFailure();
};

void TerminalOutputTest::interpretation_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArrayList>("lines");

    const QByteArray swallowed(TerminalEscapes::MaxSequenceBytes - 1, 'x');
    const QByteArray rest(45, 'x');

    QTest::newRow("CR LF") << Bytes("one\r\ntwo\r\n\r\n") << QByteArrayList{"one", "two", ""};
    QTest::newRow("LF alone, unfinished line") << Bytes("a\nb") << QByteArrayList{"a", "b"};
    QTest::newRow("CR, shorter text") << Bytes("100%\r50%") << QByteArrayList{"50%%"};
    QTest::newRow("CR, longer text") << Bytes("50%\r100%") << QByteArrayList{"100%"};
    QTest::newRow("CR over UTF-8") << Bytes("h\xc3\xa9llo\rHE") << QByteArrayList{"HEllo"};
    QTest::newRow("UTF-8 over ASCII")
        << Bytes("hello\r\xe2\x82\xac!") << QByteArrayList{"\xe2\x82\xac!llo"};
    QTest::newRow("BS") << Bytes("abc\bX\b\b\b\b\bY") << QByteArrayList{"YbX"};
    QTest::newRow("BS over UTF-8") << Bytes("a\xc3\xa9\bx") << QByteArrayList{"ax"};
    QTest::newRow("BS over a byte not UTF-8") << Bytes("a\xc3\xc3\by") << QByteArrayList{"a\xc3y"};
    QTest::newRow("TAB kept") << Bytes("a\tb") << QByteArrayList{"a\tb"};
    QTest::newRow("other controls dropped")
        << Bytes("a\007b\0c\177\014d") << QByteArrayList{"abcd"};
    QTest::newRow("erase to end") << Bytes("10%\r\x1b[Kdone") << QByteArrayList{"done"};
    QTest::newRow("erase to end, mid-line")
        << Bytes("abcdef\b\b\b\x1b[0K") << QByteArrayList{"abc"};
    QTest::newRow("erase to start") << Bytes("abcdef\b\b\b\x1b[1KX") << QByteArrayList{"   Xef"};
    QTest::newRow("erase to start at the end") << Bytes("abc\x1b[1Kd") << QByteArrayList{"   d"};
    QTest::newRow("erase line keeps the column") << Bytes("abc\x1b[2Kd") << QByteArrayList{"   d"};
    QTest::newRow("erase line, then CR") << Bytes("abc\x1b[2K\rd") << QByteArrayList{"d"};
    QTest::newRow("progress bar") << Bytes("[##  ]\r\x1b[2K[####]\r\n") << QByteArrayList{"[####]"};
    QTest::newRow("SGR") << Bytes("\x1b[1;31mred\x1b[0m") << QByteArrayList{"red"};
    QTest::newRow("other CSI swallowed")
        << Bytes("a\x1b[2Jb\x1b[?25lc\x1b[10;20Hd\x1b[>4;2me") << QByteArrayList{"abcde"};
    QTest::newRow("OSC to BEL") << Bytes("\x1b]0;title\x07text") << QByteArrayList{"text"};
    QTest::newRow("OSC to ST") << Bytes("\x1b]2;ti\xc3\xa9\x1b\\text") << QByteArrayList{"text"};
    QTest::newRow("two-byte and charset escapes")
        << Bytes("\x1b=a\x1b(Bb\0337c") << QByteArrayList{"abc"};
    QTest::newRow("LF inside CSI") << Bytes("a\x1b[3\n1mb") << QByteArrayList{"a", "b"};
    QTest::newRow("CAN cancels") << Bytes("a\x1b[31\030b") << QByteArrayList{"ab"};
    QTest::newRow("ESC before a byte not ASCII")
        << Bytes("\x1b\xc3\xa9") << QByteArrayList{"\xc3\xa9"};
    QTest::newRow("unterminated OSC is dropped")
        << QByteArray("\x1b]" + swallowed + rest + "\r\nnext") << QByteArrayList{rest, "next"};
    QTest::newRow("not UTF-8 kept")
        << Bytes("caf\xe9 \xff\xfe ok") << QByteArrayList{"caf\xe9 \xff\xfe ok"};
    QTest::newRow("cut sequences")
        << Bytes("\xe2\x82x\xf0\x9f\x98\r\n") << QByteArrayList{"\xe2\x82x\xf0\x9f\x98"};
    QTest::newRow("overlong, surrogate, past U+10FFFF")
        << Bytes("\xc0\xaf\xed\xa0\x80\xf4\x90\x80\x80")
        << QByteArrayList{"\xc0\xaf\xed\xa0\x80\xf4\x90\x80\x80"};
    QTest::newRow("ESC inside a sequence")
        << Bytes("\xe2\x82\x1b[31mx") << QByteArrayList{"\xe2\x82x"};
    QTest::newRow("valid after invalid")
        << Bytes("\xe2\xe2\x82\xac\xac") << QByteArrayList{"\xe2\xe2\x82\xac\xac"};
    QTest::newRow("CR over bytes not UTF-8")
        << Bytes("\xff\xfe\xfd\rab") << QByteArrayList{"ab\xfd"};
}

void TerminalOutputTest::interpretation()
{
    QFETCH(QByteArray, input);
    QFETCH(QByteArrayList, lines);
    for (const std::vector<qsizetype>& cutting : Cuttings(input.size())) {
        TerminalOutput output;
        Feed(output, input, cutting);
        QCOMPARE(LinesOf(output), lines);
    }
}

void TerminalOutputTest::styles_data()
{
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QString>("runs"); // of the first line

    QTest::newRow("plain") << Bytes("plain\x1b[0m") << QString();
    QTest::newRow("basic colour") << Bytes("ab\x1b[31mcd\x1b[0mef") << QStringLiteral("2:fg=1 4:-");
    QTest::newRow("attributes") << Bytes("\x1b[1;2;3;4;7mA\x1b[23;24;27mB\x1b[22mC")
                                << QStringLiteral("0:b,d,i,u,r 1:b,d 2:-");
    QTest::newRow("bright colours") << Bytes("\x1b[95;104mA") << QStringLiteral("0:fg=13,bg=12");
    QTest::newRow("256 colours") << Bytes("\x1b[38;5;208;48;5;17;1mA")
                                 << QStringLiteral("0:b,fg=208,bg=17");
    QTest::newRow("true colour") << Bytes("\x1b[38;2;255;128;0;4mA")
                                 << QStringLiteral("0:u,fg=#ff8000");
    QTest::newRow("true colour, colons")
        << Bytes("\x1b[48:2::1:2:3;38:5:9mA") << QStringLiteral("0:fg=9,bg=#010203");
    QTest::newRow("default colours")
        << Bytes("\x1b[31;41mA\x1b[39mB\x1b[49mC") << QStringLiteral("0:fg=1,bg=1 1:bg=1 2:-");
    QTest::newRow("empty SGR resets") << Bytes("\x1b[1mA\x1b[mB") << QStringLiteral("0:b 1:-");
    QTest::newRow("unknown ignored") << Bytes("\x1b[5;31;999mA") << QStringLiteral("0:fg=1");
    QTest::newRow("underline colour skipped")
        << Bytes("\x1b[58;5;1mA\x1b[58;2;1;3;4mB") << QString();
    QTest::newRow("underline off by 4:0")
        << Bytes("\x1b[4mA\x1b[4:0mB") << QStringLiteral("0:u 1:-");
    QTest::newRow("not UTF-8 marked") << Bytes("a\377b") << QStringLiteral("1:x 2:-");
    QTest::newRow("not UTF-8 in colour") << Bytes("\x1b[31m\xff") << QStringLiteral("0:x,fg=1");
    QTest::newRow("overwrite keeps the rest's style")
        << Bytes("\x1b[31mred\x1b[0m plain\rX") << QStringLiteral("1:fg=1 3:-");
    QTest::newRow("overwrite joins a run")
        << Bytes("a\x1b[32mbc\x1b[m\ra\x1b[32mb") << QStringLiteral("1:fg=2");
    QTest::newRow("erase to start blanks in the default style")
        << Bytes("\x1b[31mabcd\b\b\x1b[1K") << QStringLiteral("3:fg=1");
}

void TerminalOutputTest::styles()
{
    QFETCH(QByteArray, input);
    QFETCH(QString, runs);
    for (const std::vector<qsizetype>& cutting : Cuttings(input.size())) {
        TerminalOutput output;
        Feed(output, input, cutting);
        QVERIFY(output.LineCount() > 0);
        QCOMPARE(RunsText(output.Line(0)), runs);
    }
}

void TerminalOutputTest::retention_data()
{
    QTest::addColumn<Limits>("limits");
    QTest::addColumn<QByteArray>("input");
    QTest::addColumn<QByteArrayList>("lines");
    QTest::addColumn<int>("dropped");

    const std::size_t many = 1000;
    QTest::newRow("last lines") << Limits{3, many, many} << Bytes("1\r\n2\r\n3\r\n4\r\n5\r\n")
                                << QByteArrayList{"3", "4", "5"} << 2;
    QTest::newRow("unfinished line counts")
        << Limits{3, many, many} << Bytes("1\n2\n3\n4") << QByteArrayList{"2", "3", "4"} << 1;
    QTest::newRow("byte cap") << Limits{many, 10, many} << Bytes("aaaa\nbbbb\ncccc\n")
                              << QByteArrayList{"bbbb", "cccc"} << 1;
    // Room for the second line's two bytes and two runs, not for the first line too.
    QTest::newRow("byte cap counts styles")
        << Limits{many, 2 + 2 * sizeof(StyleRun) + 3, many}
        << Bytes("aaaa\n\x1b[31mb\x1b[32mb\x1b[0m\n") << QByteArrayList{"bb"} << 1;
    QTest::newRow("long line goes on") << Limits{many, many, 4} << Bytes("abcdefghij\r\nk")
                                       << QByteArrayList{"abcd", "efgh", "ij", "k"} << 0;
    QTest::newRow("long line after an overwrite")
        << Limits{many, many, 4} << Bytes("ab\rcdefg") << QByteArrayList{"cdef", "g"} << 0;
    QTest::newRow("long line cut between characters")
        << Limits{many, many, 4} << Bytes("ab\xe2\x82\xacxy\xff")
        << QByteArrayList{"ab", "\xe2\x82\xacx", "y\xff"} << 0;
}

void TerminalOutputTest::retention()
{
    QFETCH(Limits, limits);
    QFETCH(QByteArray, input);
    QFETCH(QByteArrayList, lines);
    QFETCH(int, dropped);
    for (const std::vector<qsizetype>& cutting : Cuttings(input.size())) {
        TerminalOutput output(limits[0], limits[1], limits[2]);
        Feed(output, input, cutting);
        QCOMPARE(LinesOf(output), lines);
        QCOMPARE(output.DroppedLines(), static_cast<std::uint64_t>(dropped));
    }
}

void TerminalOutputTest::notesStartFreshLines()
{
    TerminalOutput output;
    Feed(output, "done\r\n");
    output.AppendNote(QStringLiteral("Started: /usr/bin/grep -i x"));
    // An unfinished line, a colour and half a character when the program ends.
    Feed(output, "50%\r\x1b[31m\xe2\x82");
    output.AppendNote(QStringLiteral("Exited with status 0\nafter 1.2 s"));
    Feed(output, "again\x1b[K");

    QCOMPARE(LinesOf(output), (QByteArrayList{"done", "Started: /usr/bin/grep -i x", "\xe2\x82%",
                                              "Exited with status 0", "after 1.2 s", "again"}));
    QCOMPARE(output.Line(1).IsNote(), true);
    QCOMPARE(output.Line(2).IsNote(), false);
    QCOMPARE(RunsText(output.Line(2)), QStringLiteral("0:x,fg=1 2:-"));
    QCOMPARE(output.Line(4).IsNote(), true);
    QCOMPARE(RunsText(output.Line(5)), QString());
}

void TerminalOutputTest::saveWritesTheBytesKept()
{
    TerminalOutput output(2);
    for (int line = 0; line < 1234; ++line)
        Feed(output, "old\n");
    Feed(output, "caf\xe9\r\n");
    output.AppendNote(QString::fromUtf16(u"Exited \u2014 status 1"));
    QCOMPARE(output.DroppedLines(), std::uint64_t(1234));

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("output.txt"));
    QString error;
    QVERIFY2(output.SaveTo(FilePath::FromText(path), &error), qPrintable(error));
    QFile saved(path);
    QVERIFY(saved.open(QIODevice::ReadOnly));
    QCOMPARE(
        saved.readAll(),
        QByteArray(
            "1,234 earlier lines are no longer kept\ncaf\xe9\nExited \xe2\x80\x94 status 1\n"));

    output.Clear();
    Feed(output, "x");
    QVERIFY(output.SaveTo(FilePath::FromText(path), &error));
    QFile again(path);
    QVERIFY(again.open(QIODevice::ReadOnly));
    QCOMPARE(again.readAll(), QByteArray("x\n"));
}

void TerminalOutputTest::saveReportsFailure()
{
    QTemporaryDir folder;
    TerminalOutput output;
    Feed(output, "x");
    QString error;
    QVERIFY(!output.SaveTo(
        FilePath::FromText(folder.filePath(QStringLiteral("missing/output.txt"))), &error));
    QVERIFY(!error.isEmpty());
}

QTEST_GUILESS_MAIN(TerminalOutputTest)
#include "TerminalOutputTest.moc"
