// "QuarnEd --check": a crafted file for every finding, each finding checked
// by loading the file with the real reader while the rows were written.
#include "document/DefinitionCheck.h"

#include "document/DefinitionFile.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <fstream>
#include <sstream>

namespace {

const std::string Capacity(LineCapacity, 'x');

QByteArray Bytes(const std::string& text)
{
    return QByteArray::fromStdString(text);
}

} // namespace

class DefinitionCheckTest : public QObject
{
    Q_OBJECT

    QTemporaryDir dir_;

    std::string Write(const char* name, const QByteArray& bytes)
    {
        QFile file(dir_.filePath(QLatin1String(name)));
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
            qFatal("cannot write %s", name);
        return file.fileName().toStdString();
    }

    struct Result
    {
        QByteArray out;
        int code;
        QByteArray errors;
    };

    // The output, the exit code and the errors for files, named relative to
    // the temporary folder.
    Result Check(const std::vector<std::string>& files)
    {
        std::ostringstream out;
        std::ostringstream errors;
        const int code = CheckDefinitionFiles(files, out, errors);
        const QByteArray folder = QFile::encodeName(dir_.path()) + '/';
        return {Bytes(out.str()).replace(folder, ""), code,
                Bytes(errors.str()).replace(folder, "")};
    }

private Q_SLOTS:
    void findings_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<QByteArray>("expected");
        QTest::newRow("the writer's output, a header taken in as text on purpose")
            << QByteArray("[Quarn]\r\nName=Tool\r\nInformation=2\r\n[not a header]\r\nend\r\n\r\n"
                          "[A]\r\nType=String\r\nValue1=a\r\nMultiple=1\r\n")
            << QByteArray();
        QTest::newRow("repeated section name")
            << QByteArray("[Quarn]\n[Input]\nType=String\n[input]\nType=Select\n")
            << QByteArray("f:4: warning: section \"[input]\" has the name of the section at line "
                          "2, letter case aside: its keys are never read, as the reader looks "
                          "only in the first section of a name\n");
        QTest::newRow("option named Quarn")
            << QByteArray("[Quarn]\nName=Tool\n[A]\nType=String\n[QUARN]\nType=Select\n")
            << QByteArray("f:5: warning: section \"[QUARN]\" is read as an option named \"QUARN\" "
                          "with the keys of the program settings' section at line 1; its own "
                          "keys are never read\n");
        QTest::newRow("[Quarn] not first")
            << QByteArray("[Input]\nType=String\n[Quarn]\nName=Tool\n")
            << QByteArray("f:1: warning: the first section \"[Input]\" is never read as an "
                          "option: the reader skips the first section, whatever its name\n"
                          "f:3: warning: section \"[Quarn]\" is not the first section, so the "
                          "reader reads it twice: as the program settings and as an option "
                          "named \"Quarn\"\n");
        QTest::newRow("no [Quarn]")
            << QByteArray("[Settings]\nName=Tool\n[A]\n")
            << QByteArray("f:1: warning: the file has no \"[Quarn]\" section: the program "
                          "settings are read as empty\n"
                          "f:1: warning: the first section \"[Settings]\" is never read as an "
                          "option: the reader skips the first section, whatever its name\n");
        QTest::newRow("header without ]")
            << QByteArray("[Quarn]\n[A]\n[B\nType=String\n[C]\n")
            << QByteArray("f:3: warning: header \"[B\" has no \"]\": the key lines under it are "
                          "never read, and neither it nor any section after it is read as an "
                          "option\n");
        QTest::newRow("empty name, not ending the list at position 0")
            << QByteArray("[]\n[Quarn]\n")
            << QByteArray("f:1: warning: header \"[]\" has an empty name: the key lines under it "
                          "are never read\n"
                          "f:2: warning: section \"[Quarn]\" is not the first section, so the "
                          "reader reads it twice: as the program settings and as an option "
                          "named \"Quarn\"\n");
        QTest::newRow("text after ]")
            << QByteArray("[Quarn]\n[Input] ; the input file\n")
            << QByteArray("f:2: warning: text after \"]\" is ignored: the section is named "
                          "\"Input\"\n");
        QTest::newRow("key line before the first header")
            << QByteArray("Name=Tool\n[Quarn]\n")
            << QByteArray("f:1: warning: key line before the first section header: the reader "
                          "never reads it\n");
        QTest::newRow("neither header nor key line, blank lines pass")
            << QByteArray("[Quarn]\n; a comment\n\n \t\r\n")
            << QByteArray("f:2: warning: line is neither a section header nor a key line (it "
                          "has no \"=\"): the reader ignores it\n");
        QTest::newRow("misspelt key")
            << QByteArray("[Quarn]\n[A]\nFormt=-x %s\nMandatroy=1\n")
            << QByteArray("f:3: warning: key \"Formt\" is never read: the reader does not ask "
                          "for it in an option's section (did you mean \"Format\"?)\n"
                          "f:4: warning: key \"Mandatroy\" is never read: the reader does not "
                          "ask for it in an option's section (did you mean \"Mandatory\"?)\n");
        QTest::newRow("option key in the settings")
            << QByteArray("[Quarn]\nType=String\n")
            << QByteArray("f:2: warning: key \"Type\" is never read: the reader does not ask for "
                          "it in the program settings' section\n");
        QTest::newRow("blank before =")
            << QByteArray("[Quarn]\nName =Tool\n")
            << QByteArray("f:2: warning: key \"Name \" is never read: the reader asks for "
                          "\"Name\", and blanks belong to the key\n");
        QTest::newRow("listed value with a leading zero")
            << QByteArray("[Quarn]\n[A]\nValue01=a\n")
            << QByteArray("f:3: warning: key \"Value01\" is never read: the reader asks for "
                          "\"Value1\", \"Value2\", ... without leading zeros\n");
        QTest::newRow("repeated key")
            << QByteArray("[Quarn]\n[A]\nType=String\nValue1=a\ntype=Select\nVALUE1=b\n")
            << QByteArray("f:5: warning: key \"type\" repeats the one at line 3: the reader takes "
                          "only the first\n"
                          "f:6: warning: key \"VALUE1\" repeats the one at line 4: the reader "
                          "takes only the first\n");
        QTest::newRow("value after an empty one")
            << QByteArray("[Quarn]\n[A]\nValue1=a\nValue2=\nValue3=c\n")
            << QByteArray("f:5: warning: key \"Value3\" is never read: the list of values ends "
                          "at \"Value2\", which is empty\n");
        QTest::newRow("the lists of several sections")
            << QByteArray(
                   "[Quarn]\n[A]\nValue1=a\nValue3=c\n[B]\nValue2=b\n[C]\nValue1=\nValue2=x\n")
            << QByteArray("f:4: warning: key \"Value3\" is never read: the list of values ends "
                          "at \"Value2\", which is missing\n"
                          "f:6: warning: key \"Value2\" is never read: the list of values ends "
                          "at \"Value1\", which is missing\n"
                          "f:9: warning: key \"Value2\" is never read: the list of values ends "
                          "at \"Value1\", which is empty\n");
        QByteArray manyNames = "[Quarn]\n";
        for (int i = 0; i < 100; ++i)
            manyNames += "[s" + QByteArray::number(i) + "]\n";
        QTest::newRow("a name repeated among many")
            << manyNames + "[S42]\n"
            << QByteArray("f:102: warning: section \"[S42]\" has the name of the section at line "
                          "44, letter case aside: its keys are never read, as the reader looks "
                          "only in the first section of a name\n");
        QTest::newRow("value after a missing one")
            << QByteArray("[Quarn]\n[A]\nValue3=c\nValue1=a\n")
            << QByteArray("f:3: warning: key \"Value3\" is never read: the list of values ends "
                          "at \"Value2\", which is missing\n");
        QTest::newRow("First=-1")
            << QByteArray("[Quarn]\nFirst=-1\n[A]\n[B]\n")
            << QByteArray("f:2: warning: \"First=-1\" marks no option: a save leaves it out, and "
                          "the first option then becomes the default\n");
        QTest::newRow("First beyond the last option")
            << QByteArray("[Quarn]\nFirst=2\n[A]\n[B]\n")
            << QByteArray("f:2: warning: \"First=2\" marks no option: it counts from 0, and the "
                          "file has 2 options\n");
        QTest::newRow("Arg=5x")
            << QByteArray("[Quarn]\n[A]\nArg=5x\n")
            << QByteArray("f:2: warning: Option 1: no option takes argument 1 to 4\n"
                          "f:3: warning: \"Arg=5x\" is read as 5: the reader ignores what "
                          "follows the digits\n");
        QTest::newRow("Multiple=yes")
            << QByteArray("[Quarn]\n[A]\nMultiple=yes\n")
            << QByteArray("f:3: warning: \"Multiple=yes\" is read as not set: it is not a "
                          "number\n");
        QTest::newRow("Multiple=2")
            << QByteArray("[Quarn]\n[A]\nUse directory= +1 \nMultiple=2\n")
            << QByteArray("f:4: warning: \"Multiple=2\" is read as set: every number but 0 sets "
                          "it\n");
        QTest::newRow("number beyond the range")
            << QByteArray("[Quarn]\n[A]\nArg=4294967297\n")
            << QByteArray("f:2: warning: Option 1: no option takes argument 1 to 2147483646\n"
                          "f:3: warning: \"Arg=4294967297\" is read as 2147483647: it is beyond "
                          "the range of the reader's numbers\n");
        QTest::newRow("number past 31 characters")
            << Bytes("[Quarn]\n[A]\nArg=" + std::string(30, ' ') + "12\n")
            << QByteArray("f:3: warning: \"Arg=                              12\" is read as 1: "
                          "the reader looks only at the first 31 characters of a number\n");
        QTest::newRow("Information count with words")
            << QByteArray("[Quarn]\nInformation=2 lines\none\ntwo\n\n")
            << QByteArray("f:2: warning: \"Information=2 lines\" is read as a count of 2 lines: "
                          "the reader ignores what follows the digits\n");
        QTest::newRow("Information count taking in a header")
            << QByteArray("[Quarn]\nInformation=2\none\n[A]\nType=String\n")
            << QByteArray("f:2: warning: the Information count 2 takes in the section header at "
                          "line 4 as text\n"
                          "f:5: warning: key \"Type\" is never read: the reader does not ask for "
                          "it in the program settings' section\n");
        QTest::newRow("Information count past the end")
            << QByteArray("[Quarn]\n[A]\nInformation=3\none\n")
            << QByteArray("f:3: warning: the Information count 3 runs past the end of the file: "
                          "only 1 line follows\n");
        QTest::newRow("negative Information count")
            << QByteArray("[Quarn]\nInformation=-1\none\n[A]\n")
            << QByteArray("f:2: warning: the Information count -1 takes in every line that "
                          "follows as text, to the end of the file\n");
        QTest::newRow("Information block past the capacity")
            << Bytes("[Quarn]\nInformation=2\n" + Capacity + "\nsecond\n[A]\n")
            << QByteArray("f:2: warning: the Information block is longer than the 40958 "
                          "characters the reader takes with its key: it reads what is left of "
                          "it, from line 3 on, as ordinary lines\n"
                          "f:4: warning: line is neither a section header nor a key line (it "
                          "has no \"=\"): the reader ignores it\n");
        QTest::newRow("Information block past the capacity, taking in a header")
            << Bytes("[Quarn]\nInformation=3\n[A]\n" + Capacity + "\n")
            << QByteArray("f:2: warning: the Information block is longer than the 40958 "
                          "characters the reader takes with its key: it reads what is left of "
                          "it, from line 4 on, as ordinary lines\n"
                          "f:2: warning: the Information count 3 takes in the section header at "
                          "line 3 as text\n");
        QTest::newRow("line past the capacity, its rest a header")
            << Bytes("[Quarn]\n[A]\nValue=" + Capacity.substr(6) + "[B]\n")
            << QByteArray("f:3: warning: line is 40962 characters long with its line end, more "
                          "than the 40958 the reader reads as one line: it reads the rest as "
                          "further lines, the first of them a section header\n");
        QTest::newRow("what a save changes, at the option's header")
            << QByteArray("[Quarn]\n[A]\n[B]\nArg=-2\n")
            << QByteArray("f:3: warning: Option 2's argument number is negative; after saving "
                          "it will be 0\n");
        QTest::newRow("what would not run as written, at the option's header")
            << QByteArray("[Quarn]\n[A]\nFormat=-a \"%s\n[B]\nType=Select\nValue=x\n"
                          "Value1=y\n[C]\nType=True\nArg=2\n[D]\nArg=2\nFormat=-d%q\n")
            << QByteArray("f:2: warning: Option 1: its format has a quote without its end; the "
                          "launcher will not run it\n"
                          "f:4: warning: Option 2: its value \"x\" is not one of its listed "
                          "values\n"
                          "f:8: warning: Option 3: a check box without a format can never add "
                          "anything to the command line\n"
                          "f:8: warning: Option 3: no option takes argument 1\n"
                          "f:11: warning: Option 4: its format has a '%' that is neither %s nor "
                          "%%; it stands for itself\n"
                          "f:11: warning: Option 4: Option 3 already takes argument 2\n");
        QTest::newRow("a definition that runs as written")
            << QByteArray("[Quarn]\nProgram=grep\n[Pattern]\nArg=1\n[Files]\nArg=2\n"
                          "Multiple=1\n[Mode]\nType=Select\nFormat=--mode=%s\nValue=b\n"
                          "Value1=a\nValue2=b\n[Count]\nType=True\nFormat=-c\n")
            << QByteArray();
        QTest::newRow("binary, control bytes shown escaped")
            << QByteArray("[\x1b[31m\n\0\xff\n", 10)
            << QByteArray("f:1: warning: the file has no \"[Quarn]\" section: the program "
                          "settings are read as empty\n"
                          "f:1: warning: header \"[\\x1b[31m\" has no \"]\": the key lines under "
                          "it are never read\n"
                          "f:2: warning: line is neither a section header nor a key line (it "
                          "has no \"=\"): the reader ignores it\n");
    }

    void findings()
    {
        QFETCH(QByteArray, file);
        QFETCH(QByteArray, expected);
        const Result result = Check({Write("f", file)});
        QCOMPARE(result.out, expected);
        QCOMPARE(result.code, expected.isEmpty() ? 0 : 1);
        QCOMPARE(result.errors, QByteArray());
    }

    // An unreadable file outweighs findings; the other files are still checked.
    void exitCodes()
    {
        const std::string clean = Write("clean.Quarn", "[Quarn]\r\nName=A\r\n[In]\r\n");
        const std::string twice = Write("twice.Quarn", "[Quarn]\n[In]\n[IN]\n");
        const std::string missing = dir_.filePath(QStringLiteral("missing\n.Quarn")).toStdString();
        QVERIFY(QDir(dir_.path()).mkdir(QStringLiteral("folder.Quarn")));
        const std::string folder = dir_.filePath(QStringLiteral("folder.Quarn")).toStdString();

        const Result cleanOnly = Check({clean});
        QCOMPARE(cleanOnly.out, QByteArray());
        QCOMPARE(cleanOnly.code, 0);
        const QByteArray found =
            "twice.Quarn:3: warning: section \"[IN]\" has the name of the section at line 2, "
            "letter case aside: its keys are never read, as the reader looks only in the first "
            "section of a name\n";
        const Result withFinding = Check({clean, twice});
        QCOMPARE(withFinding.out, found);
        QCOMPARE(withFinding.code, 1);
        const Result unreadable = Check({missing, twice, folder});
        QCOMPARE(unreadable.out, found);
        QCOMPARE(unreadable.code, 2);
        QCOMPARE(unreadable.errors,
                 QByteArray("'missing'$'\\n''.Quarn': error: cannot read: No such file or "
                            "directory\n"
                            "folder.Quarn: error: cannot read: not a regular file\n"));
    }

    // A document that would take far more memory than its file is refused
    // before it does; the file's own findings still come.
    void refusedDocuments_data()
    {
        QTest::addColumn<QByteArray>("file");
        QTest::addColumn<int>("findings");
        QTest::addColumn<QByteArray>("limit");
        QByteArray sections = "[Quarn]\n";
        for (int i = 0; i < 150000; ++i)
            sections += "[s" + QByteArray::number(i) + "]\n";
        QTest::newRow("many tiny sections") << sections << 0 << QByteArray("19");
        const QByteArray copied = "[Quarn]\n[A]\nInformation=1\n" + QByteArray(40000, 'x') + "\n" +
                                  QByteArray("[A]\n").repeated(500);
        QTest::newRow("sections copying a long text") << copied << 500 << QByteArray("16");
    }

    void refusedDocuments()
    {
        QFETCH(QByteArray, file);
        QFETCH(int, findings);
        QFETCH(QByteArray, limit);
        const Result result = Check({Write("f", file)});
        QCOMPARE(result.out.count('\n'), findings);
        QCOMPARE(result.errors, "f: error: cannot load: the document would take more than " +
                                    limit + " MiB of memory, the limit for a file of its size\n");
        QCOMPARE(result.code, 2);
    }

    // Names are shown as GNU ls --quoting-style=shell-escape shows them: no
    // name can forge a line. Written as bytes: some are not UTF-8.
    void namesAreShellEscaped_data()
    {
        QTest::addColumn<QByteArray>("name");
        QTest::addColumn<QByteArray>("shown");
        QTest::newRow("plain") << QByteArray("plain.Quarn") << QByteArray("plain.Quarn");
        QTest::newRow("'#' inside a path, UTF-8")
            << QByteArray("#caf\xc3\xa9") << QByteArray("#caf\xc3\xa9");
        QTest::newRow("blank") << QByteArray("a b") << QByteArray("'a b'");
        QTest::newRow("quote") << QByteArray("it's") << QByteArray("\"it's\"");
        QTest::newRow("quote and dollar") << QByteArray("it's $x") << QByteArray("'it'\\''s $x'");
        QTest::newRow("line break forging a finding")
            << QByteArray("f:1: warning: x\nf") << QByteArray("'f:1: warning: x'$'\\n''f'");
        QTest::newRow("escape sequence, tab, DEL")
            << QByteArray("\x1b[31m\t\x7f") << QByteArray("''$'\\033''[31m'$'\\t\\177'");
        QTest::newRow("not UTF-8, C1 control")
            << QByteArray("a\xff\xc2\x85") << QByteArray("'a'$'\\377\\302\\205'");
    }

    void namesAreShellEscaped()
    {
        QFETCH(QByteArray, name);
        QFETCH(QByteArray, shown);
        const std::string path =
            QFile::encodeName(dir_.path()).toStdString() + '/' + name.toStdString();
        std::ofstream(path, std::ios::binary) << "Name=x\n[Quarn]\n";
        const Result result = Check({path});
        // Qt cannot name every such file to remove it with the folder.
        std::remove(path.c_str());
        QCOMPARE(result.out, shown + ":1: warning: key line before the first section header: the "
                                     "reader never reads it\n");
    }
};

QTEST_APPLESS_MAIN(DefinitionCheckTest)
#include "DefinitionCheckTest.moc"
