// The hazard check against the real format: every case it flags really
// comes back different after a save and a reload, and every case it does
// not flag really comes back as it was.
#include "document/DefinitionHazards.h"

#include "document/DefinitionFile.h"
#include "tests/support/DocumentPrinting.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>
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

CDef WithOptions(std::vector<COption> options, std::int32_t first = 0)
{
    CDef def;
    def.Name = "Tool";
    def.Options = std::move(options);
    def.First = first;
    for (std::size_t i = 0; i < def.Options.size(); ++i) {
        if (def.Options[i].Default && first == 0)
            def.First = static_cast<std::int32_t>(i);
    }
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

bool SettingsEqual(const CDef& a, const CDef& b)
{
    return a.Name == b.Name && a.Program == b.Program && a.Directory == b.Directory &&
           a.Shell == b.Shell && a.Information == b.Information;
}

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
        QTest::newRow("value past the capacity")
            << WithOptions({tooLong}) << Flags{F(0, HazardKind::LineTooLong)};
        // "[" + name + "]" within the reader's line; the line end may spill over.
        QTest::newRow("name at the capacity")
            << WithOptions({Named(std::string(LineCapacity - 2, 'n'))}) << Flags{};
        QTest::newRow("name past the capacity")
            << WithOptions({Named(std::string(LineCapacity - 1, 'n'))})
            << Flags{F(0, HazardKind::LineTooLong)};
        // "Information=" + text + CR LF, folded, within the capacity.
        COption informed = Named("Info");
        informed.Information =
            std::string(100, 'a') + "\r\n" + std::string(LineCapacity - 116, 'b');
        QTest::newRow("information at the capacity") << WithOptions({informed}) << Flags{};
        COption overInformed = informed;
        overInformed.Information += 'b';
        QTest::newRow("information past the capacity")
            << WithOptions({overInformed}) << Flags{F(0, HazardKind::LineTooLong)};
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

        QTest::newRow("no mark, First 0") << WithOptions({Named("A"), Named("B")}) << Flags{};
        QTest::newRow("mark where First is")
            << WithOptions({Named("A"), Marked(Named("B"))}) << Flags{};
        QTest::newRow("mark moved away from First")
            << WithOptions({Named("A"), Marked(Named("B")), Named("C")}, 2)
            << Flags{F(1, HazardKind::DefaultMark), F(2, HazardKind::DefaultMark)};
        QTest::newRow("no mark, First elsewhere")
            << WithOptions({Named("A"), Named("B"), Named("C")}, 2)
            << Flags{F(2, HazardKind::DefaultMark)};
        QTest::newRow("First beyond the last option")
            << WithOptions({Marked(Named("A")), Named("B")}, 2)
            << Flags{F(0, HazardKind::DefaultMark)};
        QTest::newRow("First below zero")
            << WithOptions({Named("A")}, -1) << Flags{F(0, HazardKind::DefaultMark)};

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
        // other comes back as it was. No mark and the first option marked
        // are one choice in the file.
        const CDef reread = RoundTrip(def);
        CDef saved = def;
        const bool anyMarked = std::any_of(saved.Options.begin(), saved.Options.end(),
                                           [](const COption& o) { return o.Default; });
        if (!anyMarked && saved.First == 0 && !saved.Options.empty())
            saved.Options[0].Default = true;
        QVERIFY(reread.Options.size() <= saved.Options.size());
        for (int position = -1; position < static_cast<int>(saved.Options.size()); ++position) {
            const bool flagged = std::any_of(found.begin(), found.end(), [position](const Flag& f) {
                return f.first == position;
            });
            const auto index = static_cast<std::size_t>(position);
            const bool same = position < 0 ? SettingsEqual(saved, reread)
                                           : index < reread.Options.size() &&
                                                 saved.Options[index] == reread.Options[index];
            QVERIFY2(flagged != same, qPrintable(QStringLiteral("position %1 is %2 but %3")
                                                     .arg(position)
                                                     .arg(flagged ? u"flagged" : u"not flagged")
                                                     .arg(same ? u"survives" : u"changes")));
        }
    }

    void countsOptionsNotHazards()
    {
        COption option = Named("");
        option.Arg = -1;
        CDef def = WithOptions({option, Named("B")});
        def.Program = "a\nb";
        QCOMPARE(OptionsWithHazards(FindHazards(def)), 1);
    }

    void commandLineCheck()
    {
        QTemporaryDir dir;
        const auto write = [&dir](const char* name, const QByteArray& bytes) {
            QFile file(dir.filePath(QLatin1String(name)));
            QVERIFY(file.open(QIODevice::WriteOnly));
            file.write(bytes);
        };
        write("clean.Quarn", "[Quarn]\r\nName=A\r\n[In]\r\nType=String\r\n");
        write("twice.Quarn",
              "[Quarn]\r\n[In]\r\nType=String\r\n[IN]\r\nType=String\r\nValue=x\r\n");
        const std::string clean = dir.filePath(QStringLiteral("clean.Quarn")).toStdString();
        const std::string twice = dir.filePath(QStringLiteral("twice.Quarn")).toStdString();
        const std::string missing = dir.filePath(QStringLiteral("missing.Quarn")).toStdString();

        std::ostringstream out, errors;
        QCOMPARE(CheckDefinitionFiles({clean}, out, errors), 0);
        QCOMPARE(out.str(), std::string());

        // The second section reads the first one's keys, so both read alike.
        out.str({});
        write("differ.Quarn", "[Quarn]\r\nFirst=-1\r\n[A]\r\nType=String\r\nArg=-5\r\n");
        const std::string differ = dir.filePath(QStringLiteral("differ.Quarn")).toStdString();
        QCOMPARE(CheckDefinitionFiles({clean, twice, differ}, out, errors), 1);
        QCOMPARE(out.str(),
                 differ +
                     ": option 1: Option 1's argument number is negative; after saving it "
                     "will be 0\n" +
                     differ +
                     ": option 1: Option 1 does not carry the default mark, but after "
                     "saving it will\n");

        out.str({});
        QCOMPARE(CheckDefinitionFiles({missing, differ}, out, errors), 2);
        QCOMPARE(errors.str(), missing + ": cannot be read\n");
    }
};

QTEST_APPLESS_MAIN(DefinitionHazardsTest)
#include "DefinitionHazardsTest.moc"
