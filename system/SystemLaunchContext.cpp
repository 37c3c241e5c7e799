#include "system/SystemLaunchContext.h"

#include "document/DefinitionPath.h"
#include "system/ProgramLookup.h"

#include <filesystem>

namespace {

void SetPlatformShell(LaunchContext& context)
{
#ifdef Q_OS_WIN
    const char* comspec = std::getenv("COMSPEC");
    context.syntax = ShellSyntax::Windows;
    context.defaultShell = {comspec && *comspec ? comspec : "cmd.exe", "/C"};
    context.shellCommandSwitch = "/C";
#else
    context.syntax = ShellSyntax::Posix;
    context.defaultShell = {"/bin/sh", "-c"};
    context.shellCommandSwitch = "-c";
#endif
}

} // namespace

LaunchContext SystemLaunchContext(const std::string& definitionPath)
{
    LaunchContext context;
    context.definitionFolder = std::string(FolderPart(definitionPath));
    std::error_code error;
    context.currentFolder = std::filesystem::current_path(error).string();
    SetPlatformShell(context);
    context.findInSearchPath = [](const std::string& name) {
        return FindOnSearchPath(FilePath(name)).Bytes();
    };
    context.isFile = [](const std::string& path) {
        std::error_code statusError;
        const auto status = std::filesystem::status(path, statusError);
        return std::filesystem::exists(status) && !std::filesystem::is_directory(status);
    };
    context.isFolder = [](const std::string& path) {
        std::error_code statusError;
        return std::filesystem::is_directory(path, statusError);
    };
    return context;
}
