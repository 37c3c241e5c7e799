#include "document/FileBytes.h"

#include "document/SavePaths.h"

#include <cerrno>

#ifdef _WIN32
#include <filesystem>
#include <fstream>
#include <iterator>
#else
#include "document/SaveFilesPosix.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

namespace {

const char* const NotRegular = "not a regular file";
const char* const TooLarge = "too large to be a definition file";

} // namespace

#ifdef _WIN32

ReadOutcome ReadFileBytes(const std::string& path, std::string& bytes, std::string& reason)
{
    std::error_code error;
    const std::filesystem::file_status status = std::filesystem::status(path, error);
    if (!std::filesystem::exists(status)) {
        reason = ErrorReason(ENOENT);
        return ReadOutcome::Missing;
    }
    if (!std::filesystem::is_regular_file(status)) {
        reason = NotRegular;
        return ReadOutcome::Failed;
    }
    const std::uintmax_t size = std::filesystem::file_size(path, error);
    if (!error && size > MaxDefinitionFileSize) {
        reason = TooLarge;
        return ReadOutcome::Failed;
    }
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        reason = ErrorReason(EACCES);
        return ReadOutcome::Failed;
    }
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) {
        reason = ErrorReason(EIO);
        return ReadOutcome::Failed;
    }
    return ReadOutcome::Read;
}

#else

namespace {

ReadOutcome Fail(std::string& reason, const char* why)
{
    reason = why;
    return ReadOutcome::Failed;
}

ReadOutcome FailWithErrno(std::string& reason)
{
    const int error = errno;
    reason = ErrorReason(error);
    return error == ENOENT || error == ENOTDIR ? ReadOutcome::Missing : ReadOutcome::Failed;
}

} // namespace

ReadOutcome ReadFileBytes(const std::string& path, std::string& bytes, std::string& reason)
{
    // Non-blocking, so that a FIFO without a writer or a device that waits
    // for a line opens at once and is then refused by its kind; a regular
    // file reads the same either way.
    const FileHandle file(::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
    if (!file.IsOpen())
        return FailWithErrno(reason);
    struct stat info = {};
    if (::fstat(file.Get(), &info) != 0)
        return FailWithErrno(reason);
    if (!S_ISREG(info.st_mode))
        return Fail(reason, NotRegular);
    if (static_cast<std::uintmax_t>(info.st_size) > MaxDefinitionFileSize)
        return Fail(reason, TooLarge);
    // The size read is the size found, plus whatever a writer adds meanwhile
    // up to the limit. A byte more than the size found, so that the end of
    // an unchanged file is met without growing the string, which would
    // copy it and take twice its size.
    bytes.resize(static_cast<std::size_t>(info.st_size) + 1);
    std::size_t filled = 0;
    for (;;) {
        if (filled > MaxDefinitionFileSize)
            return Fail(reason, TooLarge);
        if (filled == bytes.size())
            bytes.resize(filled + 4096);
        const ssize_t count = ::read(file.Get(), bytes.data() + filled, bytes.size() - filled);
        if (count < 0 && errno == EINTR)
            continue;
        if (count < 0)
            return FailWithErrno(reason);
        if (count == 0)
            break;
        filled += static_cast<std::size_t>(count);
    }
    bytes.resize(filled);
    return ReadOutcome::Read;
}

#endif
