#include "document/SaveFilesPosix.h"

#include "document/SavePaths.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <sys/file.h>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

namespace {

constexpr int NameAttempts = 100;
constexpr std::size_t PieceSize = 65536;

// Tries names made from the template until attempt(name) gives anything but
// EEXIST.
int WithUniqueName(const std::string& target, std::string& name,
                   const std::function<int(const std::string&)>& attempt)
{
    const std::string pattern = TemporaryTemplate(target, ::getpid()).string();
    int failure = EEXIST;
    for (int i = 0; i < NameAttempts && failure == EEXIST; ++i) {
        name = WithUniqueLetters(pattern);
        failure = attempt(name);
    }
    if (failure != 0)
        name.clear();
    return failure;
}

int Result(bool succeeded)
{
    return succeeded ? 0 : errno;
}

// Splits a path into its folder, with the final '/' (empty for none), and
// its last name.
void SplitPath(const std::string& path, std::string& folder, std::string& name)
{
    const std::size_t slash = path.rfind('/');
    folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
    name = path.substr(folder.size());
}

int OpenFolder(int base, const std::string& folder, FileHandle& handle)
{
    const char* path = folder.empty() ? "." : folder.c_str();
    handle = FileHandle(::openat(base, path, O_RDONLY | O_DIRECTORY | O_CLOEXEC));
#ifdef O_PATH
    // A folder that may be searched but not listed still takes files.
    if (!handle.IsOpen() && errno == EACCES)
        handle = FileHandle(::openat(base, path, O_PATH | O_DIRECTORY | O_CLOEXEC));
#endif
    return Result(handle.IsOpen());
}

int ReadLink(int folder, const std::string& name, std::string& link)
{
    for (std::size_t size = 256;; size *= 2) {
        link.resize(size);
        const ssize_t got = ::readlinkat(folder, name.c_str(), link.data(), size);
        if (got < 0)
            return errno;
        if (static_cast<std::size_t>(got) < size) {
            link.resize(static_cast<std::size_t>(got));
            return 0;
        }
    }
}

// Gives an anonymous file the name; through /proc where it is mounted, as
// the direct way needs a privilege (CAP_DAC_READ_SEARCH).
int LinkAnonymous(int file, int folder, const std::string& name)
{
    const std::string self = "/proc/self/fd/" + std::to_string(file);
    if (::linkat(AT_FDCWD, self.c_str(), folder, name.c_str(), AT_SYMLINK_FOLLOW) == 0)
        return 0;
    if (errno != ENOENT || ::access("/proc/self/fd", F_OK) == 0)
        return errno;
    return Result(::linkat(file, "", folder, name.c_str(), AT_EMPTY_PATH) == 0);
}

// Locks a new named file, and makes sure it is still there under its name.
// A save that took it for a crash's leftover in the instant before it was
// locked holds it, or has removed it: another name is tried. A file system
// without locks has none to take.
int LockNamed(int folder, const std::string& name, FileHandle& file)
{
    const bool locked = ::flock(file.Get(), LOCK_EX | LOCK_NB) == 0 || errno != EWOULDBLOCK;
    struct stat opened = {};
    struct stat named = {};
    const bool present = ::fstat(file.Get(), &opened) == 0 &&
                         ::fstatat(folder, name.c_str(), &named, AT_SYMLINK_NOFOLLOW) == 0 &&
                         SameFile(opened, named);
    if (locked && present)
        return 0;
    if (present)
        ::unlinkat(folder, name.c_str(), 0);
    file.Close();
    return EEXIST;
}

// Reads up to size bytes at offset, fewer only at the end of the file.
ssize_t ReadPiece(int file, char* buffer, std::size_t size, off_t offset)
{
    std::size_t filled = 0;
    while (filled < size) {
        const ssize_t got =
            ::pread(file, buffer + filled, size - filled, offset + static_cast<off_t>(filled));
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            return -1;
        if (got == 0)
            break;
        filled += static_cast<std::size_t>(got);
    }
    return static_cast<ssize_t>(filled);
}

// The names of the extended attributes of file, or nothing with errno set.
bool AttributeNames(int file, std::vector<std::string>& names)
{
    names.clear();
    std::vector<char> list;
    for (;;) {
        const ssize_t size = ::flistxattr(file, nullptr, 0);
        if (size < 0)
            return errno == ENOTSUP; // a file system without them: no names
        list.resize(static_cast<std::size_t>(size));
        const ssize_t got = ::flistxattr(file, list.data(), list.size());
        if (got >= 0) {
            list.resize(static_cast<std::size_t>(got));
            break;
        }
        if (errno != ERANGE) // ERANGE: the list grew meanwhile
            return false;
    }
    for (auto name = list.begin(); name != list.end();) {
        const auto end = std::find(name, list.end(), '\0');
        names.emplace_back(name, end);
        name = end == list.end() ? end : end + 1;
    }
    return true;
}

// The value of one attribute; an empty optional when it is missing.
bool AttributeValue(int file, const std::string& name, std::optional<std::string>& value)
{
    value.reset();
    for (;;) {
        const ssize_t size = ::fgetxattr(file, name.c_str(), nullptr, 0);
        if (size < 0)
            return errno == ENODATA || errno == ENOTSUP;
        std::string bytes(static_cast<std::size_t>(size), '\0');
        const ssize_t got = ::fgetxattr(file, name.c_str(), bytes.data(), bytes.size());
        if (got >= 0) {
            bytes.resize(static_cast<std::size_t>(got));
            value = std::move(bytes);
            return true;
        }
        if (errno != ERANGE)
            return false;
    }
}

bool CopyAttributes(int oldFile, int newFile)
{
    std::vector<std::string> oldNames;
    std::vector<std::string> newNames;
    if (!AttributeNames(oldFile, oldNames) || !AttributeNames(newFile, newNames))
        return false;
    for (const std::string& name : newNames)
        if (std::find(oldNames.begin(), oldNames.end(), name) == oldNames.end() &&
            ::fremovexattr(newFile, name.c_str()) != 0)
            return false;
    for (const std::string& name : oldNames) {
        std::optional<std::string> oldValue;
        std::optional<std::string> newValue;
        if (!AttributeValue(oldFile, name, oldValue) || !AttributeValue(newFile, name, newValue))
            return false;
        // Equal values are left alone: setting a security label, even to
        // the value it has, may need a privilege.
        if (oldValue && oldValue != newValue &&
            ::fsetxattr(newFile, name.c_str(), oldValue->data(), oldValue->size(), 0) != 0)
            return false;
    }
    return true;
}

} // namespace

