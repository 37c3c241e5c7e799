#include "document/LaunchCommand.h"
#include "document/RunTimeChecks.h"

#include "document/CommandWords.h"
#include "document/DefinitionFile.h"
#include "tests/support/DocumentPrinting.h"

#include <QTest>
#include <map>
#include <set>

Q_DECLARE_METATYPE(std::string)
Q_DECLARE_METATYPE(std::vector<std::string>)

namespace {

using Words = std::vector<std::string>;

// A system with a few programs on the search path, files beside the
// definition in /defs and folders to run in.
LaunchContext TestContext()
{
    LaunchContext context;
    context.definitionFolder = "/defs/";
    context.currentFolder = "/cwd";
    context.findInSearchPath = [](const std::string& name) {
        static const std::set<std::string> onPath = {"tool", "bash"};
        return onPath.count(name) ? "/usr/bin/" + name : std::string();
    };
    context.isFile = [](const std::string& path) {
        return path == "/defs/rel/tool" || path == "/bin/sh" || path == "/opt/tool";
    };
    context.isFolder = [](const std::string& path) {
        return path == "/defs/sub" || path == "/cwd/out" || path == "/work";
    };
    return context;
}

// The definition from file lines; a program on the search path unless the
// lines name one.
CDef Definition(const std::string& lines)
{
    const std::string text = lines.find("Program=") == std::string::npos
                                 ? "[Quarn]\nProgram=tool\n" + lines
                                 : "[Quarn]\n" + lines;
    return ReadDefinition(text, "", "/defs/tool.Quarn");
}

std::string Problems(const LaunchProblems& problems)
{
    std::string text;
    if (problems.program == LaunchProblems::Program::NotSet)
        text += " program:unset";
    if (problems.program == LaunchProblems::Program::NotFound)
        text += " program:missing";
    if (!problems.missingShell.empty())
        text += " shell:" + problems.missingShell;
    if (!problems.missingFolder.empty())
        text += " folder:" + problems.missingFolder;
    for (const std::size_t option : problems.missingMandatory)
        text += " mandatory:" + std::to_string(option);
    for (const std::size_t option : problems.unclosedQuotes)
        text += " quote:" + std::to_string(option);
    return text.empty() ? text : text.substr(1);
}

} // namespace

class LaunchCommandTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void Command_data();
    void Command();
    void ValueListsComeBackAsJoined_data();
    void ValueListsComeBackAsJoined();
    void Quoting_data();
    void Quoting();
    void RunTimeMistakes_data();
    void RunTimeMistakes();
};

