#include "document/HelpTextReader.h"

#include "document/DefinitionHazards.h"
#include "document/HelpTextCleaner.h"
#include "tests/support/DocumentPrinting.h"

#include <QTest>

Q_DECLARE_METATYPE(std::string)

namespace {

// One line per drafted option: Name|Type|Format|values|flags, where the
// flags are M (Multiple), R (Mandatory) and A and the argument number;
// empty fields at the end are left out. A QString, which QCOMPARE shows.
QString Rendered(const HelpDraft& draft)
{
    std::string text;
    for (const DraftedOption& drafted : draft.options) {
        const COption& option = drafted.option;
        std::string line = option.Name + '|' + option.Type + '|' + option.Format + '|';
        for (std::size_t i = 0; i < option.Values.size(); ++i)
            line += (i ? "," : "") + option.Values[i];
        line += '|';
        line += option.Multiple ? "M" : "";
        line += option.Mandatory ? "R" : "";
        line += option.Arg > 0 ? "A" + std::to_string(option.Arg) : "";
        while (line.back() == '|')
            line.pop_back();
        text += line + '\n';
    }
    return QString::fromStdString(text);
}

} // namespace

class HelpTextReaderTest : public QObject
{
    Q_OBJECT

private Q_SLOTS:
    void Options_data();
    void Options();
    void Operands_data();
    void Operands();
    void Descriptions_data();
    void Descriptions();
    void Cleaning_data();
    void Cleaning();
    void DraftedOptionsKeepTheirNames();
    void DefinitionFromDraft();
};

