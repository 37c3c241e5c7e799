#include "editor/CommandLineModes.h"

#include "document/DefinitionCheck.h"
#include "document/DefinitionFile.h"
#include "system/ProgramDraft.h"
#include "system/Version.h"

#include <ostream>
#include <string_view>

namespace {

constexpr int Failure = 2;

int UsageError(const std::string& problem, std::ostream& errors)
{
    errors << "QuarnEd: " << problem << '\n' << QUARNED_USAGE;
    return Failure;
}

// "QuarnEd --draft PROGRAM": the drafted definition on out; 0 when the help
// listed options, 1 when it listed none, 2 when the program gave no help.
int Draft(const std::string& program, std::ostream& out, std::ostream& errors)
{
    const ProgramDraft draft = DraftFromProgram(program);
    if (!draft.ok) {
        errors << "QuarnEd: " << draft.problem.toStdString() << '\n';
        return Failure;
    }
    out << WriteDefinition(draft.def) << std::flush;
    if (!out) {
        errors << "QuarnEd: error: cannot write the definition\n";
        return Failure;
    }
    return draft.OptionCount() > 0 ? 0 : 1;
}

} // namespace

std::optional<int> RunCommandLineMode(std::vector<char*>& arguments, std::ostream& out,
                                      std::ostream& errors)
{
    const std::string_view first = arguments.size() >= 2 ? arguments[1] : "";
    if (first == "--check") {
        if (arguments.size() == 2)
            return UsageError("--check needs at least one FILE", errors);
        return CheckDefinitionFiles({arguments.begin() + 2, arguments.end()}, out, errors);
    }
    if (first == "--draft") {
        if (arguments.size() != 3)
            return UsageError("--draft needs one PROGRAM", errors);
        return Draft(arguments[2], out, errors);
    }
    if (first == "--help") {
        out << QUARNED_USAGE;
        return 0;
    }
    if (first == "--version") {
        out << "QuarnEd " QUARNED_PRODUCT_VERSION "\n";
        return 0;
    }
    if (first == "--") {
        arguments.erase(arguments.begin() + 1);
        return std::nullopt;
    }
    if (first.size() > 1 && first.front() == '-')
        return UsageError("unknown option " + std::string(first), errors);
    return std::nullopt;
}
