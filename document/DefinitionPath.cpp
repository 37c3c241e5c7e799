#include "document/DefinitionPath.h"

#include "document/TextCompare.h"

#include <filesystem>

namespace {

constexpr std::string_view DefinitionExtension = ".Quarn";

std::size_t LastSeparator(std::string_view path)
{
    for (std::size_t i = path.size(); i-- > 0;) {
        if (IsPathSeparator(path[i]))
            return i;
    }
    return std::string_view::npos;
}

} // namespace

bool IsPathSeparator(char c)
{
    return c == '\\' || c == ':' || c == '/';
}

std::string_view FolderPart(std::string_view path)
{
    const std::size_t separator = LastSeparator(path);
    return separator == std::string_view::npos ? std::string_view() : path.substr(0, separator + 1);
}

std::string_view FileNamePart(std::string_view path)
{
    return path.substr(FolderPart(path).size());
}

std::string_view ExtensionOf(std::string_view path)
{
    const std::string_view name = FileNamePart(path);
    const std::size_t dot = name.rfind('.');
    return dot == std::string_view::npos ? std::string_view() : name.substr(dot);
}

std::string ReplaceExtension(std::string_view path, std::string_view extension)
{
    std::string result(path.substr(0, path.size() - ExtensionOf(path).size()));
    result += extension;
    return result;
}

std::string DefinitionPathFor(std::string_view path)
{
#ifndef _WIN32
    // Another spelling of the extension would name another file here.
    if (EqualIgnoringCase(ExtensionOf(path), DefinitionExtension))
        return std::string(path);
#endif
    return ReplaceExtension(path, DefinitionExtension);
}

bool SamePath(std::string_view a, std::string_view b)
{
#ifdef _WIN32
    return EqualIgnoringCase(a, b);
#else
    return a == b;
#endif
}

std::string AbsolutePath(const std::string& path)
{
    std::error_code error;
    const std::filesystem::path absolute = std::filesystem::absolute(path, error);
    if (error)
        return path;
#ifdef _WIN32
    // Windows takes ".." off the name as text, before any link.
    return absolute.lexically_normal().string();
#else
    // Here ".." is the parent of what the name before it leads to, its
    // links followed: "dlink/../x" is beside dlink's target, not beside
    // dlink. Only the part before a ".." is resolved, so the rest keeps the
    // names given (a link to the file stays a link).
    std::filesystem::path result;
    for (const std::filesystem::path& part : absolute) {
        if (part == "..") {
            const std::filesystem::path real = std::filesystem::canonical(result, error);
            result = (error ? result.lexically_normal() : real).parent_path();
        } else if (part != "." && !part.empty()) {
            result /= part;
        }
    }
    return result.lexically_normal().string();
#endif
}
