#include "document/ByteSink.h"
#include "document/SavePaths.h"

#include <cerrno>
#include <filesystem>
#include <fstream>
#include <optional>
#include <process.h>
#include <system_error>

// The safe save through the standard library: a temporary file beside the
// target, renamed over it only when every byte is written.

namespace fs = std::filesystem;

struct SafeFileSink::State
{
    Checkpoint checkpoint;
    fs::path target;
    fs::path temporary; // empty when there is none
    std::ofstream file;
    std::optional<fs::perms> targetPermissions;
};

SafeFileSink::SafeFileSink(Checkpoint checkpoint) : state_(std::make_unique<State>())
{
    state_->checkpoint = checkpoint ? std::move(checkpoint) : [] {};
}

SafeFileSink::~SafeFileSink()
{
    Abandon();
}

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
        error = ErrorReason(EISDIR);
        return false;
    }
    if (fs::exists(status)) {
        if (!fs::is_regular_file(status)) {
            error = NotRegularFile;
            return false;
        }
        if ((status.permissions() & fs::perms::owner_write) == fs::perms::none) {
            error = ErrorReason(EACCES);
            return false;
        }
        state.targetPermissions = status.permissions();
    }

    state.temporary = WithUniqueLetters(TemporaryTemplate(state.target, ::_getpid()).string());
    state.file.open(state.temporary, std::ios::binary | std::ios::trunc);
    if (!state.file) {
        error = ErrorReason(errno ? errno : EACCES);
        state.temporary.clear();
        return false;
    }
    return true;
}

bool SafeFileSink::Write(const char* data, std::size_t size, std::string& error)
{
    if (!state_->file.write(data, static_cast<std::streamsize>(size))) {
        error = ErrorReason(errno ? errno : EIO);
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
    state.checkpoint();
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
