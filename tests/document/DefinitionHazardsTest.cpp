// The hazard check against the real format: every case it flags really
// comes back different after a save and a reload, and every case it does
// not flag really comes back as it was.
#include "document/DefinitionHazards.h"

#include "document/DefinitionFile.h"
#include "tests/support/DocumentPrinting.h"
#include "tests/support/ReloadChanges.h"

#include <QTest>
#include <random>
#include <sstream>

Q_DECLARE_METATYPE(CDef)

namespace {

using Flag = QPair<int, int>; // option position (-1: settings), HazardKind
using Flags = QList<Flag>;

Flag F(int option, HazardKind kind)
{
    return {option, static_cast<int>(kind)};
}

COption Named(const std::string& name, const std::string& type = "String")
{
    COption option;
    option.Name = name;
    option.Type = type;
    return option;
}

// As the editor keeps a definition: First on the marked option, or, when
// none is marked, the option at first marked.
CDef WithOptions(std::vector<COption> options, std::int32_t first = 0)
{
    CDef def;
    def.Name = "Tool";
    def.Options = std::move(options);
    def.First = first;
    bool marked = false;
    for (std::size_t i = 0; i < def.Options.size(); ++i) {
        marked = marked || def.Options[i].Default;
        if (def.Options[i].Default && first == 0)
            def.First = static_cast<std::int32_t>(i);
    }
    if (!marked && first >= 0 && static_cast<std::size_t>(first) < def.Options.size())
        def.Options[static_cast<std::size_t>(first)].Default = true;
    return def;
}

CDef Unmarked(CDef def)
{
    for (COption& option : def.Options)
        option.Default = false;
    return def;
}

COption Marked(COption option)
{
    option.Default = true;
    return option;
}

CDef RoundTrip(const CDef& def)
{
    return ReadDefinition(WriteDefinition(def), "t.Quarn", "t.Quarn");
}

QList<int> ChangedPositions(const CDef& def)
{
    return ChangedByReload(def, RoundTrip(def));
}

QList<int> MarkedPositions(const std::vector<DefinitionHazard>& hazards)
{
    QList<int> marked;
    for (const DefinitionHazard& hazard : hazards) {
        if (marked.isEmpty() || marked.back() != hazard.option)
            marked.append(hazard.option);
    }
    return marked;
}

// Definitions made of the pieces the format reacts to: brackets, '=',
// line ends, keys, the settings' section name, names that meet, and texts
// within a few bytes of a line's capacity.
class RandomDefinitions
{
public:
    explicit RandomDefinitions(std::uint32_t seed) : random_(seed) {}

    CDef Next()
    {
        CDef def;
        def.Name = Text();
        def.Program = Text();
        def.Directory = Text();
        def.Shell = Text();
        def.Information = Text();
        for (int count = Pick(7); count > 0; --count) {
            if (!def.Options.empty() && Pick(6) == 0) {
                COption twin = def.Options[static_cast<std::size_t>(
                    Pick(static_cast<int>(def.Options.size())))];
                if (Pick(2))
                    twin.Name = "OPTION 1";
                def.Options.push_back(twin);
                continue;
            }
            COption option;
            option.Name = Pick(3) ? std::string(NamePieces[Pick(std::size(NamePieces))])
                                  : Text() + std::to_string(def.Options.size());
            option.Type = Pick(2) ? "Select" : Text();
            option.Value = Text();
            for (int values = Pick(4); values > 0; --values)
                option.Values.push_back(Pick(4) ? "v" + std::to_string(values) : Text());
            option.Format = Text();
            option.Arg = Pick(16) - 1;
            option.Multiple = Pick(2);
            option.Mandatory = Pick(2);
            option.UseDir = Pick(2);
            option.Information = Text();
            option.Default = Pick(8) == 0;
            def.Options.push_back(option);
        }
        // The editor keeps First on the marked option; list commands and
        // files need not.
        def.First = Pick(7) - 1;
        if (Pick(2)) {
            for (std::size_t i = 0; i < def.Options.size(); ++i)
                def.Options[i].Default = def.First == static_cast<int>(i);
        }
        return def;
    }

private:
    static constexpr const char* NamePieces[] = {"A", "a", "B", "Quarn", "option 2", "]x", ""};
    static constexpr const char* Pieces[] = {
        "a",  "]",  "[",    "=",       " ",       "Quarn",          "[B]", "Type=x",
        "\r", "\n", "\r\n", "Value1=", "First=2", "Information=-1", "0",   "Option 1"};