void LaunchCommandTest::Command_data()
{
    QTest::addColumn<std::string>("lines");
    QTest::addColumn<Words>("arguments");
    QTest::addColumn<Words>("expected"); // the program, then its arguments
    QTest::addColumn<std::string>("folder");
    QTest::addColumn<std::string>("problems");

    // The program.
    QTest::newRow("a bare name is found on the search path")
        << std::string() << Words{} << Words{"/usr/bin/tool"} << std::string() << std::string();
    QTest::newRow("a relative path is taken from the definition's folder")
        << std::string("Program=rel/tool\n") << Words{} << Words{"/defs/rel/tool"} << std::string()
        << std::string();
    QTest::newRow("a missing program is named as written")
        << std::string("Program=/opt/none\n") << Words{} << Words{"/opt/none"} << std::string()
        << std::string("program:missing");
    QTest::newRow("no program") << std::string("Program=\n") << Words{} << Words{""}
                                << std::string() << std::string("program:unset");

    // Values and Formats.
    QTest::newRow("the value in its place, whole")
        << std::string("[I]\nValue=a b\nFormat=-I %s\n") << Words{}
        << Words{"/usr/bin/tool", "-I", "a b"} << std::string() << std::string();
    QTest::newRow("an empty value adds nothing")
        << std::string("[I]\nFormat=-I %s\n[J]\nValue=j\n") << Words{}
        << Words{"/usr/bin/tool", "j"} << std::string() << std::string();
    QTest::newRow("an empty Format gives the value as one word")
        << std::string("[I]\nValue=$(rm -rf ~) ; x\n") << Words{}
        << Words{"/usr/bin/tool", "$(rm -rf ~) ; x"} << std::string() << std::string();
    QTest::newRow("a Format without %s is followed by the value")
        << std::string("[I]\nValue=x\nFormat=-v  --long\n") << Words{}
        << Words{"/usr/bin/tool", "-v", "--long", "x"} << std::string() << std::string();
    QTest::newRow("%s inside a word, %% a percent sign")
        << std::string("[I]\nValue=a b\nFormat=--out=%s -p%%%s\n") << Words{}
        << Words{"/usr/bin/tool", "--out=a b", "-p%a b"} << std::string() << std::string();
    QTest::newRow("quotes group, backslashes take the next character")
        << std::string("[I]\nValue=v\nFormat='-x  y' \"a'b\" a\\ b \\%s '\\' %s\"\"\n") << Words{}
        << Words{"/usr/bin/tool", "-x  y", "a'b", "a b", "%s", "\\", "v"} << std::string()
        << std::string();
    QTest::newRow("an empty pair of quotes is a word")
        << std::string("[I]\nValue=v\nFormat=%s \"\"\n") << Words{}
        << Words{"/usr/bin/tool", "v", ""} << std::string() << std::string();
    QTest::newRow("an unclosed quote marks an option that has a value")
        << std::string("[I]\nValue=v\nFormat=\"-x %s\n[J]\nFormat='%s\n") << Words{}
        << Words{"/usr/bin/tool", "-x v"} << std::string() << std::string("quote:0");

    // Multiple values.
    QTest::newRow("the words once per value")
        << std::string("[I]\nValue=a \"b c\" 'd'\"'\"\nFormat=-I %s\nMultiple=1\n") << Words{}
        << Words{"/usr/bin/tool", "-I", "a", "-I", "b c", "-I", "d'"} << std::string()
        << std::string();
    QTest::newRow("Multiple only where the type allows it")
        << std::string("[S]\nType=Select\nValue=a b\nMultiple=1\n") << Words{}
        << Words{"/usr/bin/tool", "a b"} << std::string() << std::string();
    QTest::newRow("a blank list has no value")
        << std::string("[I]\nValue=   \nFormat=-I %s\nMultiple=1\nMandatory=1\n") << Words{}
        << Words{"/usr/bin/tool"} << std::string() << std::string("mandatory:0");

    // Check boxes.
    QTest::newRow("True adds its words when ticked, False when not")
        << std::string("[T]\nType=True\nValue=1\nFormat=-v\n[F]\nType=False\nValue=0\n"
                       "Format=--no-color\n[T2]\nType=true\nValue=0\nFormat=-q\n"
                       "[F2]\nType=False\nValue=1\nFormat=--plain\n")
        << Words{} << Words{"/usr/bin/tool", "-v", "--no-color"} << std::string() << std::string();
    QTest::newRow("an empty Value is the state that adds nothing")
        << std::string("[T]\nType=True\nFormat=-v\n[F]\nType=False\nFormat=--no\n") << Words{}
        << Words{"/usr/bin/tool"} << std::string() << std::string();
    QTest::newRow("a check box's %s is its state; no Format, no words")
        << std::string("[T]\nType=True\nValue=1\nFormat=--level=%s\n[U]\nType=True\nValue=1\n")
        << Words{} << Words{"/usr/bin/tool", "--level=1"} << std::string() << std::string();
    QTest::newRow("a mandatory check box must be in its emitting state")
        << std::string("[T]\nType=True\nValue=0\nFormat=-v\nMandatory=1\n") << Words{}
        << Words{"/usr/bin/tool"} << std::string() << std::string("mandatory:0");

    // Arguments of the launcher.
    QTest::newRow("an argument number takes the ARG, the rest follow the options")
        << std::string("[A]\nValue=default\nFormat=-a %s\nArg=2\n[B]\nValue=b\nArg=5\n")
        << Words{"one", "two", "three"} << Words{"/usr/bin/tool", "-a", "two", "b", "one", "three"}
        << std::string() << std::string();
    QTest::newRow("an empty ARG empties the value")
        << std::string("[A]\nValue=default\nFormat=-a %s\nArg=1\n") << Words{""}
        << Words{"/usr/bin/tool"} << std::string() << std::string();
    QTest::newRow("Multiple takes the later ARGs up to one another option names")
        << std::string("[M]\nFormat=-i %s\nMultiple=1\nArg=1\n[L]\nArg=3\n")
        << Words{"a b", "c", "d", "e"} << Words{"/usr/bin/tool", "-i", "a b", "-i", "c", "d", "e"}
        << std::string() << std::string();
    QTest::newRow("a check box takes 0 and an empty ARG as not ticked")
        << std::string(
               "[T]\nType=True\nValue=1\nFormat=-v\nArg=1\n[F]\nType=False\nFormat=-n\nArg=2\n")
        << Words{"0", "yes"} << Words{"/usr/bin/tool"} << std::string() << std::string();

    // The working folder.
    QTest::newRow("a relative Directory is taken from the definition's folder")
        << std::string("Directory=sub\n") << Words{} << Words{"/usr/bin/tool"}
        << std::string("/defs/sub") << std::string();
    QTest::newRow("the folder option's value wins, and adds no words without a Format")
        << std::string("Directory=/work\n[D]\nValue=out\nUse Directory=1\n") << Words{}
        << Words{"/usr/bin/tool"} << std::string("/cwd/out") << std::string();
    QTest::newRow("the folder option adds words through its Format")
        << std::string("[D]\nValue=/work\nFormat=-C %s\nUse Directory=1\n") << Words{}
        << Words{"/usr/bin/tool", "-C", "/work"} << std::string("/work") << std::string();
    QTest::newRow("an empty folder option leaves Directory")
        << std::string("Directory=/nowhere\n[D]\nUse Directory=1\n") << Words{}
        << Words{"/usr/bin/tool"} << std::string("/nowhere") << std::string("folder:/nowhere");

    // Through a shell: one command text, values quoted for it.
    QTest::newRow("* /C is the default shell")
        << std::string("Command shell=* /C\n[I]\nValue=a b\nFormat=-I %s\n") << Words{"x y"}
        << Words{"/bin/sh", "-c", "/usr/bin/tool -I 'a b' 'x y'"} << std::string() << std::string();
    QTest::newRow("a Format may redirect; a value never runs a command")
        << std::string("Command shell=bash -c\n[O]\nValue=out $(id)'s\nFormat=> %s\n[V]\n"
                       "Value=v\nFormat=-v\n[E]\nValue=e\n[T]\nType=True\nValue=1\nFormat=-n%s\n")
        << Words{} << Words{"/usr/bin/bash", "-c", "/usr/bin/tool > 'out $(id)'\\''s' -v v e -n1"}
        << std::string() << std::string();
    QTest::newRow("a shell named alone gets its command switch")
        << std::string("Command shell=bash\nProgram=/opt/tool\n") << Words{}
        << Words{"/usr/bin/bash", "-c", "/opt/tool"} << std::string() << std::string();
    QTest::newRow("a missing shell")
        << std::string("Command shell=zsh -c\n") << Words{} << Words{"zsh", "-c", "/usr/bin/tool"}
        << std::string() << std::string("shell:zsh");
}

