#include "launcher/HeadlessRun.h"

#include "document/LaunchCommand.h"
#include "launcher/LaunchDefinition.h"
#include "launcher/LaunchProblemTexts.h"
#include "launcher/LauncherArguments.h"
#include "system/ProcessReplacement.h"
#include "system/SystemLaunchContext.h"
#include "system/TextCodec.h"

#include <ostream>

namespace {

constexpr int Failure = 2;
constexpr int NotFound = 127;
constexpr int NotStarted = 126;

bool Read(const LauncherArguments& arguments, LaunchDefinition& definition, std::ostream& err)
{
    std::string reason;
    if (ReadLaunchDefinition(arguments.definitionPath, arguments.namedFile, definition, reason))
        return true;
    err << "QuarnExe: cannot read " << arguments.definitionPath << ": " << reason << '\n';
    return false;
}

} // namespace

int DryRun(const LauncherArguments& arguments, std::ostream& out, std::ostream& err)
{
    LaunchDefinition definition;
    if (!Read(arguments, definition, err))
        return Failure;
    LaunchValues values = DefaultValues(definition.def);
    ApplyArguments(definition.def, arguments.arguments, values);
    const LaunchPlan plan =
        PlanLaunch(definition.def, values, SystemLaunchContext(definition.path));
    if (plan.problems.Any()) {
        const TextCodec codec = TextCodec::ForDocument(definition.def);
        for (const QString& text : LaunchProblemTexts(definition.def, plan.problems, codec))
            err << "QuarnExe: " << definition.path << ": " << text.toStdString() << '\n';
        return Failure;
    }
    out << CommandText(plan.command) << '\n';
    return 0;
}

int PassThrough(const LauncherArguments& arguments, std::ostream& err)
{
    LaunchDefinition definition;
    if (!Read(arguments, definition, err))
        return Failure;
    const std::string& name = definition.def.Program;
    const std::string program =
        name.empty() ? name : FindProgram(name, SystemLaunchContext(definition.path));
    if (program.empty()) {
        err << "QuarnExe: " << definition.path << ": the program " << name << " cannot be found\n";
        return NotFound;
    }
    // A definition naming its own launcher copy would start it again and
    // again.
    if (IsSameFile(program, OwnExecutablePath())) {
        err << "QuarnExe: " << definition.path << ": the program " << program
            << " is this launcher\n";
        return Failure;
    }
    const std::string reason = ReplaceProcess(program, arguments.arguments);
    err << "QuarnExe: cannot run " << program << ": " << reason << '\n';
    return NotStarted;
}
