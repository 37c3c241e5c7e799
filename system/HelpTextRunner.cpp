#include "system/HelpTextRunner.h"

#include "system/CapturedRun.h"
#include "system/DisplayNames.h"
#include "system/FileNameCodec.h"
#include "system/ProgramLookup.h"

#include <QTemporaryDir>
#include <algorithm>
#include <filesystem>

namespace {

constexpr int TimeLimitSeconds = 5;
constexpr int OutputLimitMiB = 1;
// Wide enough that descriptions stay on their options' lines.
constexpr const char* Columns = "200";
// The control characters a text may hold: layout, overstrikes, colours.
constexpr char16_t TextControls[] = u"\t\n\v\f\r\b\x1b";

// One run for help, and whether it ended by itself with text or nothing:
// only then may another source say more.
struct Attempt
{
    HelpText help;
    bool ranToEnd = false;
};

std::vector<std::pair<std::string, std::string>> HelpEnvironment()
{
    // Plain text in the C locale, and nothing that waits for a key.
    return {{"LC_ALL", "C"},     {"NO_COLOR", "1"},    {"TERM", "dumb"},     {"PAGER", "cat"},
            {"MANPAGER", "cat"}, {"COLUMNS", Columns}, {"MANWIDTH", Columns}};
}

std::string WayArgument(HelpSource source)
{
    switch (source) {
    case HelpSource::ShortHelp:
        return "-h";
    case HelpSource::SingleDashHelp:
        return "-help";
    case HelpSource::HelpCommand:
        return "help";
    default:
        return "--help";
    }
}

QString ShownName(const std::string& name)
{
    return VisibleFileName(FilePath(name).Text());
}

QString Quoted(const QString& command)
{
    return QStringLiteral("\u201C%1\u201D").arg(command);
}

// The program as a run in another folder finds it: a name is looked up on
// the search path, a relative path is taken from the current folder.
std::string RunnablePath(const std::string& program)
{
    if (program.find('/') == std::string::npos) {
        const FilePath found = FindOnSearchPath(FilePath(program));
        return found.IsEmpty() ? program : found.Bytes();
    }
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(program, error);
    return error ? program : absolute.string();
}

bool IsBlank(const std::string& text)
{
    return text.find_first_not_of(" \t\n\v\f\r") == std::string::npos;
}

// No NUL, and at most one character in ten a byte that is not UTF-8 or a
// control character a text does not hold.
bool IsText(const std::string& bytes)
{
    if (bytes.find('\0') != std::string::npos)
        return false;
    const QString text = QString::fromUtf8(bytes.data(), static_cast<qsizetype>(bytes.size()));
    const auto odd = std::count_if(text.begin(), text.end(), [](QChar c) {
        return c == QChar::ReplacementCharacter ||
               (c.category() == QChar::Other_Control && !QStringView(TextControls).contains(c));
    });
    return odd * 10 <= text.size();
}

// Whether some line's first non-blank character is '-', as an option's is.
bool HasOptionLine(const std::string& text)
{
    for (std::size_t lineStart = 0; lineStart < text.size();) {
        const std::size_t first = text.find_first_not_of(" \t", lineStart);
        if (first == std::string::npos)
            return false;
        if (text[first] == '-')
            return true;
        lineStart = text.find('\n', first);
        if (lineStart == std::string::npos)
            return false;
        ++lineStart;
    }
    return false;
}

CapturedRun RunInTemporaryFolder(const std::string& program,
                                 const std::vector<std::string>& arguments)
{
    const QTemporaryDir folder;
    if (!folder.isValid()) {
        CapturedRun run;
        run.reason = folder.errorString();
        return run;
    }
    const RunLimits limits{TimeLimitSeconds * 1000,
                           static_cast<std::size_t>(OutputLimitMiB) * 1024 * 1024};
    return RunCaptured(program, arguments, EncodeFileName(folder.path()).toStdString(),
                       HelpEnvironment(), limits);
}

// The text of a run: its standard output, or its standard error when the
// output is blank.
Attempt Taken(const CapturedRun& run, const QString& command, HelpSource source)
{
    Attempt attempt;
    attempt.help.source = source;
    QString& problem = attempt.help.problem;
    switch (run.outcome) {
    case CapturedRun::Outcome::NotStarted:
        problem = QStringLiteral("%1 could not be started: %2.").arg(command, run.reason);
        return attempt;
    case CapturedRun::Outcome::TimedOut:
        problem = QStringLiteral("%1 did not finish within %2 seconds.")
                      .arg(command)
                      .arg(TimeLimitSeconds);
        return attempt;
    case CapturedRun::Outcome::TooMuch:
        problem = QStringLiteral("%1 printed more than %2 MiB.").arg(command).arg(OutputLimitMiB);
        return attempt;
    case CapturedRun::Outcome::Finished:
        break;
    }
    const std::string& text = IsBlank(run.output) ? run.errors : run.output;
    if (!IsText(text)) {
        problem = QStringLiteral("%1 prints something that is not text.").arg(command);
        return attempt;
    }
    attempt.ranToEnd = true;
    if (IsBlank(text)) {
        problem = QStringLiteral("%1 printed nothing.").arg(command);
        return attempt;
    }
    attempt.help.ok = true;
    attempt.help.text = text;
    return attempt;
}

Attempt RunWay(const std::string& program, HelpSource source)
{
    const std::string argument = WayArgument(source);
    const QString command =
        ShownName(program) + QLatin1Char(' ') + QString::fromStdString(argument);
    return Taken(RunInTemporaryFolder(RunnablePath(program), {argument}), Quoted(command), source);
}

HelpText ManualPageOf(const std::string& program)
{
    const std::string name = program.substr(program.rfind('/') + 1); // npos + 1 is 0
    const FilePath man = FindOnSearchPath(FilePath("man"));
    HelpText missing;
    missing.source = HelpSource::ManualPage;
    if (man.IsEmpty()) {
        missing.problem = QStringLiteral("Manual pages cannot be read: man is not installed.");
        return missing;
    }
    const QString shownName = ShownName(name);
    missing.problem = QStringLiteral("There is no manual page for %1.").arg(shownName);
    if (name.empty())
        return missing;
    const CapturedRun where = RunInTemporaryFolder(man.Bytes(), {"-w", "--", name});
    if (where.outcome != CapturedRun::Outcome::Finished)
        return Taken(where, Quoted(QStringLiteral("man -w ") + shownName), HelpSource::ManualPage)
            .help;
    if (where.end.signalled || where.end.exitStatus != 0 || IsBlank(where.output))
        return missing;
    const CapturedRun page = RunInTemporaryFolder(man.Bytes(), {"--", name});
    return Taken(page, Quoted(QStringLiteral("man ") + shownName), HelpSource::ManualPage).help;
}

} // namespace

HelpText RunForHelp(const std::string& program, HelpSource source)
{
    if (source == HelpSource::ManualPage)
        return ManualPageOf(program);
    return RunWay(program, source).help;
}

HelpText HelpFor(const std::string& program)
{
    Attempt attempt = RunWay(program, HelpSource::HelpOption);
    if (!attempt.ranToEnd || HasOptionLine(attempt.help.text))
        return attempt.help;
    const HelpText manual = ManualPageOf(program);
    if (manual.ok)
        return manual;
    if (!attempt.help.ok) // printed nothing: both reasons count
        attempt.help.problem += QLatin1Char(' ') + manual.problem;
    return attempt.help;
}