FileHandle& FileHandle::operator=(FileHandle&& other) noexcept
{
    if (this != &other) {
        Close();
        descriptor_ = other.descriptor_;
        other.descriptor_ = -1;
    }
    return *this;
}

int FileHandle::Close()
{
    if (descriptor_ < 0)
        return 0;
    const int failure = Result(::close(descriptor_) == 0);
    descriptor_ = -1;
    return failure;
}

int OpenTarget(const std::string& path, SaveTarget& target)
{
    std::string folder;
    SplitPath(path, folder, target.name);
    target.folderPath = folder;
    if (const int failure = OpenFolder(AT_FDCWD, folder, target.folder))
        return failure;
    for (int depth = 0;; ++depth) {
        if (target.name.empty() || target.name == "." || target.name == "..")
            return EISDIR;
        struct stat info = {};
        if (::fstatat(target.folder.Get(), target.name.c_str(), &info, AT_SYMLINK_NOFOLLOW) != 0)
            return errno == ENOENT ? 0 : errno;
        if (!S_ISLNK(info.st_mode))
            return 0;
        if (depth == MaxLinkDepth)
            return ELOOP;
        std::string link;
        if (const int failure = ReadLink(target.folder.Get(), target.name, link))
            return failure;
        SplitPath(link, folder, target.name);
        if (folder.empty())
            continue;
        // A relative link goes on from the link's folder; openat ignores
        // the folder for an absolute one.
        FileHandle next;
        if (const int failure = OpenFolder(target.folder.Get(), folder, next))
            return failure;
        target.folder = std::move(next);
        target.folderPath = folder.front() == '/' ? folder : target.folderPath + folder;
    }
}

bool SameFile(const struct stat& a, const struct stat& b)
{
    return a.st_dev == b.st_dev && a.st_ino == b.st_ino;
}

int TemporaryFile::Create(int folder, const std::string& target, mode_t mode)
{
    Discard();
    folder_ = folder;
#ifdef O_TMPFILE
    file_ = FileHandle(::openat(folder, ".", O_TMPFILE | O_RDWR | O_CLOEXEC, mode));
    if (file_.IsOpen()) {
        // Locked before it gets a name; nobody else can reach it yet.
        ::flock(file_.Get(), LOCK_EX | LOCK_NB);
        return 0;
    }
    // Refused by the kernel or the file system: fall back to a named file.
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
        return errno;
#endif
    return WithUniqueName(target, name_, [this, folder, mode](const std::string& name) {
        file_ =
            FileHandle(::openat(folder, name.c_str(), O_CREAT | O_EXCL | O_RDWR | O_CLOEXEC, mode));
        return file_.IsOpen() ? LockNamed(folder, name, file_) : errno;
    });
}

