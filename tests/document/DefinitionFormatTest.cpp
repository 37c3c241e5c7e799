#include "document/DefDocument.h"
#include "document/DefinitionFile.h"
#include "document/DefinitionPath.h"
#include "tests/document/TestFiles.h"
#include "tests/support/DocumentPrinting.h"

#include <QDir>
#include <QTemporaryDir>
#include <QTest>
#include <filesystem>
#include <functional>

Q_DECLARE_METATYPE(CDef)
Q_DECLARE_METATYPE(std::string)

namespace {

const std::string DefinitionPath = "/t/tool.Quarn";

COption Option(std::string name, std::string type = {}, std::function<void(COption&)> edit = {})
{
    COption option;
    option.Name = std::move(name);
    option.Type = std::move(type);
    if (edit)
        edit(option);
    return option;
}

COption Marked(COption option)
{
    option.Default = true;
    return option;
}

CDef Definition(std::vector<COption> options, std::function<void(CDef&)> edit = {})
{
    CDef def;
    def.Options = std::move(options);
    if (edit)
        edit(def);
    return def;
}

CDef WorkedExample()
{
    return Definition({Option("Input", "String",
                              [](COption& o) {
                                  o.Value = "in.txt";
                                  o.Mandatory = true;
                              }),
                       Marked(Option("Mode", "Select",
                                     [](COption& o) {
                                         o.Value = "fast";
                                         o.Values = {"fast", "slow"};
                                     })),
                       Option("", "True", [](COption& o) { o.Value = "1"; })},
                      [](CDef& d) {
                          d.Name = "Example tool";
                          d.Program = "C:\\Tools\\tool.exe";
                          d.Directory = "C:\\Work";
                          d.First = 1;
                          d.Information = "Converts files.\r\nSecond line.";
                      });
}

CDef AllFields()
{
    return Definition({Option("Files", "Suggest",
                              [](COption& o) {
                                  o.Value = "a.txt";
                                  o.Values = {"a.txt", "", "c d.txt"};
                                  o.Format = "--file=%s";
                                  o.Arg = 3;
                                  o.Multiple = true;
                                  o.UseDir = true;
                                  o.Information = "Which files to read.\r\n";
                              }),
                       Option("Verbose", "False",
                              [](COption& o) {
                                  o.Value = "0";
                                  o.Format = "-v";
                                  o.Mandatory = true;
                              }),
                       Marked(Option("Level", "Select",
                                     [](COption& o) {
                                         o.Value = " high ";
                                         o.Values = {"low", " high "};
                                         o.Arg = 2147483647;
                                         o.Information = "One line.";
                                     }))},
                      [](CDef& d) {
                          d.Name = "All fields";
                          d.Program = "/usr/bin/tool";
                          d.Directory = "/srv/work";
                          d.Shell = "* /C";
                          d.First = 2;
                          d.Information = "Line one.\r\n\r\nLine three.\r\n";
                      });
}

CDef Read(std::string_view bytes)
{
    return ReadDefinition(bytes, DefinitionPath, DefinitionPath);
}

std::string InFolder(const QTemporaryDir& folder, const char* name)
{
    return folder.filePath(QString::fromLatin1(name)).toStdString();
}

} // namespace

class DefinitionFormatTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void writesExpectedFiles_data()
    {
        QTest::addColumn<CDef>("def");
        QTest::addColumn<std::string>("file");
        QTest::newRow("worked example") << WorkedExample() << std::string("WorkedExample.Quarn");
        QTest::newRow("empty document") << CDef() << std::string("Empty.Quarn");
        QTest::newRow("every key") << AllFields() << std::string("AllFields.Quarn");
    }

    void writesExpectedFiles()
    {
        QFETCH(CDef, def);
        QFETCH(std::string, file);
        const std::string expected = ReadBytes(TestDataPath(file));
        QCOMPARE(WriteDefinition(def), expected);

        QTemporaryDir folder;
        CDefDocument document;
        document.Current = def;
        QVERIFY(document.Save(InFolder(folder, "saved.Quarn")));
        QCOMPARE(ReadBytes(document.Path), expected);
    }

    void readsExpectedFiles_data()
    {
        CDef workedExample = WorkedExample();
        workedExample.Options[2].Name = "Option 3";
        CDef allFields = AllFields();
        allFields.Options[0].Values = {"a.txt"}; // the empty Value2 ends the list

        QTest::addColumn<std::string>("file");
        QTest::addColumn<CDef>("expected");
        QTest::newRow("worked example") << std::string("WorkedExample.Quarn") << workedExample;
        QTest::newRow("empty document") << std::string("Empty.Quarn") << CDef();
        QTest::newRow("every key") << std::string("AllFields.Quarn") << allFields;
    }

    void readsExpectedFiles()
    {
        QFETCH(std::string, file);
        QFETCH(CDef, expected);
        CDefDocument document;

        QCOMPARE(document.Load(TestDataPath(file)), LoadResult::Loaded);

        QCOMPARE(document.Current, expected);
        QCOMPARE(document.Path, TestDataPath(file));
        QVERIFY(!document.IsModified());
    }

    void readsCraftedFiles_data()
    {
        QTest::addColumn<std::string>("bytes");
        QTest::addColumn<CDef>("expected");
        const auto row = [](const char* name, std::string bytes, CDef expected) {
            QTest::newRow(name) << bytes << expected;
        };

        row("empty file", "", CDef());
        row("an empty listed value ends the list",
            "[Quarn]\r\n[A]\r\nValue1=x\r\nValue2=\r\nValue3=z\r\n",
            Definition({Marked(Option("A", {}, [](COption& o) { o.Values = {"x"}; }))}));
        row("sections of one name read the first",
            "[Quarn]\r\n[A]\r\nType=Select\r\n[a]\r\nType=True\r\n[A]\r\nType=False\r\n",
            Definition(
                {Marked(Option("A", "Select")), Option("a", "Select"), Option("A", "Select")}));
        row("an option named Quarn reads the global section",
            "[Quarn]\r\nName=Tool\r\nType=global\r\n[QUARN]\r\nType=own\r\n",
            Definition({Marked(Option("QUARN", "global"))}, [](CDef& d) { d.Name = "Tool"; }));
        row("a name is cut before ']'", "[Quarn]\r\n[a]b]\r\nType=String\r\n",
            Definition({Marked(Option("a", "String"))}));
        row("blanks inside the brackets belong to the name", "[Quarn]\r\n[ A B ]\r\nType=x\r\n",
            Definition({Marked(Option(" A B ", "x"))}));
        row("key lines before the first header are ignored",
            "Name=early\r\n[Quarn]\r\nProgram=p\r\n",
            Definition({}, [](CDef& d) { d.Program = "p"; }));
        row("blanks around '=' are not trimmed", "[Quarn]\r\nName =n\r\nProgram= p \r\n",
            Definition({}, [](CDef& d) { d.Program = " p "; }));
        row("keys and section names ignore letter case",
            "[quarn]\r\nNAME=n\r\n[A]\r\ntype=Strange\r\nvALUE1=v\r\n",
            Definition({Marked(Option("A", "Strange", [](COption& o) { o.Values = {"v"}; }))},
                       [](CDef& d) { d.Name = "n"; }));
        row("the first line of a key counts", "[Quarn]\r\nName=one\r\nName=two\r\n",
            Definition({}, [](CDef& d) { d.Name = "one"; }));
        row("an empty header ends the option list", "[Quarn]\r\n[A]\r\n[]\r\n[B]\r\n",
            Definition({Marked(Option("A"))}));
        row("a header without ']' ends the option list and the section",
            "[Quarn]\r\n[A]\r\n[B\r\nType=x\r\n[C]\r\n", Definition({Marked(Option("A"))}));
        row("a first option section is lost, a later Quarn becomes an option",
            "[A]\r\nType=String\r\n[Quarn]\r\nName=Tool\r\n",
            Definition({Marked(Option("Quarn"))}, [](CDef& d) { d.Name = "Tool"; }));
        row("no global section", "[A]\r\nType=String\r\n[B]\r\nType=True\r\n",
            Definition({Marked(Option("B", "True"))}));
        row("numbers read their leading digits",
            "[Quarn]\r\n[A]\r\nMultiple=2\r\nMandatory=yes\r\nArg=5x\r\nUse Directory= -3\r\n",
            Definition({Marked(Option("A", {}, [](COption& o) {
                o.Arg = 5;
                o.Multiple = true;
                o.UseDir = true;
            }))}));
        row("numbers beyond 32 bits are clamped",
            "[Quarn]\r\nFirst=-99999999999\r\n[A]\r\nArg=99999999999\r\n",
            Definition({Option("A", {}, [](COption& o) { o.Arg = 2147483647; })},
                       [](CDef& d) { d.First = -2147483647 - 1; }));
        row("First -1 marks no option", "[Quarn]\r\nFirst=-1\r\n[A]\r\n[B]\r\n",
            Definition({Option("A"), Option("B")}, [](CDef& d) { d.First = -1; }));
        row("First past the options marks none", "[Quarn]\r\nFirst=2\r\n[A]\r\n[B]\r\n",
            Definition({Option("A"), Option("B")}, [](CDef& d) { d.First = 2; }));
        row("a short Information block takes the next header",
            "[Quarn]\r\nInformation=3\r\none\r\ntwo\r\n[A]\r\nType=String\r\n[B]\r\n",
            Definition({Marked(Option("B"))},
                       [](CDef& d) { d.Information = "one\r\ntwo\r\n[A]"; }));
        row("an Information text keeps its final line break",
            "[Quarn]\r\nInformation=2\r\nlast\r\n\r\n\r\n",
            Definition({}, [](CDef& d) { d.Information = "last\r\n"; }));
        row("an Information value that is no number is plain text",
            "[Quarn]\r\nInformation=abc\r\nName=n\r\n", Definition({}, [](CDef& d) {
                d.Name = "n";
                d.Information = "abc";
            }));
        row("an Information count of 0 is an empty text", "[Quarn]\r\nInformation=0\r\nName=n\r\n",
            Definition({}, [](CDef& d) { d.Name = "n"; }));
        row("a later section reads the first section, whatever its name",
            "[A]\r\nType=x\r\n[Quarn]\r\n[a]\r\nType=y\r\n",
            Definition({Marked(Option("Quarn")), Option("a", "x")}));
        row("a rewritten Information block outlives the next one",
            "[Quarn]\nInformation=1\nfirst\nInformation=1\nsecond\n[A]\nInformation=1\nthird\n",
            Definition({Marked(Option("A", {}, [](COption& o) { o.Information = "third"; }))},
                       [](CDef& d) { d.Information = "first"; }));
        row("LF line ends", "[Quarn]\nName=n\nInformation=2\na\nb\n\n[A]\nType=String\n",
            Definition({Marked(Option("A", "String"))}, [](CDef& d) {
                d.Name = "n";
                d.Information = "a\r\nb";
            }));
    }

    void readsCraftedFiles()
    {
        QFETCH(std::string, bytes);
        QFETCH(CDef, expected);
        QCOMPARE(Read(bytes), expected);
    }

    // Thousands of names, each repeated in other letters once all are
    // known: the later sections read the first of their name.
    void readsManySectionNames()
    {
        constexpr int names = 3000;
        std::string bytes = "[Quarn]\n";
        CDef expected;
        for (int pass = 0; pass < 2; ++pass) {
            for (int i = 0; i < names; ++i) {
                const std::string number = std::to_string(i);
                bytes += (pass == 0 ? "[Option" : "[OPTION") + number +
                         "]\nType=" + (pass == 0 ? number : "x") + '\n';
                expected.Options.push_back(
                    Option((pass == 0 ? "Option" : "OPTION") + number, number));
            }
        }
        expected.Options.front().Default = true;
        QCOMPARE(Read(bytes), expected);
    }

    void adoptsTheOpenedProgram_data()
    {
        QTest::addColumn<std::string>("bytes");
        QTest::addColumn<std::string>("opened");
        QTest::addColumn<std::string>("program");
        QTest::newRow("no program, opened a program")
            << std::string("[Quarn]\r\n") << std::string("/t/tool.exe")
            << std::string("/t/tool.exe");
        QTest::newRow("no program, opened the definition")
            << std::string("[Quarn]\r\n") << DefinitionPath << std::string();
        QTest::newRow("the file names a program")
            << std::string("[Quarn]\r\nProgram=/bin/x\r\n") << std::string("/t/tool.exe")
            << std::string("/bin/x");
    }

    void adoptsTheOpenedProgram()
    {
        QFETCH(std::string, bytes);
        QFETCH(std::string, opened);
        QFETCH(std::string, program);
        QCOMPARE(ReadDefinition(bytes, opened, DefinitionPath).Program, program);
    }

    void roundTrips_data()
    {
        QTest::addColumn<CDef>("written");
        QTest::addColumn<CDef>("readBack");

        const CDef lineBreaks = Definition(
            {Marked(Option("A", "String", [](COption& o) { o.Information = "\r\nx\r\n\r\n"; }))},
            [](CDef& d) { d.Information = "end\r\n"; });
        QTest::newRow("information texts ending in line breaks") << lineBreaks << lineBreaks;
        QTest::newRow("no default mark reads back with the first marked")
            << Definition({Option("A"), Option("B")})
            << Definition({Marked(Option("A")), Option("B")});
        QTest::newRow("First -1 is dropped")
            << Definition({Option("A"), Option("B")}, [](CDef& d) { d.First = -1; })
            << Definition({Marked(Option("A")), Option("B")});
        QTest::newRow("values after an empty one are lost")
            << Definition({Marked(Option("A", "Select",
                                         [](COption& o) {
                                             o.Values = {"1", "", "3"};
                                         }))})
            << Definition({Marked(Option("A", "Select", [](COption& o) { o.Values = {"1"}; }))});
    }

    void roundTrips()
    {
        QFETCH(CDef, written);
        QFETCH(CDef, readBack);
        QCOMPARE(Read(WriteDefinition(written)), readBack);
    }

    void definitionPathFor_data()
    {
        QTest::addColumn<std::string>("path");
        QTest::addColumn<std::string>("expected");
        const auto row = [](const char* path, const char* expected) {
            QTest::newRow(path) << std::string(path) << std::string(expected);
        };
        row("C:\\Tools\\tool.exe", "C:\\Tools\\tool.Quarn");
        row("C:\\Tools\\tool", "C:\\Tools\\tool.Quarn");
        row("C:\\my.dir\\tool", "C:\\my.dir\\tool.Quarn");
        row("C:tool.exe", "C:tool.Quarn");
        row("/a.b/c", "/a.b/c.Quarn");
        row("/a/archive.tar.gz", "/a/archive.tar.Quarn");
        row("/a/name.", "/a/name.Quarn");
        row("/a/tool.Quarn", "/a/tool.Quarn");
#ifdef _WIN32
        row("C:\\a\\tool.QUARN", "C:\\a\\tool.Quarn");
#else
        row("/a/tool.QUARN", "/a/tool.QUARN"); // another spelling names another file here
#endif
        row("", ".Quarn");
    }

    void definitionPathFor()
    {
        QFETCH(std::string, path);
        QFETCH(std::string, expected);
        QCOMPARE(DefinitionPathFor(path), expected);
    }

    void readNumber_data()
    {
        QTest::addColumn<std::string>("text");
        QTest::addColumn<bool>("isNumber");
        QTest::addColumn<int>("number");
        const auto row = [](const char* name, std::string text, bool isNumber, int number) {
            QTest::newRow(name) << text << isNumber << number;
        };
        row("digits", "42", true, 42);
        row("trailing text", "12abc", true, 12);
        row("every C blank, then a sign", " \t\n\v\f\r-7", true, -7);
        row("plus sign", "+3", true, 3);
        row("empty", "", false, 0);
        row("word", "yes", false, 0);
        row("sign alone", "-", false, 0);
        row("blank after the sign", "- 5", false, 0);
        row("NUL before digits", std::string("\0 5", 3), false, 0);
        row("digits at the 31st character", std::string(30, ' ') + "5", true, 5);
        row("digits after the 31st character", std::string(31, ' ') + "5", false, 0);
        row("cut at 31 characters", "1234567890123456789012345678901", true, 2147483647);
        row("largest", "2147483647", true, 2147483647);
        row("one past the largest", "2147483648", true, 2147483647);
        row("smallest", "-2147483648", true, -2147483647 - 1);
        row("one below the smallest", "-2147483649", true, -2147483647 - 1);
    }

    void readNumber()
    {
        QFETCH(std::string, text);
        QFETCH(bool, isNumber);
        QFETCH(int, number);
        std::int32_t read = 0;
        QCOMPARE(ReadNumber(text, read), isNumber);
        QCOMPARE(read, number);
    }

    void loadAdoptsAProgramWithoutDefinition()
    {
        QTemporaryDir folder;
        CDefDocument document;
        document.Current.Name = "Kept";
        document.Current.Options = {Option("Kept too")};
        const CDefDocument before = document;

        QCOMPARE(document.Load(InFolder(folder, "tool.exe")), LoadResult::ProgramAdopted);

        CDef expected = before.Current;
        expected.Program = InFolder(folder, "tool.exe");
        QCOMPARE(document.Current, expected);
        QCOMPARE(document.Path, InFolder(folder, "tool.Quarn"));
        QCOMPARE(document.Saved, before.Saved);
        QVERIFY(document.IsModified());
    }

    void loadOfAMissingDefinitionChangesNothing()
    {
        QTemporaryDir folder;
        CDefDocument document;
        document.Current.Program = "/bin/x";
        document.Path = "/old.Quarn";
        const CDefDocument before = document;

        QCOMPARE(document.Load(InFolder(folder, "tool.Quarn")), LoadResult::NotFound);

        QCOMPARE(document.Current, before.Current);
        QCOMPARE(document.Saved, before.Saved);
        QCOMPARE(document.Path, before.Path);
    }

    void loadFindsTheDefinitionBesideAProgram()
    {
        QTemporaryDir folder;
        WriteBytes(InFolder(folder, "tool.Quarn"), "[Quarn]\r\nName=Tool\r\n");
        CDefDocument document;

        QCOMPARE(document.Load(InFolder(folder, "tool.exe")), LoadResult::Loaded);
        QCOMPARE(document.Current.Program, InFolder(folder, "tool.exe"));
        QCOMPARE(document.Path, InFolder(folder, "tool.Quarn"));
        QVERIFY(!document.IsModified());

        QCOMPARE(document.Load(InFolder(folder, "tool.Quarn")), LoadResult::Loaded);
        QCOMPARE(document.Current.Program, std::string());
    }

    void loadTakesParentsAsTheSystemDoes_data()
    {
        QTest::addColumn<std::string>("named");
        QTest::addColumn<std::string>("read"); // the file read, in the test's folder

        QTest::newRow("beside a linked folder's target")
            << std::string("dlink/../x.Quarn") << std::string("real/x.Quarn");
        QTest::newRow("twice") << std::string("dlink/../../real/sub/../x.Quarn")
                               << std::string("real/x.Quarn");
        QTest::newRow("no link") << std::string("real/sub/../x.Quarn") << std::string("real/x.Quarn");
        QTest::newRow("a folder that does not exist")
            << std::string("none/../x.Quarn") << std::string("x.Quarn");
        QTest::newRow("the link itself stays")
            << std::string("./flink.Quarn") << std::string("flink.Quarn");
    }

    void loadTakesParentsAsTheSystemDoes()
    {
        QFETCH(std::string, named);
        QFETCH(std::string, read);
        QTemporaryDir temporary;
        // The folder as the system names it, links resolved.
        const std::string folder = std::filesystem::canonical(temporary.path().toStdString());
        QDir(temporary.path()).mkpath(QStringLiteral("real/sub"));
        WriteBytes(folder + "/real/x.Quarn", "[Quarn]\r\nName=Real\r\n");
        WriteBytes(folder + "/x.Quarn", "[Quarn]\r\nName=Beside the link\r\n");
        std::filesystem::create_directory_symlink(folder + "/real/sub", folder + "/dlink");
        std::filesystem::create_symlink(folder + "/real/x.Quarn", folder + "/flink.Quarn");

        const std::filesystem::path current = std::filesystem::current_path();
        std::filesystem::current_path(folder);
        CDefDocument document;
        const LoadResult result = document.Load(named);
        std::filesystem::current_path(current);
        QCOMPARE(result, LoadResult::Loaded);
        QCOMPARE(document.Path, folder + "/" + read);
    }

    void saveReplacesTheExtension()
    {
        QTemporaryDir folder;
        CDefDocument document;
        document.Current = WorkedExample();

        QVERIFY(document.Save(InFolder(folder, "copy.txt")));

        QCOMPARE(document.Path, InFolder(folder, "copy.Quarn"));
        QCOMPARE(ReadBytes(document.Path), WriteDefinition(WorkedExample()));
        QVERIFY(!QFile::exists(folder.filePath(QStringLiteral("copy.txt"))));
    }
};

QTEST_APPLESS_MAIN(DefinitionFormatTest)
#include "DefinitionFormatTest.moc"