void HelpTextReaderTest::Options_data()
{
    QTest::addColumn<std::string>("help");
    QTest::addColumn<std::string>("expected");

    QTest::newRow("GNU: names, values after '=', optional values, description below")
        << std::string("Usage: tool [OPTION]... PATTERNS [FILE]...\n"
                       "Search for PATTERNS in each FILE.\n"
                       "\n"
                       "  -a, --all                  do not ignore entries starting with .\n"
                       "  -o, --output=FILE          write to FILE\n"
                       "      --color[=WHEN]         colour the output; WHEN is 'always', "
                       "'never',\n"
                       "                             or 'auto'\n"
                       "      --group-directories-first\n"
                       "                             group directories before files\n"
                       "  -I[FMT], --iso[=FMT]       output in ISO format\n")
        << std::string("all|True|--all\n"
                       "output|String|--output=%s\n"
                       "color|Suggest|--color=%s|always,never,auto\n"
                       "group-directories-first|True|--group-directories-first\n"
                       "iso|String|--iso=%s\n"
                       "PATTERNS|String|||RA1\n"
                       "FILE|String|||MA2\n");
    QTest::newRow("GNU: fixed values, names on two lines, one blank, -NUM, choices later")
        << std::string("  -p, --indicator-style=slash\n"
                       "                             append / indicator to directories\n"
                       "      --indicator-style=WORD append indicator with style WORD: none "
                       "(default),\n"
                       "                             slash (-p), classify (-F)\n"
                       "      --colour[=WHEN],\n"
                       "      --color[=WHEN]         use markers\n"
                       "  -NUM                       same as --context=NUM\n"
                       "  -?, --help                 give this help list\n"
                       "\n"
                       "The WHEN argument defaults to 'always' and can also be 'auto' or "
                       "'never'.\n")
        << std::string("indicator-style=slash|True|--indicator-style=slash\n"
                       "indicator-style|Select|--indicator-style=%s|none,slash,classify\n"
                       "colour|Suggest|--colour=%s|always,auto,never\n"
                       "NUM|String|-%s\n"
                       "help|True|--help\n");
    QTest::newRow("argparse: values after names, {choices}, groups, repeated, positionals")
        << std::string("usage: prog [-h] [-o OUTPUT] [--mode {fast,slow}] [-v]\n"
                       "            src [dest ...]\n"
                       "\n"
                       "positional arguments:\n"
                       "  src                   the source\n"
                       "\n"
                       "options:\n"
                       "  -h, --help            show this help message and exit\n"
                       "  -o OUTPUT, --output OUTPUT\n"
                       "                        write to OUTPUT\n"
                       "  --mode {fast,slow}    how to copy (default: fast)\n"
                       "  -v, --verbose         more output; may be repeated\n"
                       "\n"
                       "advanced:\n"
                       "  --level {1,2,3}, -l {1,2,3}\n"
                       "                        level\n"
                       "  --tag TAG             add a tag; can be given multiple times\n"
                       "  --pair A B            two values\n")
        << std::string("help|True|--help\n"
                       "output|String|--output %s\n"
                       "mode|Select|--mode %s|fast,slow\n"
                       "verbose|True|--verbose\n"
                       "level|Select|--level %s|1,2,3\n"
                       "tag|String|--tag %s||M\n"
                       "pair|String|--pair %s\n"
                       "src|String|||RA1\n"
                       "dest|String|||MA2\n");
    QTest::newRow("click: --x / --no-x, [a|b] choices, kinds of value, types, [required]")
        << std::string("Usage: cli run [OPTIONS] NAME\n"
                       "\n"
                       "  Runs a thing.\n"
                       "\n"
                       "Options:\n"
                       "  --debug / --no-debug            Set debug mode.\n"
                       "  -f, --format [json|yaml|text]   Output format.  [default: json]\n"
                       "  -n, --count INTEGER RANGE       How many.  [x>=1]\n"
                       "  --token TEXT                    API token.  [required]\n"
                       "  -c, --cookie [data|filename]    A cookie or a cookie file.\n")
        << std::string("debug|True|--debug\n"
                       "format|Suggest|--format %s|json,yaml,text\n"
                       "count|String|--count %s\n"
                       "token|String|--token %s||R\n"
                       "cookie|String|--cookie %s\n"
                       "NAME|String|||RA1\n");
    QTest::newRow("clap: <VALUE>, [possible values], verbose..., optional [<NAME>]")
        << std::string("Builds things\n"
                       "\n"
                       "Usage: tool build [OPTIONS] [PATH]\n"
                       "\n"
                       "Options:\n"
                       "  -o, --output <FILE>    Write to FILE [default: out]\n"
                       "      --color <WHEN>     Coloring [possible values: auto, always, never]\n"
                       "  -v, --verbose...       More output\n"
                       "      --bin [<NAME>]     Build only the named binary\n"
                       "  -h, --help             Print help\n")
        << std::string("output|String|--output %s\n"
                       "color|Select|--color %s|auto,always,never\n"
                       "verbose|True|--verbose\n"
                       "bin|String|--bin %s\n"
                       "help|True|--help\n"
                       "PATH|String|||A1\n");
    QTest::newRow("clap long help: possible values as a list below")
        << std::string("Options:\n"
                       "      --color <WHEN>\n"
                       "          Coloring\n"
                       "\n"
                       "          Possible values:\n"
                       "          - auto:   Detect\n"
                       "          - always: Always\n"
                       "\n"
                       "  -q, --quiet\n"
                       "          Do not print\n")
        << std::string("color|Select|--color %s|auto,always\n"
                       "quiet|True|--quiet\n");
    QTest::newRow("cobra: lower-case types, One of: (...), list types, global flags")
        << std::string("Flags:\n"
                       "  -o, --output string      Output format. One of: (json, yaml, wide).\n"
                       "      --env stringArray    Set environment variables\n"
                       "  -A, --all                List all\n"
                       "\n"
                       "Global Flags:\n"
                       "      --config string   config file (default is $HOME/.tool.yaml)\n")
        << std::string("output|Select|--output %s|json,yaml,wide\n"
                       "env|String|--env %s||M\n"
                       "all|True|--all\n"
                       "config|String|--config %s\n");
    QTest::newRow("Go flag: -name value, the description on the next line after a tab")
        << std::string("Usage of tool:\n"
                       "  -addr string\n"
                       "    \tlisten address (default \":8080\")\n"
                       "  -mode string\n"
                       "    \tmode: one of \"fast\", \"slow\" (default \"fast\")\n"
                       "  -v\tverbose output\n"
                       "  -workers int\n"
                       "    \tnumber of workers (default 4)\n")
        << std::string("addr|String|-addr %s\n"
                       "mode|Select|-mode %s|fast,slow\n"
                       "v|True|-v\n"
                       "workers|String|-workers %s\n");
    QTest::newRow("single-dash long names, +names, lower-case values, no indent")
        << std::string("use: X [:<display>] [option]\n"
                       "-a #                   default pointer acceleration (factor)\n"
                       "-audit int             set audit trail level\n"
                       "-nocursor              disable the cursor\n"
                       "+bs                    enable any backing store support\n"
                       "-bs                    disable any backing store support\n"
                       "-render [default|mono] set render color alloc policy\n"
                       "-help                  prints message with these options\n")
        << std::string("a|String|-a %s\n"
                       "audit|String|-audit %s\n"
                       "nocursor|True|-nocursor\n"
                       "+bs|True|+bs\n"
                       "bs|True|-bs\n"
                       "render|Suggest|-render %s|default,mono\n"
                       "help|True|-help\n");
    QTest::newRow("one blank or a tab before descriptions; names joined by | / or")
        << std::string("Options:\n"
                       " -a Show all\n"
                       " -o FILE Write to FILE\n"
                       " -v | --verbose\tMore output\n"
                       " -q/--quiet\tLess output\n"
                       " -h or --help\tShow help\n"
                       "\n"
                       "Flags:\n"
                       " -x Extract files\n"
                       " -c Create an archive\n")
        << std::string("a|True|-a\n"
                       "o|String|-o %s\n"
                       "verbose|True|--verbose\n"
                       "quiet|True|--quiet\n"
                       "help|True|--help\n"
                       "x|True|-x\n"
                       "c|True|-c\n");
    QTest::newRow("names in aligned columns, values with commas, quotes and numbers")
        << std::string("Options:\n"
                       "  -V,  --version                 show version\n"
                       "  -nv, --no-verbose              quiet\n"
                       "  --skip=patt1,patt2,...         skip those\n"
                       "  -T#                            threads\n"
                       "  -#                             level\n"
                       "  --auto={physical|logical}      cores\n"
                       "  -var 'foo=bar'                 set a variable\n"
                       "  -v, --v Level                  log level\n"
                       "  --color WHEN                   colour (auto, always, never)\n"
                       "  --cpus LIST                    CPUs to use (0-3, 0,1)\n")
        << std::string("version|True|--version\n"
                       "no-verbose|True|--no-verbose\n"
                       "skip|String|--skip=%s\n"
                       "T|String|-T%s\n"
                       "#|String|-%s\n"
                       "auto|Select|--auto=%s|physical,logical\n"
                       "var|String|-var %s\n"
                       "v|String|--v %s\n"
                       "color|Select|--color %s|auto,always,never\n"
                       "cpus|String|--cpus %s\n");
    QTest::newRow("--[no-]x; a name shown again is left out")
        << std::string("  --[no-]color      colour the output\n"
                       "  -v, --verbose     verbose\n"
                       "  --no-color        same as above\n"
                       "  -v                again\n")
        << std::string("color|True|--color\n"
                       "verbose|True|--verbose\n");
    QTest::newRow("choices in later paragraphs: a table, a sentence, an open list")
        << std::string("  -H, --format=FORMAT        create archive of the given format\n"
                       "      --backup[=CONTROL]     backup before removal\n"
                       "      --style=STYLE          the style\n"
                       "      --block-size=SIZE      scale sizes by SIZE\n"
                       "\n"
                       " FORMAT is one of the following:\n"
                       "    gnu                      GNU format\n"
                       "    pax                      POSIX format\n"
                       "\n"
                       "The version control may be set with --backup, values are:\n"
                       "\n"
                       "  none, off       never make backups\n"
                       "  t, numbered     make numbered backups\n"
                       "\n"
                       "STYLE can be plain, fancy, or +TEMPLATE.\n"
                       "The SIZE argument is an integer and optional unit (example: 10K).\n")
        << std::string("format|Select|--format=%s|gnu,pax\n"
                       "backup|Suggest|--backup=%s|none,off,t,numbered\n"
                       "style|Suggest|--style=%s|plain,fancy\n"
                       "block-size|String|--block-size=%s\n");
    QTest::newRow("examples, prose and bullets are no options")
        << std::string("Usage: tool [options]\n"
                       "\n"
                       "Examples:\n"
                       "  --dry-run   # preview what would happen\n"
                       "  tool --force\n"
                       "\n"
                       "Options:\n"
                       "  -f, --force   do it\n"
                       "\n"
                       "Note that\n"
                       "-r is not supported any more.\n"
                       "-- ends the options.\n"
                       " - a bullet\n"
                       "--rsh-command=/usr/bin/rsh\n")
        << std::string("force|True|--force\n");
    QTest::newRow("terminal escapes, overstrikes and CR LF")
        << std::string("\x1b]0;title\x07\x1b[1m-a\x1b[0m, \x1b[1;31m--all\x1b[0m      show "
                       "all\r\n"
                       "-\b--\b-f\bfi\bil\ble\be=_\bF_\bI_\bL_\bE  read FILE\r\n")
        << std::string("all|True|--all\n"
                       "file|String|--file=%s\n");
    QTest::newRow("kubectl: the default after '=' and a colon, the description below")
        << std::string("Options:\n"
                       "    -A, --all-namespaces=false:\n"
                       "\tIf present, list across all namespaces.\n"
                       "\n"
                       "    -o, --output='':\n"
                       "\tOutput format. One of: (json, yaml).\n"
                       "\n"
                       "    -f, --filename=[]:\n"
                       "\tFiles to read.\n")
        << std::string("all-namespaces|True|--all-namespaces\n"
                       "output|Select|--output=%s|json,yaml\n"
                       "filename|String|--filename=%s||M\n");
    QTest::newRow("LLVM and cmake: '- ' and '= ' markers, =value lines, names for Windows")
        << std::string("  --Werror                  - Turn warnings into errors\n"
                       "  --mode=<value>            - The mode:\n"
                       "    =fast                   -   Go fast\n"
                       "    =slow                   -   Go slow\n"
                       "  -Wdev                        = Enable developer warnings.\n"
                       "  -Werror=dev                  = Make developer warnings errors.\n"
                       "  -Werror=deprecated           = Make deprecated warnings errors.\n"
                       "  -h,-H,--help,/?              = Print usage information and exit.\n"
                       "  --log-level=<ERROR|WARNING|NOTICE> = Set the verbosity.\n")
        << std::string("Werror|True|--Werror\n"
                       "mode|Select|--mode=%s|fast,slow\n"
                       "Wdev|True|-Wdev\n"
                       "Werror=dev|True|-Werror=dev\n"
                       "Werror=deprecated|True|-Werror=deprecated\n"
                       "help|True|--help\n"
                       "log-level|Select|--log-level=%s|ERROR,WARNING,NOTICE\n");
    QTest::newRow("names equal without regard to case stay apart")
        << std::string("  -c            count\n"
                       "  -C            columns\n"
                       "  -y            (new)\n"
                       "  -Y            (deprecated)\n"
                       "  --quarn       the quarn option\n")
        << std::string("c|True|-c\n"
                       "C (columns)|True|-C\n"
                       "y|True|-y\n"
                       "Y (2)|True|-Y\n"
                       "quarn (the quarn option)|True|--quarn\n");
}

