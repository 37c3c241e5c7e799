#include "document/ByteSink.h"
#include "document/SaveFilesPosix.h"
#include "document/SavePaths.h"

#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <unistd.h>

// A save writes a temporary file beside the target and renames it over the
// target only when every byte is on disk, so a failed save leaves the old
// file as it was and never reports success for bytes that were not written.
// When the new file could not be what the old one was (other hard links to
// the old one, an owner, group or attribute it cannot get), the target is
// written in place instead; a whole copy of the old content then stays
// beside it, on disk before the target is touched, until the new content is.

namespace fs = std::filesystem;

struct SafeFileSink::State
{
    Checkpoint checkpoint;
    fs::path target;
    FileHandle original;            // the file being saved over, read-write
    std::optional<struct stat> old; // its state when the save began
    TemporaryFile temporary;        // the new file, when it replaces the target
    bool inPlace = false;
    std::string pending; // the new content, for a write in place

    bool CommitReplacement(std::string& error);
    bool CommitInPlace(std::string& error);
};

namespace {

bool Fail(int failure, std::string& error)
{
    error = ErrorReason(failure);
    return false;
}

enum class Backup
{
    None,
    Redundant, // holds what the target holds
    Different
};

// What an interrupted write in place left beside the target.
Backup LeftBackup(int target, const fs::path& backup)
{
    struct stat info = {};
    if (::lstat(backup.c_str(), &info) != 0)
        return errno == ENOENT ? Backup::None : Backup::Different;
    FileHandle file(::open(backup.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    std::string kept;
    std::string current;
    if (!S_ISREG(info.st_mode) || !file.IsOpen() || ReadAll(file.Get(), kept) != 0 ||
        ReadAll(target, current) != 0)
        return Backup::Different;
    return kept == current ? Backup::Redundant : Backup::Different;
}

// Writes bytes over the whole file and flushes them to disk.
int Overwrite(int file, const std::string& bytes, const SafeFileSink::Checkpoint& checkpoint)
{
    if (::lseek(file, 0, SEEK_SET) != 0)
        return errno;
    if (const int failure = WriteAll(file, bytes.data(), bytes.size()))
        return failure;
    checkpoint();
    if (::ftruncate(file, static_cast<off_t>(bytes.size())) != 0 || ::fsync(file) != 0)
        return errno;
    return 0;
}

} // namespace

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
    if (!ResolveLinks(path, state.target, error))
        return false;

    struct stat info = {};
    if (::lstat(state.target.c_str(), &info) != 0) {
        if (errno != ENOENT)
            return Fail(errno, error);
        RemoveStaleTemporaries(state.target.parent_path());
        const int failure = state.temporary.Create(state.target, 0666);
        return failure == 0 || Fail(failure, error);
    }
    if (S_ISDIR(info.st_mode))
        return Fail(EISDIR, error);
    // Checked before opening: opening a FIFO or a device can block or act.
    if (!S_ISREG(info.st_mode)) {
        error = NotRegularFile;
        return false;
    }
    state.original =
        FileHandle(::open(state.target.c_str(), O_RDWR | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC));
    if (!state.original.IsOpen() || ::fstat(state.original.Get(), &info) != 0)
        return Fail(errno, error);
    if (!S_ISREG(info.st_mode)) { // replaced since the check
        error = NotRegularFile;
        return false;
    }
    state.old = info;
    RemoveStaleTemporaries(state.target.parent_path());

    const fs::path backup = BackupPath(state.target);
    const Backup left = LeftBackup(state.original.Get(), backup);
    if (left == Backup::Redundant)
        ::unlink(backup.c_str());

    if (info.st_nlink == 1) {
        // Private until it has the old file's mode.
        if (const int failure = state.temporary.Create(state.target, 0600))
            return Fail(failure, error);
        if (CarryMetadata(state.original.Get(), info, state.temporary.Descriptor()))
            return true;
        state.temporary.Discard();
    }
    // In place; a backup that differs from the file may be the only whole
    // copy of what an interrupted save was replacing, so it is not replaced.
    if (left == Backup::Different) {
        error = "an interrupted save left the earlier content in " + backup.string() +
                "; compare it with the file, then remove it";
        Abandon();
        return false;
    }
    state.inPlace = true;
    return true;
}

bool SafeFileSink::Write(const char* data, std::size_t size, std::string& error)
{
    State& state = *state_;
    if (state.inPlace) {
        state.pending.append(data, size);
        return true;
    }
    const int failure = WriteAll(state.temporary.Descriptor(), data, size);
    return failure == 0 || Fail(failure, error);
}

bool SafeFileSink::Commit(std::string& error)
{
    State& state = *state_;
    const bool saved = state.inPlace ? state.CommitInPlace(error) : state.CommitReplacement(error);
    Abandon();
    return saved;
}

bool SafeFileSink::State::CommitReplacement(std::string& error)
{
    const int file = temporary.Descriptor();
    // After the owner and the attributes: fchown may clear set-id bits, and
    // the mode's group bits are the ACL's mask.
    if ((old && ::fchmod(file, old->st_mode & 07777) != 0) || ::fsync(file) != 0)
        return Fail(errno, error);
    checkpoint();
    if (const int failure = temporary.Publish(target, checkpoint))
        return Fail(failure, error);
    SyncFolder(target);
    return true;
}

bool SafeFileSink::State::CommitInPlace(std::string& error)
{
    const int file = original.Get();
    std::string before;
    if (const int failure = ReadAll(file, before))
        return Fail(failure, error);

    const fs::path backupPath = BackupPath(target);
    TemporaryFile backup;
    int failure = backup.Create(backupPath, 0600);
    if (failure == 0) {
        // Readable by whom the file is readable: its owner and group where
        // root saves, else its group where the saver belongs to it.
        const int copy = backup.Descriptor();
        if ((::fchown(copy, old->st_uid, old->st_gid) != 0 &&
             ::fchown(copy, static_cast<uid_t>(-1), old->st_gid) != 0 && errno != EPERM) ||
            WriteAll(copy, before.data(), before.size()) != 0 ||
            ::fchmod(copy, old->st_mode & 0666) != 0 || ::fsync(copy) != 0)
            failure = errno;
    }
    if (failure == 0) {
        checkpoint();
        failure = backup.Publish(backupPath, checkpoint);
    }
    if (failure != 0)
        return Fail(failure, error);
    SyncFolder(backupPath);
    checkpoint();

    failure = Overwrite(file, pending, checkpoint);
    if (failure != 0) {
        error = ErrorReason(failure);
        // The old bytes fit where they were; if even they cannot be put
        // back, the backup is the whole old content.
        if (Overwrite(file, before, [] {}) != 0)
            error += "; the earlier content is in " + backupPath.string();
        else
            ::unlink(backupPath.c_str());
        return false;
    }
    checkpoint();
    ::unlink(backupPath.c_str());
    SyncFolder(backupPath);
    return true;
}

void SafeFileSink::Abandon()
{
    State& state = *state_;
    state.temporary.Discard();
    state.original.Close();
    state.old.reset();
    state.inPlace = false;
    state.pending.clear();
}
