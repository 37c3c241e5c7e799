#include "document/ByteSink.h"
#include "document/FileBytes.h"
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
// the old one, an owner, group or attribute it cannot get, a file mounted
// over another), the target is written in place instead, from the temporary
// file; a whole copy of the old content then stays beside it, on disk
// before the target is touched, until the new content is.

struct SafeFileSink::State
{
    Checkpoint checkpoint;
    SaveTarget target;              // closed last: the files below name it
    std::string backupName;         // where a write in place keeps the old content
    FileHandle original;            // the file being saved over
    bool writable = false;          // original is open for writing
    std::optional<struct stat> old; // its state when the save began
    TemporaryFile temporary;        // the new content
    bool replace = false;           // the temporary file takes the target's place

    bool Open(const std::string& path, std::string& error);
    int OpenOriginal();
    bool ClearLeftBackup(std::string& error);
    bool CommitReplacement(std::string& error);
    bool CommitInPlace(std::string& error);
    int WriteBackup(TemporaryFile& backup, FileHandle& kept);
};

namespace {

bool Fail(int failure, std::string& error)
{
    error = ErrorReason(failure);
    return false;
}

// Writes the content of source over the whole file and flushes it to disk.
int Overwrite(int file, int source, const SafeFileSink::Checkpoint& checkpoint)
{
    off_t size = 0;
    if (const int failure = CopyContent(source, file, size))
        return failure;
    checkpoint();
    if (::ftruncate(file, size) != 0 || ::fsync(file) != 0)
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
    if (state_->Open(path, error))
        return true;
    Abandon();
    return false;
}

bool SafeFileSink::State::Open(const std::string& path, std::string& error)
{
    if (const int failure = OpenTarget(path, target))
        return Fail(failure, error);
    const int folder = target.folder.Get();
    struct stat info = {};
    if (::fstatat(folder, target.name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0) {
        if (errno != ENOENT)
            return Fail(errno, error);
    } else {
        if (S_ISDIR(info.st_mode))
            return Fail(EISDIR, error);
        // Checked before opening: opening a FIFO or a device can block or act.
        if (!S_ISREG(info.st_mode)) {
            error = NotRegularFile;
            return false;
        }
        if (const int failure = OpenOriginal())
            return Fail(failure, error);
        if (::fstat(original.Get(), &info) != 0)
            return Fail(errno, error);
        if (!S_ISREG(info.st_mode)) { // replaced since the check
            error = NotRegularFile;
            return false;
        }
        old = info;
    }
    RemoveStaleTemporaries(folder);
    if (!ClearLeftBackup(error))
        return false;

    // Private until it has the old file's mode.
    if (const int failure = temporary.Create(folder, target.name, old ? 0600 : 0666))
        return Fail(failure, error);
    replace =
        !old || (old->st_nlink == 1 && CarryMetadata(original.Get(), *old, temporary.Descriptor()));
    return replace || writable || Fail(EACCES, error);
}

int SafeFileSink::State::OpenOriginal()
{
    const int flags = O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC;
    const int folder = target.folder.Get();
    original = FileHandle(::openat(folder, target.name.c_str(), O_RDWR | flags));
    writable = original.IsOpen();
    // A file its permissions keep from being written may still be replaced
    // (the editor asks first); only a write in place needs to write it.
    if (!writable && errno == EACCES)
        original = FileHandle(::openat(folder, target.name.c_str(), O_RDONLY | flags));
    return original.IsOpen() ? 0 : errno;
}

// An interrupted write in place may have left beside the target the only
// whole copy of what it held. A copy of what the target holds now is
// removed; anything else there stops the save, both ways of saving, and is
// never read past a plausible size.
bool SafeFileSink::State::ClearLeftBackup(std::string& error)
{
    const int folder = target.folder.Get();
    backupName = BackupPath(target.name).string();
    struct stat info = {};
    if (::fstatat(folder, backupName.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT || Fail(errno, error);
    bool same = false;
    if (old && S_ISREG(info.st_mode) && info.st_size == old->st_size &&
        static_cast<std::uintmax_t>(info.st_size) <= MaxDefinitionFileSize) {
        const FileHandle backup(::openat(
            folder, backupName.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
        struct stat opened = {};
        if (backup.IsOpen() && ::fstat(backup.Get(), &opened) == 0 && SameFile(opened, info) &&
            SameContent(backup.Get(), original.Get(), same) != 0)
            same = false;
    }
    if (same) {
        ::unlinkat(folder, backupName.c_str(), 0);
        return true;
    }
    error = "an interrupted save left the earlier content in " + target.PathOf(backupName) +
            "; compare it with the file, then remove it";
    return false;
}

bool SafeFileSink::Write(const char* data, std::size_t size, std::string& error)
{
    const int failure = WriteAll(state_->temporary.Descriptor(), data, size);
    return failure == 0 || Fail(failure, error);
}

bool SafeFileSink::Commit(std::string& error)
{
    State& state = *state_;
    const bool saved = state.replace ? state.CommitReplacement(error) : state.CommitInPlace(error);
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
    const int failure = temporary.Publish(target.name, checkpoint);
    // A file mounted over another (as containers do) cannot be renamed
    // over, but it can be written.
    if (failure == EBUSY && old && writable)
        return CommitInPlace(error);
    if (failure != 0)
        return Fail(failure, error);
    SyncFolder(target.folder.Get());
    return true;
}

bool SafeFileSink::State::CommitInPlace(std::string& error)
{
    const int file = original.Get();
    const int folder = target.folder.Get();
    TemporaryFile backup;
    FileHandle kept; // the backup, to put the old content back from
    if (const int failure = WriteBackup(backup, kept))
        return Fail(failure, error);
    SyncFolder(folder);
    checkpoint();

    if (const int failure = Overwrite(file, temporary.Descriptor(), checkpoint)) {
        error = ErrorReason(failure);
        // The old bytes fit where they were; if even they cannot be put
        // back, the backup is the whole old content.
        if (Overwrite(file, kept.Get(), [] {}) != 0)
            error += "; the earlier content is in " + target.PathOf(backupName);
        else
            ::unlinkat(folder, backupName.c_str(), 0);
        return false;
    }
    checkpoint();
    ::unlinkat(folder, backupName.c_str(), 0);
    SyncFolder(folder);
    return true;
}

int SafeFileSink::State::WriteBackup(TemporaryFile& backup, FileHandle& kept)
{
    if (const int failure = backup.Create(target.folder.Get(), backupName, 0600))
        return failure;
    // Readable by whom the file is readable: its owner and group where
    // root saves, else its group where the saver belongs to it.
    const int copy = backup.Descriptor();
    off_t size = 0;
    if (::fchown(copy, old->st_uid, old->st_gid) != 0 &&
        ::fchown(copy, static_cast<uid_t>(-1), old->st_gid) != 0 && errno != EPERM)
        return errno;
    if (const int failure = CopyContent(original.Get(), copy, size))
        return failure;
    kept = FileHandle(::fcntl(copy, F_DUPFD_CLOEXEC, 0));
    if (!kept.IsOpen() || ::fchmod(copy, old->st_mode & 0666) != 0 || ::fsync(copy) != 0)
        return errno;
    checkpoint();
    return backup.Publish(backupName, checkpoint);
}

void SafeFileSink::Abandon()
{
    State& state = *state_;
    state.temporary.Discard();
    state.original.Close();
    state.old.reset();
    state.writable = false;
    state.replace = false;
    state.target.folder.Close();
}