void HelpTextReaderTest::Options()
{
    QFETCH(std::string, help);
    QFETCH(std::string, expected);

    const HelpDraft draft = ReadHelpText(help);

    QCOMPARE(Rendered(draft), QString::fromStdString(expected));
    const std::vector<DefinitionHazard> hazards = FindHazards(DraftDefinition(draft, "tool"));
    QVERIFY2(hazards.empty(), hazards.empty() ? "" : hazards.front().message.c_str());
}

void HelpTextReaderTest::Operands_data()
{
    QTest::addColumn<std::string>("help");
    QTest::addColumn<std::string>("expected");

    QTest::newRow("the first of several forms")
        << std::string("Usage: cp [OPTION]... [-T] SOURCE DEST\n"
                       "  or:  cp [OPTION]... SOURCE... DIRECTORY\n")
        << std::string("SOURCE|String|||RA1\nDEST|String|||RA2\n");
    QTest::newRow("the command's own words, optional and repeated operands")
        << std::string("Usage:  docker run [OPTIONS] IMAGE [COMMAND] [ARG...]\n")
        << std::string("IMAGE|String|||RA1\nCOMMAND|String|||A2\nARG|String|||MA3\n");
    QTest::newRow("<operands>, --, and options with values in the usage")
        << std::string("usage: git commit [-F <file> | -m <msg>] -C <commit> [--] "
                       "<pathspec>...\n")
        << std::string("pathspec|String|||MRA1\n");
    QTest::newRow("forms under a Usage heading")
        << std::string("Usage\n"
                       "\n"
                       "  cmake [options] <path-to-source>\n"
                       "  cmake [options] -S <path-to-source> -B <path-to-build>\n")
        << std::string("path-to-source|String|||RA1\n");
    QTest::newRow("forms after \"or\" without a colon; a name an option has")
        << std::string("Usage: java [options] <mainclass> [args...]\n"
                       "           (to execute a class)\n"
                       "   or  java [options] -jar <jarfile> [args...]\n"
                       "\n"
                       "  --mainclass   the class\n")
        << std::string("mainclass|True|--mainclass\nmainclass (argument)|String|||RA1\n"
                       "args|String|||MA2\n");
    QTest::newRow("alternatives and groups in brackets are left out")
        << std::string("Usage: kubectl get [(-o|--output=)json|yaml] (TYPE [NAME | -l label]) "
                       "[flags]\n")
        << std::string();
}