void LaunchCommandTest::Command()
{
    QFETCH(std::string, lines);
    QFETCH(Words, arguments);
    QFETCH(Words, expected);
    QFETCH(std::string, folder);
    QFETCH(std::string, problems);

    const CDef def = Definition(lines);
    LaunchValues values = DefaultValues(def);
    ApplyArguments(def, arguments, values);
    const LaunchPlan plan = PlanLaunch(def, values, TestContext());

    Words words = {plan.command.program};
    words.insert(words.end(), plan.command.arguments.begin(), plan.command.arguments.end());
    QCOMPARE(words, expected);
    QCOMPARE(plan.command.workingFolder, folder);
    QCOMPARE(Problems(plan.problems), problems);
}

void LaunchCommandTest::ValueListsComeBackAsJoined_data()
{
    QTest::addColumn<Words>("values");
    QTest::addColumn<std::string>("text");

    QTest::newRow("plain") << Words{"a", "b"} << std::string("a b");
    QTest::newRow("blanks") << Words{"a b", "\tc"} << std::string("\"a b\" \"\tc\"");
    QTest::newRow("both quotes") << Words{"it's \"x\""} << std::string("\"it's \"'\"x\"'");
    QTest::newRow("empty") << Words{""} << std::string("\"\"");
    QTest::newRow("backslashes stay")
        << Words{"C:\\dir\\", "a\\\""} << std::string("C:\\dir\\ 'a\\\"'");
}

void LaunchCommandTest::ValueListsComeBackAsJoined()
{
    QFETCH(Words, values);
    QFETCH(std::string, text);
    QCOMPARE(JoinValueList(values), text);
    QCOMPARE(SplitValueList(text), values);
}

