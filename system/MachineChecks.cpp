#include "system/MachineChecks.h"

#include "document/LaunchCommand.h"
#include "system/ProgramLookup.h"
#include "system/SystemLaunchContext.h"

std::vector<std::string> FindMachineMistakes(const CDef& def, const std::string& definitionPath)
{
    std::vector<std::string> found;
    if (def.Program.empty())
        return found;
    const LaunchContext context = SystemLaunchContext(definitionPath);
    const std::string program = FindProgram(def.Program, context);
    if (program.empty())
        found.push_back("The program \"" + def.Program + "\" cannot be found on this machine");
    else if (!IsExecutableFile(FilePath(program)))
        found.push_back("The program \"" + def.Program + "\" is not an executable file");
    const LaunchProblems problems = PlanLaunch(def, DefaultValues(def), context).problems;
    if (!problems.missingShell.empty())
        found.push_back("The command shell \"" + problems.missingShell +
                        "\" cannot be found on this machine");
    if (!problems.missingFolder.empty())
        found.push_back("The folder \"" + problems.missingFolder +
                        "\" does not exist on this machine");
    return found;
}
