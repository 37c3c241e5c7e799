#include "document/DefinitionFile.h"
#include "tests/document/TestFiles.h"
#include "tests/document/oracle/LiteralReader.h"
#include "tests/support/DocumentPrinting.h"

#include <QTest>
#include <filesystem>
#include <memory>
#include <random>

Q_DECLARE_METATYPE(std::string)

// The fast reader against the literal one, on crafted files around every
// rule and capacity of the reader and on thousands of generated files.

using namespace std::string_literals;

namespace {

const std::string Program = "/t/tool.exe";
const std::string DefinitionPath = "/t/tool.Quarn";
constexpr std::size_t Capacity = 40958;

std::string Repeated(std::size_t count, char c = 'x')
{
    return std::string(count, c);
}

// Random files built from the pieces the reader reacts to.
class FileGenerator
{
public:
    explicit FileGenerator(std::uint32_t seed) : random_(seed) {}

    std::string File()
    {
        std::string file;
        const int lines = Below(40);
        for (int i = 0; i < lines; ++i)
            file += Line() + Pick(LineEnds);
        if (Below(40) == 0)
            file += LongLine();
        return file;
    }

private:
    static constexpr const char* Names[] = {"Quarn", "quarn", "A", "a", "B", " A ", "", "x]y"};
    static constexpr const char* Keys[] = {
        "Name",          "Program", "Directory",   "Command shell", "First",
        "Information",   "Type",    "Value",       "Value1",        "VALUE2",
        "Value3",        "Format",  "Arg",         "Multiple",      "Mandatory",
        "Use Directory", "Name ",   "information", "other",         "",
        "Value01",       "Value0",  "value1",      "Value+1",       "Value1 "};
    static constexpr const char* Values[] = {
        "",  "1",  "0",   "-1",  " 2", "+3",         "12abc",        "yes", "3",
        "2", "-0", "x=y", "[A]", "[B", "2147483648", "-99999999999", "\t4", "1\r"};
    static constexpr const char* LineEnds[] = {"\r\n", "\r\n", "\r\n",   "\n",
                                               "\r",   "",     "\r\r\n", "\n\r"};

    int Below(int limit) { return std::uniform_int_distribution<int>(0, limit - 1)(random_); }

    template <std::size_t N> std::string Pick(const char* const (&choices)[N])
    {
        return choices[Below(static_cast<int>(N))];
    }

    std::string Line()
    {
        switch (Below(10)) {
        case 0:
        case 1:
            return "[" + Pick(Names) + "]";
        case 2:
            return "[" + Pick(Names);
        case 3:
            return "Information=" + Pick(Values);
        case 4:
            return Pick(Values) + std::string(1, '\0') + Pick(Keys);
        case 5:
            return Pick(Values);
        default:
            return Pick(Keys) + "=" + Pick(Values);
        }
    }

    // A line near the capacity, possibly an Information block's text.
    std::string LongLine()
    {
        const std::size_t length = Capacity - 3 + static_cast<std::size_t>(Below(7));
        const std::string head = Below(2) ? "Information=" : "[Quarn]\r\n[A]\r\nValue1=";
        return head + Pick(Values) + "\r\n" + Repeated(length) + Pick(LineEnds) + "Value2=z";
    }

