#include "document/ByteSink.h"

#include <cerrno>
#include <filesystem>
#include <optional>
#include <system_error>

#ifdef _WIN32
#include <fstream>
#include <random>
#else
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

// A save writes a temporary file beside the target and renames it over the
// target only when every byte is on disk, so a failed save leaves the old
// file as it was and never reports success for bytes that were not written.

namespace fs = std::filesystem;

namespace {

constexpr int MaxLinkDepth = 40;

std::string Reason(int code)
{
    return std::generic_category().message(code);
}

// The file a path finally names: a chain of symbolic links is followed, so
// that the link stays and its target gets replaced.
bool ResolveLinks(const std::string& path, fs::path& target, std::string& error)
{
    target = path;
    for (int depth = 0;; ++depth) {
        std::error_code code;
        const fs::file_status status = fs::symlink_status(target, code);
        if (code && code != std::errc::no_such_file_or_directory) {
            error = code.message();
            return false;
        }
        if (!fs::is_symlink(status))
            return true;
        if (depth == MaxLinkDepth) {
            error = Reason(static_cast<int>(std::errc::too_many_symbolic_link_levels));
            return false;
        }
        const fs::path link = fs::read_symlink(target, code);
        if (code) {
            error = code.message();
            return false;
        }
        target = link.is_absolute() ? link : target.parent_path() / link;
    }
}

// A name for the temporary file in the target's folder; mkstemp-style
// templates end in six X.
fs::path TemporaryTemplate(const fs::path& target)
{
    constexpr std::size_t MaxStem = 200; // keeps the name within NAME_MAX
    const std::string name = target.filename().string().substr(0, MaxStem);
    return target.parent_path() / ("." + name + ".XXXXXX");
}

} // namespace

#ifndef _WIN32

struct SafeFileSink::State
{
    fs::path target;
    std::string temporary; // empty when there is none
    int file = -1;
    std::optional<mode_t> targetMode; // permission bits of the file being replaced
};

namespace {

mode_t NewFileMode()
{
    // umask can only be read by setting it; saves run on the one UI thread.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    return 0666 & ~mask;
}

// Makes a rename durable; the save has already succeeded, so failures here
// are not reported.
void SyncFolder(const fs::path& file)
{
    const fs::path folder = file.has_parent_path() ? file.parent_path() : fs::path(".");
    const int handle = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (handle < 0)
        return;
    ::fsync(handle);
    ::close(handle);
}

} // namespace

bool SafeFileSink::Open(const std::string& path, std::string& error)
{
    Abandon();
    State& state = *state_;
    state.targetMode.reset();
    if (!ResolveLinks(path, state.target, error))
        return false;

    struct stat info = {};
    if (::stat(state.target.c_str(), &info) == 0) {
        if (S_ISDIR(info.st_mode)) {
            error = Reason(EISDIR);
            return false;
        }
        // Renaming over a read-only file would succeed; refuse instead.
        if (::faccessat(AT_FDCWD, state.target.c_str(), W_OK, AT_EACCESS) != 0) {
            error = Reason(errno);
            return false;
        }
        state.targetMode = info.st_mode & 07777;
    } else if (errno != ENOENT) {
        error = Reason(errno);
        return false;
    }

    std::string name = TemporaryTemplate(state.target).string();
    state.file = ::mkstemp(name.data());
    if (state.file < 0) {
        error = Reason(errno);
        return false;
    }
    state.temporary = name;
    return true;
}

bool SafeFileSink::Write(const char* data, std::size_t size, std::string& error)
{
    while (size > 0) {
        const ssize_t written = ::write(state_->file, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            error = Reason(errno);
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

bool SafeFileSink::Commit(std::string& error)
{
    State& state = *state_;
    const mode_t mode = state.targetMode ? *state.targetMode : NewFileMode();
    int failure = 0;
    if (::fchmod(state.file, mode) != 0 || ::fsync(state.file) != 0)
        failure = errno;
    const int file = state.file;
    state.file = -1;
    if (::close(file) != 0 && failure == 0)
        failure = errno;
    if (failure == 0 && ::rename(state.temporary.c_str(), state.target.c_str()) != 0)
        failure = errno;
    if (failure != 0) {
        error = Reason(failure);
        Abandon();
        return false;
    }
    state.temporary.clear();
    SyncFolder(state.target);
    return true;
}

void SafeFileSink::Abandon()
{
    State& state = *state_;
    if (state.file >= 0) {
        ::close(state.file);
        state.file = -1;
    }
    if (!state.temporary.empty()) {
        ::unlink(state.temporary.c_str());
        state.temporary.clear();
    }
}

#else // Portable fallback: the same steps through the standard library.

struct SafeFileSink::State
{
    fs::path target;
    fs::path temporary; // empty when there is none
    std::ofstream file;
    std::optional<fs::perms> targetPermissions;
};

namespace {

// The template's X replaced by random letters.
fs::path UniqueName(const fs::path& target)
{
    std::string name = TemporaryTemplate(target).string();
    std::random_device random;
    for (std::size_t i = name.size() - 6; i < name.size(); ++i)
        name[i] = static_cast<char>('a' + random() % 26);
    return name;
}

} // namespace

bool SafeFileSink::Open(const std::string& path, std::string& error)
{
    Abandon();
    State& state = *state_;
    state.targetPermissions.reset();
    if (!ResolveLinks(path, state.target, error))
        return false;

    std::error_code code;
    const fs::file_status status = fs::status(state.target, code);
    if (fs::is_directory(status)) {
        error = Reason(EISDIR);
        return false;
    }
    if (fs::exists(status)) {
        if ((status.permissions() & fs::perms::owner_write) == fs::perms::none) {
            error = Reason(EACCES);
            return false;
        }
        state.targetPermissions = status.permissions();
    }

    state.temporary = UniqueName(state.target);
    state.file.open(state.temporary, std::ios::binary | std::ios::trunc);
    if (!state.file) {
        error = Reason(errno ? errno : EACCES);
        state.temporary.clear();
        return false;
    }
    return true;
}

bool SafeFileSink::Write(const char* data, std::size_t size, std::string& error)
{
    if (!state_->file.write(data, static_cast<std::streamsize>(size))) {
        error = Reason(errno ? errno : EIO);
        return false;
    }
    return true;
}

bool SafeFileSink::Commit(std::string& error)
{
    State& state = *state_;
    state.file.flush();
    state.file.close();
    std::error_code code;
    if (!state.file)
        code = std::make_error_code(std::errc::io_error);
    else if (state.targetPermissions)
        fs::permissions(state.temporary, *state.targetPermissions, code);
    if (!code)
        fs::rename(state.temporary, state.target, code);
    if (code) {
        error = code.message();
        Abandon();
        return false;
    }
    state.temporary.clear();
    return true;
}

void SafeFileSink::Abandon()
{
    State& state = *state_;
    if (state.file.is_open())
        state.file.close();
    if (!state.temporary.empty()) {
        std::error_code ignored;
        fs::remove(state.temporary, ignored);
        state.temporary.clear();
    }
}

#endif

SafeFileSink::SafeFileSink() : state_(std::make_unique<State>()) {}

SafeFileSink::~SafeFileSink()
{
    Abandon();
}
