#include "document/DefDocument.h"
#include "document/FileBytes.h"
#include "tests/support/DocumentPrinting.h"

#include <QTemporaryDir>
#include <QTest>
#include <cerrno>
#include <filesystem>
#include <fstream>
#include <functional>
#include <system_error>

#ifndef Q_OS_WIN
#include <sys/stat.h>
#include <unistd.h>
#endif

using Edit = std::function<void(CDefDocument&)>;
Q_DECLARE_METATYPE(Edit)

namespace {

COption Named(const std::string& name)
{
    COption option;
    option.Name = name;
    option.Type = "String";
    return option;
}

// Three options A, B, C, saved, with B marked as the default.
CDefDocument ThreeOptions()
{
    CDefDocument document;
    for (const char* name : {"A", "B", "C"})
        document.AppendOption(Named(name));
    document.SetDefaultOption(1, true);
    document.MarkSaved();
    return document;
}

// "1" for each option with the default mark, "0" for the others.
std::string Marks(const CDefDocument& document)
{
    std::string marks;
    for (const COption& option : document.Current.Options)
        marks += option.Default ? '1' : '0';
    return marks;
}

std::string Names(const CDefDocument& document)
{
    std::string names;
    for (const COption& option : document.Current.Options)
        names += option.Name.empty() ? "_" : option.Name;
    return names;
}

} // namespace

class DocumentModelTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void resetEmptiesEverything()
    {
        CDefDocument document = ThreeOptions();
        document.Current.Name = "Tool";
        document.Path = "/work/tool.Quarn";

        document.Reset();

        QCOMPARE(document.Current, CDef());
        QCOMPARE(document.Saved, CDef());
        QCOMPARE(document.Path, std::string());
        QVERIFY(!document.IsModified());
        QVERIFY(!CDefDocument().IsModified());
    }

    void modifiedTest_data()
    {
        QTest::addColumn<Edit>("edit");
        QTest::addColumn<bool>("modified");

        const auto row = [](const char* name, Edit edit, bool modified) {
            QTest::newRow(name) << edit << modified;
        };
        row(
            "nothing", [](CDefDocument&) {}, false);
        row(
            "same text stored again", [](CDefDocument& d) { d.OptionAt(0).Name = "A"; }, false);
        row(
            "path only", [](CDefDocument& d) { d.Path = "/elsewhere/other.Quarn"; }, false);
        row(
            "letter case of an option name", [](CDefDocument& d) { d.OptionAt(0).Name = "a"; },
            true);
        row(
            "letter case of the program", [](CDefDocument& d) { d.Current.Program = "/Bin/T"; },
            true);
        row(
            "shell", [](CDefDocument& d) { d.Current.Shell = "* /C"; }, true);
        row(
            "first", [](CDefDocument& d) { d.Current.First = 2; }, true);
        row(
            "global information", [](CDefDocument& d) { d.Current.Information = "x"; }, true);
        row(
            "type", [](CDefDocument& d) { d.OptionAt(2).Type = "Select"; }, true);
        row(
            "value", [](CDefDocument& d) { d.OptionAt(2).Value = "v"; }, true);
        row(
            "a listed value added", [](CDefDocument& d) { d.OptionAt(1).Values.push_back(""); },
            true);
        row(
            "a listed value changed", [](CDefDocument& d) { d.OptionAt(0).Values[1] = "Y"; }, true);
        row(
            "listed values reordered",
            [](CDefDocument& d) { std::swap(d.OptionAt(0).Values[0], d.OptionAt(0).Values[1]); },
            true);
        row(
            "format", [](CDefDocument& d) { d.OptionAt(1).Format = "-f"; }, true);
        row(
            "arg", [](CDefDocument& d) { d.OptionAt(1).Arg = -1; }, true);
        row(
            "multiple", [](CDefDocument& d) { d.OptionAt(1).Multiple = true; }, true);
        row(
            "mandatory", [](CDefDocument& d) { d.OptionAt(1).Mandatory = true; }, true);
        row(
            "use directory", [](CDefDocument& d) { d.OptionAt(1).UseDir = true; }, true);
        row(
            "default mark", [](CDefDocument& d) { d.OptionAt(1).Default = false; }, true);
        row(
            "option information", [](CDefDocument& d) { d.OptionAt(1).Information = "i"; }, true);
        row(
            "an option appended", [](CDefDocument& d) { d.AppendOption(COption()); }, true);
        row(
            "an option removed", [](CDefDocument& d) { d.RemoveOption(2); }, true);
    }

    void modifiedTest()
    {
        QFETCH(Edit, edit);
        QFETCH(bool, modified);
        CDefDocument document = ThreeOptions();
        document.OptionAt(0).Values = {"x", "y"};
        document.MarkSaved();

        edit(document);

        QCOMPARE(document.IsModified(), modified);
    }

    void swapIsAChangeUntilSwappedBack()
    {
        CDefDocument document = ThreeOptions();

        document.SwapOptions(0, 1);
        QCOMPARE(Names(document), std::string("BAC"));
        QCOMPARE(Marks(document), std::string("100"));
        QCOMPARE(document.Current.First, 1); // the mark moved, First did not
        QVERIFY(document.IsModified());

        document.SwapOptions(1, 0);
        QVERIFY(!document.IsModified());
    }

    void listOperationsMoveMarksButNotFirst()
    {
        CDefDocument document = ThreeOptions();

        document.InsertOption(0, Named("N"));
        QCOMPARE(Names(document), std::string("NABC"));
        QCOMPARE(Marks(document), std::string("0010"));
        QCOMPARE(document.Current.First, 1);

        document.InsertOption(4, Named("E"));
        document.RemoveOption(0);
        QCOMPARE(Names(document), std::string("ABCE"));
        QCOMPARE(Marks(document), std::string("0100"));
        QCOMPARE(document.Current.First, 1);
    }

    void setDefaultOptionMovesFirstAndMarks()
    {
        CDefDocument document = ThreeOptions();

        document.SetDefaultOption(2, true);
        QCOMPARE(document.Current.First, 2);
        QCOMPARE(Marks(document), std::string("001"));

        document.SetDefaultOption(2, false);
        QCOMPARE(document.Current.First, 0);
        QCOMPARE(Marks(document), std::string("000"));
    }

    void clearingAMarkElsewhereKeepsFirst()
    {
        CDefDocument document = ThreeOptions();
        document.OptionAt(2).Default = true; // a stray mark, as after list operations

        document.SetDefaultOption(2, false);

        QCOMPARE(document.Current.First, 1);
        QCOMPARE(Marks(document), std::string("010"));
    }

    void equalAndEmptyNamesAreAllowed()
    {
        CDefDocument document;
        document.AppendOption(Named("Same"));
        document.AppendOption(Named("Same"));
        document.AppendOption(Named(""));

        QCOMPARE(document.OptionCount(), 3);
        QCOMPARE(Names(document), std::string("SameSame_"));
        document.OptionAt(1).Value = "second";
        QCOMPARE(document.OptionAt(0).Value, std::string());
    }

    void saveUnderANewPathMarksSaved()
    {
        QTemporaryDir folder;
        QVERIFY(folder.isValid());
        CDefDocument document = ThreeOptions();
        document.Path = "/old/place.Quarn";
        document.OptionAt(0).Name = "Changed";
        QVERIFY(document.IsModified());

        const std::string path = folder.filePath(QStringLiteral("new.Quarn")).toStdString();
        QVERIFY(document.Save(path));

        QCOMPARE(document.Path, path);
        QVERIFY(!document.IsModified());
        QCOMPARE(document.Saved, document.Current);
    }

    // Only a regular file of bounded size is read: anything else is refused
    // at once, never waited for nor read without end.
    void onlyBoundedRegularFilesAreRead_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::addColumn<bool>("asProgram"); // opened by the name of a program beside it
        QTest::addColumn<std::string>("reason");
        const std::string missing = std::generic_category().message(ENOENT);
        for (const bool asProgram : {false, true}) {
            const char* how = asProgram ? "beside a program" : "opened";
            const auto row = [&](const char* kind, const std::string& reason) {
                QTest::addRow("%s, %s", kind, how)
                    << QString::fromLatin1(kind) << asProgram << reason;
            };
            row("FIFO", "not a regular file");
            row("link to /dev/zero", "not a regular file");
            row("folder", "not a regular file");
            row("256 MiB and a byte", "too large to be a definition file");
            // Nothing beside a program is no failure: the program is adopted.
            row("missing", asProgram ? std::string() : missing);
        }
    }

    void onlyBoundedRegularFilesAreRead()
    {
#ifdef Q_OS_WIN
        QSKIP("FIFOs and devices are POSIX files");
#else
        QFETCH(QString, kind);
        QFETCH(bool, asProgram);
        QFETCH(std::string, reason);
        QTemporaryDir folder;
        const std::string definition = folder.filePath(QStringLiteral("x.Quarn")).toStdString();
        if (kind == QLatin1String("FIFO")) {
            QCOMPARE(mkfifo(definition.c_str(), 0600), 0);
        } else if (kind == QLatin1String("link to /dev/zero")) {
            std::filesystem::create_symlink("/dev/zero", definition);
        } else if (kind == QLatin1String("folder")) {
            std::filesystem::create_directory(definition);
        } else if (kind != QLatin1String("missing")) {
            std::ofstream{definition};
            // Sparse: no disk is used.
            std::filesystem::resize_file(definition, MaxDefinitionFileSize + 1);
        }
        CDefDocument document = ThreeOptions();
        const CDef before = document.Current;
        LoadFailure failure;
        // A FIFO without a writer would block an ordinary open for ever.
        alarm(10);
        const LoadResult result = document.Load(
            asProgram ? folder.filePath(QStringLiteral("x")).toStdString() : definition, &failure);
        alarm(0);
        QVERIFY(result == (asProgram ? LoadResult::ProgramAdopted : LoadResult::NotFound));
        QCOMPARE(failure.reason, reason);
        QCOMPARE(failure.path, reason.empty() ? std::string() : definition);
        QCOMPARE(document.Saved, before);
        QCOMPARE(document.Path, asProgram ? definition : std::string());
#endif
    }
};

QTEST_APPLESS_MAIN(DocumentModelTest)
#include "DocumentModelTest.moc"
