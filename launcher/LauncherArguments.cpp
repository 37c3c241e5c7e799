#include "launcher/LauncherArguments.h"

#include "document/DefinitionPath.h"
#include "document/TextCompare.h"

namespace {

// The launcher's own name, with the platform's executable suffix.
bool IsLauncherName(std::string_view name)
{
#ifdef _WIN32
    if (name.size() > 4 && EqualIgnoringCase(name.substr(name.size() - 4), ".exe"))
        name.remove_suffix(4);
    return EqualIgnoringCase(name, "QuarnExe");
#else
    return name == "QuarnExe";
#endif
}

// The copy's own path: the running file when it bears the name it was
// started under (a copy), else what the name stood for (a link to the
// launcher, found as the shell found it).
std::string CopyPath(const std::string& started, const std::string& ownExecutable,
                     const std::function<std::string(const std::string&)>& findInSearchPath)
{
    if (FileNamePart(ownExecutable) == FileNamePart(started))
        return ownExecutable;
    if (started.find('/') != std::string::npos)
        return AbsolutePath(started);
    const std::string found = findInSearchPath(started);
    return found.empty() ? AbsolutePath(started) : found;
}

} // namespace

LauncherArguments
ParseLauncherArguments(const std::vector<std::string>& argv, const std::string& ownExecutable,
                       bool hasDisplay,
                       const std::function<std::string(const std::string&)>& findInSearchPath)
{
    using Mode = LauncherArguments::Mode;
    LauncherArguments result;
    const std::string started = argv.empty() ? std::string() : argv.front();
    if (!started.empty() && !IsLauncherName(FileNamePart(started))) {
        result.mode = hasDisplay ? Mode::Window : Mode::PassThrough;
        result.definitionPath =
            DefinitionPathFor(CopyPath(started, ownExecutable, findInSearchPath));
        result.arguments.assign(argv.begin() + 1, argv.end());
        return result;
    }
    // Only these exact words are options: "./--help" is a file.
    const std::string first = argv.size() >= 2 ? argv[1] : std::string();
    if (first == "--help" || first == "--version") {
        result.mode = first == "--help" ? Mode::Help : Mode::Version;
        return result;
    }
    const bool dryRun = first == "--dry-run";
    const std::size_t file = dryRun ? 2 : 1;
    if (argv.size() <= file)
        return result;
    result.mode = dryRun ? Mode::DryRun : Mode::Window;
    result.namedFile = AbsolutePath(argv[file]);
    result.definitionPath = DefinitionPathFor(result.namedFile);
    result.arguments.assign(argv.begin() + static_cast<std::ptrdiff_t>(file) + 1, argv.end());
    return result;
}