void HelpTextReaderTest::Operands()
{
    QFETCH(std::string, help);
    QFETCH(std::string, expected);

    QCOMPARE(Rendered(ReadHelpText(help)), QString::fromStdString(expected));
}

void HelpTextReaderTest::Descriptions_data()
{
    QTest::addColumn<std::string>("help");
    QTest::addColumn<std::string>("information"); // of each option, one per line

    QTest::newRow("wrapped lines are joined; deeper lines, items and paragraphs stand apart")
        << std::string("  --time=WORD     change the default of using\n"
                       "                  modification times:\n"
                       "                    access time (-u): atime, access\n"
                       "                  with -l, WORD determines which time to show\n"
                       "\n"
                       "                  Example: --time=atime\n"
                       "  -v              verbose\n")
        << std::string("change the default of using modification times:\r\n"
                       "access time (-u): atime, access\r\n"
                       "with -l, WORD determines which time to show\r\n"
                       "Example: --time=atime\n"
                       "verbose\n");
    QTest::newRow("markers are left out; a description ends where less indented text starts")
        << std::string("  --mode=<value>  - The mode:\n"
                       "    =fast         -   Go fast\n"
                       "  --quiet         = Say less.\n"
                       " Other options:\n"
                       "  --loud          say more\n"
                       "\n"
                       "Report bugs to the author.\n")
        << std::string("The mode:\r\n=fast         -   Go fast\n"
                       "Say less.\n"
                       "say more\n");
    QTest::newRow("an operand's description from the list of arguments")
        << std::string("Usage: tool [OPTIONS] <PATH>\n"
                       "\n"
                       "Arguments:\n"
                       "  <PATH>\n"
                       "          Where to build\n")
        << std::string("Where to build\n");
}

