#include "document/LaunchCommand.h"

#include "document/CommandWords.h"
#include "document/OptionType.h"

#include <filesystem>

namespace {

// A name without a folder is looked for on the search path.
bool IsBareName(const std::string& name)
{
#ifdef _WIN32
    return name.find_first_of("\\/:") == std::string::npos;
#else
    return name.find('/') == std::string::npos;
#endif
}

bool EndsWithSeparator(const std::string& folder)
{
#ifdef _WIN32
    return folder.back() == '/' || folder.back() == '\\';
#else
    return folder.back() == '/';
#endif
}

std::string InFolder(const std::string& folder, const std::string& path)
{
    if (std::filesystem::path(path).is_absolute() || folder.empty())
        return path;
    return EndsWithSeparator(folder) ? folder + path : folder + '/' + path;
}

// A word of a Format with the value in its places.
std::string Filled(const FormatWord& word, const std::string& value)
{
    std::string text;
    for (const FormatPiece& piece : word)
        text += piece.isValue ? value : piece.text;
    return text;
}

// An option's words, or its text for a shell, value by value: the Format's
// words with the value in them; the value alone for an empty Format (none
// for a check box or the working folder's option, which add words only
// through a Format); the value after the words of a Format without "%s".
class OptionWords
{
public:
    OptionWords(const COption& option, const std::string& value)
        : option_(option), values_(EmittedValues(option, value)),
          format_(SplitFormat(option.Format))
    {
        const OptionType type = OptionTypeOf(option.Type);
        checkBox_ = IsCheckBoxType(type);
        valueAlone_ = !checkBox_ && !option.UseDir;
    }

    bool Emits() const { return !values_.empty(); }
    bool UnclosedQuote() const { return Emits() && format_.unclosedQuote; }
    const std::vector<std::string>& Values() const { return values_; }

    void AddWords(std::vector<std::string>& words) const
    {
        for (const std::string& value : values_) {
            if (format_.words.empty()) {
                if (valueAlone_)
                    words.push_back(value);
                continue;
            }
            for (const FormatWord& word : format_.words)
                words.push_back(Filled(word, value));
            if (ValueAfterFormat())
                words.push_back(value);
        }
    }

    void AddShellText(ShellSyntax syntax, std::string& text) const
    {
        for (const std::string& value : values_) {
            const std::string quoted = QuoteForShell(value, syntax);
            if (format_.words.empty()) {
                if (valueAlone_)
                    text += ' ' + quoted;
                continue;
            }
            text += ' ' + SubstituteFormat(option_.Format, quoted);
            if (ValueAfterFormat())
                text += ' ' + quoted;
        }
    }

private:
    bool ValueAfterFormat() const { return !format_.hasValue && !checkBox_; }

    const COption& option_;
    std::vector<std::string> values_;
    FormatWords format_;
    bool checkBox_ = false;
    bool valueAlone_ = true;
};

std::string WorkingFolder(const CDef& def, const std::vector<OptionWords>& options,
                          const LaunchContext& context)
{
    for (std::size_t i = 0; i < options.size(); ++i) {
        if (def.Options[i].UseDir && options[i].Emits())
            return InFolder(context.currentFolder, options[i].Values().front());
    }
    if (def.Directory.empty())
        return {};
    return InFolder(context.definitionFolder, def.Directory);
}

// The shell and its own words from the Shell field; "*" stands for the
// platform's shell.
std::vector<std::string> ShellWords(const std::string& shell, const LaunchContext& context)
{
    std::vector<std::string> words = SplitValueList(shell);
    if (!words.empty() && words.front() == "*")
        return context.defaultShell;
    // A shell without words of its own would take the command for a script.
    if (words.size() == 1)
        words.push_back(context.shellCommandSwitch);
    return words;
}

// The path of a program or shell; the name as written when it cannot be
// found, so that the command still shows what was asked for.
std::string ProgramPath(const std::string& name, const LaunchContext& context, bool& found)
{
    const std::string path = FindProgram(name, context);
    found = !path.empty();
    return found ? path : name;
}

} // namespace

std::string FindProgram(const std::string& name, const LaunchContext& context)
{
    if (IsBareName(name))
        return context.findInSearchPath(name);
    const std::string path = InFolder(context.definitionFolder, name);
    return context.isFile(path) ? path : std::string();
}

LaunchPlan PlanLaunch(const CDef& def, const LaunchValues& values, const LaunchContext& context)
{
    LaunchPlan plan;
    std::vector<OptionWords> options;
    options.reserve(def.Options.size());
    for (std::size_t i = 0; i < def.Options.size(); ++i) {
        static const std::string None;
        options.emplace_back(def.Options[i], i < values.options.size() ? values.options[i] : None);
        if (def.Options[i].Mandatory && !options[i].Emits())
            plan.problems.missingMandatory.push_back(i);
        if (options[i].UnclosedQuote())
            plan.problems.unclosedQuotes.push_back(i);
    }

    bool found = true;
    const std::string program =
        def.Program.empty() ? def.Program : ProgramPath(def.Program, context, found);
    if (def.Program.empty())
        plan.problems.program = LaunchProblems::Program::NotSet;
    else if (!found)
        plan.problems.program = LaunchProblems::Program::NotFound;

    if (def.Shell.empty()) {
        plan.command.program = program;
        for (const OptionWords& option : options)
            option.AddWords(plan.command.arguments);
        plan.command.arguments.insert(plan.command.arguments.end(), values.extraArguments.begin(),
                                      values.extraArguments.end());
    } else {
        std::string text = QuoteForShell(program, context.syntax);
        for (const OptionWords& option : options)
            option.AddShellText(context.syntax, text);
        for (const std::string& argument : values.extraArguments)
            text += ' ' + QuoteForShell(argument, context.syntax);
        const std::vector<std::string> shell = ShellWords(def.Shell, context);
        plan.command.program = ProgramPath(shell.front(), context, found);
        if (!found)
            plan.problems.missingShell = shell.front();
        plan.command.arguments.assign(shell.begin() + 1, shell.end());
        plan.command.arguments.push_back(text);
    }

    plan.command.workingFolder = WorkingFolder(def, options, context);
    if (!plan.command.workingFolder.empty() && !context.isFolder(plan.command.workingFolder))
        plan.problems.missingFolder = plan.command.workingFolder;
    return plan;
}

std::string CommandText(const CommandLine& command)
{
    std::vector<std::string> words = {command.program};
    words.insert(words.end(), command.arguments.begin(), command.arguments.end());
    std::string text = PosixCommandText(words);
    if (command.workingFolder.empty())
        return text;
    return "cd " + QuoteForShell(command.workingFolder, ShellSyntax::Posix) + " && " + text;
}
