#include "document/SaveFilesPosix.h"

#include "document/SavePaths.h"

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <dirent.h>
#include <fcntl.h>
#include <optional>
#include <sys/xattr.h>
#include <unistd.h>
#include <vector>

namespace fs = std::filesystem;

namespace {

constexpr int NameAttempts = 100;

fs::path FolderOf(const fs::path& file)
{
    return file.has_parent_path() ? file.parent_path() : fs::path(".");
}

// Tries names made from the template until attempt(name) gives anything but
// EEXIST.
int WithUniqueName(const fs::path& target, std::string& name,
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

// Gives an anonymous file the name; through /proc where it is mounted, as
// the direct way needs a privilege (CAP_DAC_READ_SEARCH).
int LinkAnonymous(int file, const std::string& name)
{
    const std::string self = "/proc/self/fd/" + std::to_string(file);
    if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, name.c_str(), AT_SYMLINK_FOLLOW) == 0)
        return 0;
    if (errno != ENOENT || ::access("/proc/self/fd", F_OK) == 0)
        return errno;
    return Result(::linkat(file, "", AT_FDCWD, name.c_str(), AT_EMPTY_PATH) == 0);
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

int TemporaryFile::Create(const fs::path& target, mode_t mode)
{
    Discard();
#ifdef O_TMPFILE
    file_ = FileHandle(::open(FolderOf(target).c_str(), O_TMPFILE | O_RDWR | O_CLOEXEC, mode));
    if (file_.IsOpen())
        return 0;
    // Refused by the kernel or the file system: fall back to a named file.
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL)
        return errno;
#endif
    return WithUniqueName(target, name_, [this, mode](const std::string& name) {
        file_ = FileHandle(::open(name.c_str(), O_CREAT | O_EXCL | O_RDWR | O_CLOEXEC, mode));
        return Result(file_.IsOpen());
    });
}

int TemporaryFile::Publish(const fs::path& target, const std::function<void()>& checkpoint)
{
    if (name_.empty()) {
        const int file = file_.Get();
        if (const int failure = WithUniqueName(target, name_, [file](const std::string& name) {
                return LinkAnonymous(file, name);
            }))
            return failure;
        checkpoint();
    }
    if (::rename(name_.c_str(), target.c_str()) != 0)
        return errno;
    name_.clear();
    return file_.Close();
}

void TemporaryFile::Discard()
{
    file_.Close();
    if (!name_.empty()) {
        ::unlink(name_.c_str());
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

void RemoveStaleTemporaries(const fs::path& folder)
{
    DIR* listing = ::opendir(folder.empty() ? "." : folder.c_str());
    if (!listing)
        return;
    const int descriptor = ::dirfd(listing);
    while (const dirent* entry = ::readdir(listing)) {
        const std::optional<long> process = TemporaryFileProcess(entry->d_name);
        if (!process || *process == ::getpid())
            continue;
        struct stat info = {};
        if (::kill(static_cast<pid_t>(*process), 0) != 0 && errno == ESRCH &&
            ::fstatat(descriptor, entry->d_name, &info, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISREG(info.st_mode))
            ::unlinkat(descriptor, entry->d_name, 0);
    }
    ::closedir(listing);
}

void SyncFolder(const fs::path& file)
{
    FileHandle folder(::open(FolderOf(file).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder.IsOpen())
        ::fsync(folder.Get());
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

int ReadAll(int file, std::string& bytes)
{
    bytes.clear();
    char buffer[65536];
    for (off_t offset = 0;;) {
        const ssize_t got = ::pread(file, buffer, sizeof buffer, offset);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (got == 0)
            return 0;
        bytes.append(buffer, static_cast<std::size_t>(got));
        offset += got;
    }
}