    std::mt19937 random_;
};

struct Case
{
    std::string name;
    std::string bytes;
};

// Lines that fill the capacity exactly, and one byte short of it and past
// it, with every kind of line end at the cut.
std::vector<Case> CapacityCases()
{
    struct End
    {
        const char* name;
        const char* bytes;
    };
    const std::string header = "[Quarn]\r\n[A]\r\n";
    const std::string key = "Value1=";
    const std::string information = "Information=";
    std::vector<Case> cases;
    for (const std::size_t length : {Capacity - 1, Capacity, Capacity + 1}) {
        for (const End end :
             {End{"CR LF", "\r\n"}, End{"LF", "\n"}, End{"CR", "\r"}, End{"no line end", ""}}) {
            const auto add = [&](const char* kind, std::string bytes) {
                cases.push_back(
                    {std::string(kind) + ", " + std::to_string(length) + " bytes, " + end.name,
                     std::move(bytes)});
            };
            add("plain line",
                header + key + Repeated(length - key.size()) + end.bytes + "Value2=next\r\n");
            add("plain line ending in CR", header + key + Repeated(length - key.size() - 1) + "\r" +
                                               end.bytes + "Value2=next\r\n");
            add("header",
                "[Quarn]\r\n[" + Repeated(length - 2) + "]" + end.bytes + "Type=String\r\n");
            // A first text line that, with the CR LF it gets, ends the block
            // at length bytes.
            add("information text", header + information + "-1\r\n" +
                                        Repeated(length - information.size() - 2) + end.bytes +
                                        "second" + end.bytes + "Type=after\r\n");
            add("information text in two lines",
                header + information + "-1\r\n" + Repeated(Capacity / 2) + end.bytes +
                    Repeated(length - information.size() - Capacity / 2 - 2) + end.bytes +
                    "Type=after");
        }
    }
    cases.push_back({"information key line past the capacity",
                     header + information + "3" + Repeated(Capacity) + "\r\nnext\r\n"});
    return cases;
}

std::vector<Case> CraftedCases()
{
    return {
        {"empty file", ""},
        {"only line ends", "\r\n\n\r\r\n"},
        {"information past the end", "[Quarn]\r\nInformation=5\r\na\r\nb"},
        {"information of 0 lines", "[Quarn]\r\nInformation=0\r\nName=n\r\n"},
        {"information of -1 lines", "[Quarn]\r\nName=n\r\nInformation=-1\r\n[A]\r\nType=x\r\n"},
        {"information not a number", "[Quarn]\r\nInformation=many\r\nName=n\r\n"},
        {"information count with blanks and sign", "[Quarn]\r\nInformation= \t+2x\r\na\r\nb\r\n"},
        {"information count far away",
         "[Quarn]\r\nInformation=" + Repeated(40, ' ') + "2\r\na\r\n"},
        {"information in option and before headers",
         "Information=1\r\n[Quarn]\r\n[A]\r\ninformation=2\nline\r\n[B]\r\n[B]\r\nType=y\r\n"},
        {"information folding a header away", "[Quarn]\r\n[A]\r\nInformation=1\r\n[B]\r\n[C]\r\n"},
        {"mixed line ends", "[Quarn]\nName=a\r\r\nProgram=b\rDirectory=c\n\rFirst=1\r\n[A]\n[B]"},
        {"NUL bytes", "[Quarn]\r\nName=a\0b\r\n[A\0]\r\nType=\0\r\n[\0]\r\nArg=\0 1\0"s},
        {"header without ']'", "[Quarn]\r\n[A]\r\nType=a\r\n[B\r\nType=b\r\n[C]\r\n"},
        {"header without ']' before the global section", "[x\r\n[Quarn]\r\nName=n\r\n[A]\r\n"},
        {"huge numbers",
         "[Quarn]\r\nFirst=99999999999999999999\r\n[A]\r\nArg=-99999999999999999999\r\n"
         "Multiple=4294967296\r\n"},
        {"long section names", "[Quarn]\r\n[" + Repeated(5000, 'n') + "]\r\nType=String\r\n[" +
                                   Repeated(5000, 'N') + "]\r\nType=Other\r\n"},
        {"duplicate and case-folded sections",
         "[Quarn]\r\n[A]\r\n[a]\r\nValue1=1\r\n[A]\r\nType=x\r\n[QUARN]\r\nName=late\r\n"},
        {"values with holes", "[Quarn]\r\n[A]\r\nValue2=2\r\nValue1=1\r\nValue3=\r\nValue4=4\r\n"},
        {"listed value keys that no lookup spells",
         "[Quarn]\r\n[A]\r\nValue01=0\r\nValue0=0\r\nValue1=1\r\nValue002=2\r\nVALUE2=2\r\n"
         "Value3 =3\r\nValue99999999999999999999=9\r\n"},
        {"digits at the end of the number width",
         "[Quarn]\r\nFirst=" + Repeated(30, ' ') + "1\r\n[A]\r\nArg=" + Repeated(31, ' ') +
             "2\r\nInformation=" + Repeated(30, '\t') +
             "1\r\nx\r\n[B]\r\nInformation=" + Repeated(31, ' ') + "1\r\ny\r\n"},
    };
}

void AddRows(const std::vector<Case>& cases)
{
    for (const Case& row : cases)
        QTest::newRow(row.name.c_str()) << row.bytes;
}

} // namespace

class ReaderDifferentialTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void agreesOnCraftedFiles_data()
    {
        QTest::addColumn<std::string>("bytes");
        AddRows(CraftedCases());
        AddRows(CapacityCases());
        for (const std::string& file : TestDataFiles())
            QTest::newRow(std::filesystem::path(file).filename().c_str()) << ReadBytes(file);
    }

    void agreesOnCraftedFiles()
    {
        QFETCH(std::string, bytes);
        QCOMPARE(ReadDefinition(bytes, Program, DefinitionPath),
                 ReadDefinitionLiterally(bytes, Program, DefinitionPath));
    }

    void agreesOnGeneratedFiles()
    {
        const std::uint32_t seed = qEnvironmentVariableIsSet("QUARN_READER_SEED")
                                       ? qEnvironmentVariableIntValue("QUARN_READER_SEED")
                                       : std::random_device()();
        FileGenerator generator(seed);
        for (int i = 0; i < 4000; ++i) {
            const std::string bytes = generator.File();
            const CDef fast = ReadDefinition(bytes, Program, DefinitionPath);
            const CDef literal = ReadDefinitionLiterally(bytes, Program, DefinitionPath);
            if (fast != literal) {
                const std::unique_ptr<char[]> shown(toString(bytes));
                qWarning("Readers differ on file %d of seed %u (QUARN_READER_SEED=%u): %s", i, seed,
                         seed, shown.get());
                QCOMPARE(fast, literal);
            }
        }
    }
};

QTEST_APPLESS_MAIN(ReaderDifferentialTest)
#include "ReaderDifferentialTest.moc"