void LaunchCommandTest::Quoting_data()
{
    QTest::addColumn<Words>("words");
    QTest::addColumn<std::string>("folder");
    QTest::addColumn<std::string>("text");

    QTest::newRow("literal words stay") << Words{"/bin/ls", "-l", "--x=a,b", "café"}
                                        << std::string() << std::string("/bin/ls -l --x=a,b café");
    QTest::newRow("quoted where needed")
        << Words{"/bin/a b", "", "it's", "$HOME", "*", "a\nb"} << std::string("/my dir")
        << std::string("cd '/my dir' && '/bin/a b' '' 'it'\\''s' '$HOME' '*' 'a\nb'");
    QTest::newRow("a first word with = is no assignment")
        << Words{"/x/a=b", "c=d"} << std::string() << std::string("'/x/a=b' c=d");
}

void LaunchCommandTest::Quoting()
{
    QFETCH(Words, words);
    QFETCH(std::string, folder);
    QFETCH(std::string, text);
    QCOMPARE(CommandText({words.front(), Words(words.begin() + 1, words.end()), folder}), text);
    QCOMPARE(QuoteForShell("say \"hi\" now", ShellSyntax::Windows),
             std::string("\"say \"\"hi\"\" now\""));
}

void LaunchCommandTest::RunTimeMistakes_data()
{
    QTest::addColumn<std::string>("lines");
    QTest::addColumn<std::string>("found"); // option numbers and mistakes, in order

    QTest::newRow("none") << std::string("[A]\nType=String\nFormat=-a %s\nArg=1\n[B]\nType=True\n"
                                         "Format=-b\n[C]\nType=Select\nValue=x\nValue1=x\nArg=2\n")
                          << std::string();
    QTest::newRow("formats")
        << std::string("[A]\nFormat='-a %s\n[B]\nFormat=-b 50% %s\n[C]\nFormat=-c \\%d %%\n"
                       "[D]\nFormat=-I\nMultiple=1\n[E]\nFormat=-I\nMultiple=1\nType=Select\n"
                       "Value1=x\n")
        << std::string("1:quote 2:percent 4:repeated");
    QTest::newRow("lists") << std::string("[A]\nType=select\n[B]\nType=Select\nValue=z\nValue1=x\n"
                                          "[C]\nType=Suggest\nValue=z\nValue1=x\n")
                           << std::string("1:no-values 2:not-listed");
    QTest::newRow("check boxes") << std::string("[A]\nType=True\n[B]\nType=False\nFormat= \n")
                                 << std::string("1:no-format 2:no-format");
    QTest::newRow("argument numbers")
        << std::string("[A]\nArg=2\n[B]\nArg=2\n[C]\nArg=6\n[D]\nArg=-1\n")
        << std::string("1:skipped 2:shared 3:skipped");
    QTest::newRow("folder options")
        << std::string("[A]\nUse Directory=1\n[B]\nType=True\nFormat=-x\nUse Directory=1\n"
                       "[C]\nUse Directory=1\n")
        << std::string("3:second-folder");
}

void LaunchCommandTest::RunTimeMistakes()
{
    QFETCH(std::string, lines);
    static const std::map<RunTimeMistake, std::string> names = {
        {RunTimeMistake::UnclosedQuote, "quote"},
        {RunTimeMistake::StrayPercent, "percent"},
        {RunTimeMistake::SelectWithoutValues, "no-values"},
        {RunTimeMistake::ValueNotListed, "not-listed"},
        {RunTimeMistake::CheckBoxWithoutFormat, "no-format"},
        {RunTimeMistake::SharedArgument, "shared"},
        {RunTimeMistake::SkippedArgument, "skipped"},
        {RunTimeMistake::SecondFolderOption, "second-folder"},
        {RunTimeMistake::RepeatedFormat, "repeated"}};
    std::string found;
    for (const RunTimeFinding& finding : FindRunTimeMistakes(Definition(lines))) {
        found += (found.empty() ? "" : " ") + std::to_string(finding.option + 1) + ':' +
                 names.at(finding.mistake);
        QVERIFY(finding.message.rfind("Option " + std::to_string(finding.option + 1) + ": ", 0) ==
                0);
    }
    QTEST(found, "found");
}

QTEST_APPLESS_MAIN(LaunchCommandTest)
#include "LaunchCommandTest.moc"