void HelpTextReaderTest::Descriptions()
{
    QFETCH(std::string, help);
    QFETCH(std::string, information);

    std::string shown;
    for (const DraftedOption& drafted : ReadHelpText(help).options)
        shown += drafted.option.Information + '\n';
    QCOMPARE(QString::fromStdString(shown), QString::fromStdString(information));
}

void HelpTextReaderTest::Cleaning_data()
{
    QTest::addColumn<std::string>("text");
    QTest::addColumn<std::string>("cleaned");

    QTest::newRow("colours, cursor moves and titles are dropped")
        << std::string("\x1b[1;31mred\x1b[0m \x1b[2K\x1b]0;title\x07"
                       "a\x1b]2;t\x1b\\b\x1b(Bc\n")
        << std::string("red abc\n");
    QTest::newRow("overstrikes show the character struck, underlines the one under")
        << std::string("-\b--\b-a\bal\bll\bl _\bF_\bI\xc3\xa9\b\xc3\xa9\n")
        << std::string("--all FI\xc3\xa9\n");
    QTest::newRow("tabs stop every 8 columns, a UTF-8 character is one column")
        << std::string("-v\tverbose\n\xc3\xa9\tx\n    \tdeep\n")
        << std::string("-v      verbose\n\xc3\xa9       x\n        deep\n");
    QTest::newRow("CR LF and lone CRs end lines; trailing blanks and controls go")
        << std::string("a  \r\nb\rc\x01"
                       "d \t\n\ne")
        << std::string("a\nb\ncd\n\ne\n");
}

