#include "system/ProcessReplacement.h"

#include <QtGlobal>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <filesystem>

#ifdef Q_OS_WIN
#include <process.h>
#include <windows.h>
#else
#include <unistd.h>
#endif

namespace {

std::vector<char*> ArgumentVector(const std::string& program,
                                  const std::vector<std::string>& arguments)
{
    std::vector<char*> argv;
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    return argv;
}

} // namespace

bool IsSameFile(const std::string& a, const std::string& b)
{
    std::error_code error;
    return std::filesystem::equivalent(a, b, error) && !error;
}

#ifdef Q_OS_WIN

bool HasGraphicalDisplay()
{
    return true;
}

std::string OwnExecutablePath()
{
    char path[MAX_PATH * 4];
    const DWORD size = GetModuleFileNameA(nullptr, path, sizeof path);
    return size > 0 && size < sizeof path ? std::string(path, size) : std::string();
}

std::string ReplaceProcess(const std::string& program, const std::vector<std::string>& arguments)
{
    // Windows has no exec that keeps the process: the program runs as a
    // child with the same streams, and its exit status becomes this one's.
    const std::vector<char*> argv = ArgumentVector(program, arguments);
    const intptr_t status = _spawnv(_P_WAIT, program.c_str(), argv.data());
    if (status == -1)
        return std::strerror(errno);
    std::exit(static_cast<int>(status));
}

#else

bool HasGraphicalDisplay()
{
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY"}) {
        const char* value = std::getenv(name);
        if (value && *value)
            return true;
    }
    return false;
}

std::string OwnExecutablePath()
{
    std::error_code error;
    const std::filesystem::path path = std::filesystem::read_symlink("/proc/self/exe", error);
    return error ? std::string() : path.string();
}

std::string ReplaceProcess(const std::string& program, const std::vector<std::string>& arguments)
{
    const std::vector<char*> argv = ArgumentVector(program, arguments);
    execv(program.c_str(), argv.data());
    return std::strerror(errno);
}

#endif