    int Pick(std::size_t count)
    {
        return std::uniform_int_distribution<int>(0, static_cast<int>(count) - 1)(random_);
    }

    std::string Text()
    {
        switch (Pick(3)) {
        case 0:
            return {};
        case 1:
            return "text " + std::to_string(Pick(100));
        }
        std::string text;
        if (Pick(15) == 0)
            text.assign(LineCapacity - 20 + static_cast<std::size_t>(Pick(20)),
                        Pick(2) ? 't' : '[');
        for (int pieces = Pick(4); pieces > 0; --pieces)
            text += Pieces[Pick(std::size(Pieces))];
        return text;
    }

    std::mt19937 random_;
};

} // namespace

class DefinitionHazardsTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void flagsExactlyWhatTheFileLoses_data()
    {
        QTest::addColumn<CDef>("def");
        QTest::addColumn<Flags>("expected");

        COption typed = Named("Input");
        typed.Value = "in.txt";
        COption sameLetters = Named("INPUT", "Select");
        QTest::newRow("same name in other letters")
            << WithOptions({typed, sameLetters}) << Flags{F(1, HazardKind::DuplicateName)};
        COption twin = typed;
        twin.Name = "input";
        QTest::newRow("same name, same keys") << WithOptions({typed, twin}) << Flags{};
        QTest::newRow("unnamed option named like an earlier one")
            << WithOptions({Named("option 2"), Named("", "Select")})
            << Flags{F(1, HazardKind::Unnamed), F(1, HazardKind::DuplicateName)};
        COption settingsNamed = Named("QUARN");
        settingsNamed.Value = "x";
        QTest::newRow("named like the settings")
            << WithOptions({settingsNamed}) << Flags{F(0, HazardKind::SettingsSectionName)};
        QTest::newRow("named like the settings, nothing to lose")
            << WithOptions({Named("Quarn", "")}) << Flags{};
        QTest::newRow("bracket in name")
            << WithOptions({Named("a]b")}) << Flags{F(0, HazardKind::BracketInName)};
        QTest::newRow("brackets are fine elsewhere") << WithOptions({Named("[a[b")}) << Flags{};
        QTest::newRow("unnamed") << WithOptions({Named("A"), Named("")})
                                 << Flags{F(1, HazardKind::Unnamed)};
        QTest::newRow("name empty once cut at ']' ends the list")
            << WithOptions({Named("A"), Named("]x"), Named("C"), Named("D")})
            << Flags{F(1, HazardKind::EndsOptionList), F(2, HazardKind::AfterListEnd),
                     F(3, HazardKind::AfterListEnd)};
        QTest::newRow("name with a line break ends the list")
            << WithOptions({Named("A"), Named("a\r\nb"), Named("C")})
            << Flags{F(1, HazardKind::EndsOptionList), F(2, HazardKind::AfterListEnd)};
        QTest::newRow("name with a line break after its ']'")
            << WithOptions({Named("a]\nb")}) << Flags{F(0, HazardKind::BracketInName)};
        COption spilling = Named("A");
        spilling.Value = "x\n[B]";
        QTest::newRow("a value's second line reads as a header")
            << WithOptions({spilling, Named("B", "Select")})
            << Flags{F(0, HazardKind::LineBreak), F(1, HazardKind::EarlierLines)};
        COption shadowing = Named("A");
        shadowing.Format = "f\nType=Suggest";
        QTest::newRow("a format's second line reads as a key")
            << WithOptions({shadowing}) << Flags{F(0, HazardKind::LineBreak)};
        COption harmless = Named("A");
        harmless.Format = "f\ng";
        QTest::newRow("a format's second line is ignored")
            << WithOptions({harmless, Named("B")}) << Flags{F(0, HazardKind::LineBreak)};

        COption emptyInside = Named("Mode", "Select");
        emptyInside.Values = {"fast", "", "slow"};
        QTest::newRow("empty listed value")
            << WithOptions({emptyInside}) << Flags{F(0, HazardKind::EmptyListedValue)};
        COption emptyLast = Named("Mode", "Suggest");
        emptyLast.Values = {"fast", ""};
        QTest::newRow("empty last listed value")
            << WithOptions({emptyLast}) << Flags{F(0, HazardKind::EmptyListedValue)};

        // "Value=" + text + CR LF within the reader's line.
        COption longest = Named("Long");
        longest.Value.assign(LineCapacity - 8, 'v');
        QTest::newRow("value at the capacity") << WithOptions({longest}) << Flags{};
        COption tooLong = longest;
        tooLong.Value += 'v';
        QTest::newRow("value and CR at the capacity, LF past it")
            << WithOptions({tooLong}) << Flags{F(0, HazardKind::LineTooLong)};
        // The line end alone spills over: it reads as an empty line.
        tooLong.Value += 'v';
        QTest::newRow("value filling the line, line end past it")
            << WithOptions({tooLong}) << Flags{};
        tooLong.Value += 'v';
        QTest::newRow("value past the capacity")
            << WithOptions({tooLong}) << Flags{F(0, HazardKind::LineTooLong)};
        // "[" + name + "]" within the reader's line; the line end may spill over.
        QTest::newRow("name at the capacity")
            << WithOptions({Named(std::string(LineCapacity - 2, 'n'))}) << Flags{};
        QTest::newRow("name past the capacity")
            << WithOptions({Named(std::string(LineCapacity - 1, 'n')), Named("B")})
            << Flags{F(0, HazardKind::EndsOptionList), F(1, HazardKind::AfterListEnd)};
        // "Information=" + text + CR LF, folded, within the capacity.
        COption informed = Named("Info");
        informed.Information =
            std::string(100, 'a') + "\r\n" + std::string(LineCapacity - 116, 'b');
        QTest::newRow("information at the capacity") << WithOptions({informed}) << Flags{};
        COption overInformed = informed;
        overInformed.Information += 'b';
        QTest::newRow("information and CR at the capacity")
            << WithOptions({overInformed}) << Flags{F(0, HazardKind::LineTooLong)};
        overInformed.Information += 'b';
        QTest::newRow("information filling the line") << WithOptions({overInformed}) << Flags{};
        overInformed.Information += 'b';
        QTest::newRow("information past the capacity")
            << WithOptions({overInformed}) << Flags{F(0, HazardKind::LineTooLong)};
        COption bareLineFeed = Named("Info");
        bareLineFeed.Information = "a\nb";
        QTest::newRow("information with a bare line feed")
            << WithOptions({bareLineFeed}) << Flags{F(0, HazardKind::LineBreak)};
        CDef longSettings = WithOptions({});
        longSettings.Information = std::string(LineCapacity, 'i');
        QTest::newRow("settings information past the capacity")
            << longSettings << Flags{F(-1, HazardKind::LineTooLong)};
        CDef brokenProgram = WithOptions({});
        brokenProgram.Program = "/bin/a\nb";
        QTest::newRow("line break in a one-line text")
            << brokenProgram << Flags{F(-1, HazardKind::LineBreak)};
        COption negative = Named("Count");
        negative.Arg = -3;
        QTest::newRow("negative argument")
            << WithOptions({negative}) << Flags{F(0, HazardKind::NegativeArgument)};

        // Unmarked, First 0 still marks the first option: a new option
        // saved unticked, or the one after a deleted default option.
        QTest::newRow("no mark, First 0")
            << Unmarked(WithOptions({Named("A"), Named("B")}))
            << Flags{F(0, HazardKind::DefaultMark)};
        QTest::newRow("mark where First is")
            << WithOptions({Named("A"), Marked(Named("B"))}) << Flags{};
        QTest::newRow("mark moved away from First")
            << WithOptions({Named("A"), Marked(Named("B")), Named("C")}, 2)
            << Flags{F(1, HazardKind::DefaultMark), F(2, HazardKind::DefaultMark)};
        QTest::newRow("no mark, First elsewhere")
            << Unmarked(WithOptions({Named("A"), Named("B"), Named("C")}, 2))
            << Flags{F(2, HazardKind::DefaultMark)};
        QTest::newRow("First beyond the last option")
            << WithOptions({Marked(Named("A")), Named("B")}, 2)
            << Flags{F(0, HazardKind::DefaultMark)};
        // First below 0 is not written: the first option comes back marked.
        QTest::newRow("First below zero, no mark")
            << WithOptions({Named("A")}, -1) << Flags{F(0, HazardKind::DefaultMark)};
        QTest::newRow("First below zero, a mark elsewhere")
            << WithOptions({Named("A"), Marked(Named("B"))}, -1)
            << Flags{F(0, HazardKind::DefaultMark), F(1, HazardKind::DefaultMark)};
        QTest::newRow("mark on an option after the list's end")
            << WithOptions({Named("A"), Named("]"), Marked(Named("C"))})
            << Flags{F(1, HazardKind::EndsOptionList), F(2, HazardKind::AfterListEnd)};

        CDef plain = WithOptions({typed, emptyLast});
        plain.Options[1].Values = {"fast", "slow"};
        plain.Program = "C:\\Tools\\tool.exe";
        plain.Information = "Two\r\nlines\r\n";
        QTest::newRow("nothing to lose") << plain << Flags{};
    }

    void flagsExactlyWhatTheFileLoses()
    {
        QFETCH(CDef, def);
        QFETCH(Flags, expected);

        Flags found;
        for (const DefinitionHazard& hazard : FindHazards(def)) {
            found.append(F(hazard.option, hazard.kind));
            QVERIFY(!hazard.message.empty());
        }
        QCOMPARE(found, expected);

        // The file's truth: a flagged option comes back different, any
        // other comes back as it was.
        QCOMPARE(MarkedPositions(FindHazards(def)), ChangedPositions(def));
    }

    // The marks against a real save and reload, on many definitions. The
    // environment variable QUARNED_HAZARD_SEED tries other seeds.
    void marksExactlyWhatChangesOnRandomDefinitions()
    {
        const auto seed =
            static_cast<std::uint32_t>(qEnvironmentVariableIntValue("QUARNED_HAZARD_SEED") + 1);
        RandomDefinitions definitions(seed);
        for (int run = 0; run < 3000; ++run) {
            const CDef def = definitions.Next();
            const std::vector<DefinitionHazard> hazards = FindHazards(def);
            QVERIFY2(
                std::all_of(hazards.begin(), hazards.end(),
                            [](const DefinitionHazard& hazard) { return !hazard.message.empty(); }),
                "a hazard without a message");
            if (MarkedPositions(hazards) != ChangedPositions(def)) {
                std::ostringstream report;
                report << "seed " << seed << ", definition " << run << ":\n" << def;
                qInfo("%s", report.str().c_str());
                QCOMPARE(MarkedPositions(hazards), ChangedPositions(def));
            }
        }
    }
};

QTEST_APPLESS_MAIN(DefinitionHazardsTest)
#include "DefinitionHazardsTest.moc"