int TemporaryFile::Publish(const std::string& target, const std::function<void()>& checkpoint)
{
    if (name_.empty()) {
        const int file = file_.Get();
        const int folder = folder_;
        if (const int failure =
                WithUniqueName(target, name_, [file, folder](const std::string& name) {
                    return LinkAnonymous(file, folder, name);
                }))
            return failure;
        checkpoint();
    }
    if (::renameat(folder_, name_.c_str(), folder_, target.c_str()) != 0)
        return errno;
    name_.clear();
    return file_.Close();
}

void TemporaryFile::Discard()
{
    file_.Close();
    if (!name_.empty()) {
        ::unlinkat(folder_, name_.c_str(), 0);
        name_.clear();
    }
}

bool CarryMetadata(int oldFile, const struct stat& old, int newFile)
{
    struct stat info = {};
    if (::fstat(newFile, &info) != 0)
        return false;
    // A user who is not root may still set the group, to one they belong to.
    const uid_t owner = info.st_uid == old.st_uid ? static_cast<uid_t>(-1) : old.st_uid;
    const gid_t group = info.st_gid == old.st_gid ? static_cast<gid_t>(-1) : old.st_gid;
    if ((owner != static_cast<uid_t>(-1) || group != static_cast<gid_t>(-1)) &&
        ::fchown(newFile, owner, group) != 0)
        return false;
    return CopyAttributes(oldFile, newFile);
}

void RemoveStaleTemporaries(int folder)
{
    // A listing of its own, so that the folder's descriptor keeps its offset.
    const int copy = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    DIR* listing = copy < 0 ? nullptr : ::fdopendir(copy);
    if (!listing) {
        if (copy >= 0)
            ::close(copy);
        return;
    }
    while (const dirent* entry = ::readdir(listing)) {
        const char* name = entry->d_name;
        struct stat named = {};
        if (!IsTemporaryName(name) || ::fstatat(folder, name, &named, AT_SYMLINK_NOFOLLOW) != 0 ||
            !S_ISREG(named.st_mode))
            continue;
        // Its writer holds the lock while it lives; a lock that can be
        // taken is a crash's leftover. Removed while held, and only if the
        // name is still the file locked.
        const FileHandle file(
            ::openat(folder, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY | O_CLOEXEC));
        struct stat opened = {};
        if (file.IsOpen() && ::flock(file.Get(), LOCK_EX | LOCK_NB) == 0 &&
            ::fstat(file.Get(), &opened) == 0 &&
            ::fstatat(folder, name, &named, AT_SYMLINK_NOFOLLOW) == 0 && SameFile(opened, named))
            ::unlinkat(folder, name, 0);
    }
    ::closedir(listing);
}

void SyncFolder(int folder)
{
    ::fsync(folder);
}

int WriteAll(int file, const char* data, std::size_t size)
{
    while (size > 0) {
        const ssize_t written = ::write(file, data, size);
        if (written < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return 0;
}

int CopyContent(int from, int to, off_t& size)
{
    std::vector<char> buffer(PieceSize);
    if (::lseek(to, 0, SEEK_SET) != 0)
        return errno;
    for (size = 0;;) {
        const ssize_t got = ReadPiece(from, buffer.data(), buffer.size(), size);
        if (got < 0)
            return errno;
        if (got == 0)
            return 0;
        if (const int failure = WriteAll(to, buffer.data(), static_cast<std::size_t>(got)))
            return failure;
        size += got;
    }
}

int SameContent(int a, int b, bool& same)
{
    std::vector<char> first(PieceSize);
    std::vector<char> second(PieceSize);
    same = false;
    for (off_t offset = 0;;) {
        const ssize_t gotFirst = ReadPiece(a, first.data(), first.size(), offset);
        const ssize_t gotSecond =
            gotFirst < 0 ? 0 : ReadPiece(b, second.data(), second.size(), offset);
        if (gotFirst < 0 || gotSecond < 0)
            return errno;
        if (gotFirst != gotSecond ||
            std::memcmp(first.data(), second.data(), static_cast<std::size_t>(gotFirst)) != 0)
            return 0;
        if (gotFirst == 0) {
            same = true;
            return 0;
        }
        offset += gotFirst;
    }
}
