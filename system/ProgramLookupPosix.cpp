#include "system/ProgramLookup.h"

#include <cstdlib>
#include <filesystem>
#include <string_view>

#include <unistd.h>

bool IsExecutableFile(const FilePath& path)
{
    std::error_code error;
    return !path.IsEmpty() && std::filesystem::is_regular_file(path.Native(), error) &&
           ::access(path.Bytes().c_str(), X_OK) == 0;
}

FilePath FindOnSearchPath(const FilePath& name)
{
    if (name.IsEmpty())
        return FilePath();
    if (name.Bytes().front() == '/')
        return IsExecutableFile(name) ? name : FilePath();
    const char* const variable = std::getenv("PATH");
    std::string_view folders = variable ? variable : "";
    while (!folders.empty()) {
        const std::size_t end = std::min(folders.find(':'), folders.size());
        const std::string_view folder = folders.substr(0, end);
        folders.remove_prefix(std::min(end + 1, folders.size()));
        // An empty entry would mean the current folder to a shell; the
        // desktop's lookup skips it, and so does this one.
        if (folder.empty())
            continue;
        const FilePath candidate = FilePath(std::string(folder)) + "/" + name.Bytes();
        if (IsExecutableFile(candidate)) {
            std::error_code error;
            const std::filesystem::path absolute =
                std::filesystem::absolute(candidate.Native(), error);
            return error ? candidate : FilePath::FromNative(absolute.lexically_normal());
        }
    }
    return FilePath();
}