void HelpTextReaderTest::Cleaning()
{
    QFETCH(std::string, text);
    QFETCH(std::string, cleaned);

    QCOMPARE(QString::fromStdString(CleanHelpText(text)), QString::fromStdString(cleaned));
}

void HelpTextReaderTest::DraftedOptionsKeepTheirNames()
{
    const HelpDraft draft = ReadHelpText("  -o, --output=FILE   write to FILE\n"
                                         "                      (default: stdout)\n"
                                         "  --[no-]color        colour\n");

    QCOMPARE(draft.options.size(), std::size_t(2));
    QCOMPARE(draft.options[0].spellings, (std::vector<std::string>{"-o", "--output"}));
    QCOMPARE(draft.options[0].sourceLine, std::string("-o, --output=FILE   write to FILE"));
    QCOMPARE(draft.options[0].option.Information, std::string("write to FILE (default: stdout)"));
    QCOMPARE(draft.options[1].spellings, (std::vector<std::string>{"--color", "--no-color"}));
}

void HelpTextReaderTest::DefinitionFromDraft()
{
    const HelpDraft draft = ReadHelpText("rustup 1.29.0 (28d1352db 2026-03-05)\n"
                                         "\n"
                                         "Usage: grep [OPTION]... PATTERNS [FILE]...\n"
                                         "Search for PATTERNS in each FILE.  Reads stdin.\n"
                                         "\n"
                                         "  -e, --regexp=PATTERNS     use PATTERNS for matching;\n"
                                         "                            may be given more than once\n"
                                         "\n"
                                         "                            Example: -e a -e b\n");

    const CDef def = DraftDefinition(draft, "/usr/bin/grep");

    QCOMPARE(def.Name, std::string("grep"));
    QCOMPARE(def.Program, std::string("/usr/bin/grep"));
    QCOMPARE(def.Information, std::string("Search for PATTERNS in each FILE.\r\n"
                                          "Usage: grep [OPTION]... PATTERNS [FILE]..."));
    QCOMPARE(def.Options.size(), std::size_t(3));
    QCOMPARE(def.Options[0].Information, std::string("use PATTERNS for matching; may be given "
                                                     "more than once\r\nExample: -e a -e b"));
    QVERIFY(def.Options[0].Multiple);
    QCOMPARE(def.Options[0].Value, std::string());
    QVERIFY(FindHazards(def).empty());
}

QTEST_APPLESS_MAIN(HelpTextReaderTest)
#include "HelpTextReaderTest.moc"
