#pragma once

#include <filesystem>
#include <functional>
#include <string>
#include <sys/stat.h>

// The POSIX file operations of the safe save. Functions that can fail return
// 0 or the errno value of the failure.

// An open file descriptor, closed when dropped.
class FileHandle
{
public:
    FileHandle() = default;
    explicit FileHandle(int descriptor) : descriptor_(descriptor) {}
    ~FileHandle() { Close(); }
    FileHandle(const FileHandle&) = delete;
    FileHandle& operator=(const FileHandle&) = delete;
    FileHandle& operator=(FileHandle&& other) noexcept;

    int Get() const { return descriptor_; }
    bool IsOpen() const { return descriptor_ >= 0; }
    // 0 or the errno of close, which may report a failed write-back.
    int Close();

private:
    int descriptor_ = -1;
};

// A new file beside a target that takes the target's place only when it is
// complete. Where the file system allows, the file has no name until then
// (O_TMPFILE), so a crash leaves nothing behind; elsewhere it carries the
// temporary name of SavePaths.h, which RemoveStaleTemporaries cleans up.
class TemporaryFile
{
public:
    TemporaryFile() = default;
    ~TemporaryFile() { Discard(); }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    // The mode is the one a new file gets: the umask or the folder's
    // default ACL applies.
    int Create(const std::filesystem::path& target, mode_t mode);
    int Descriptor() const { return file_.Get(); }
    // Renames the file over target (an anonymous file is first linked in
    // under a temporary name); checkpoint runs between the two steps.
    int Publish(const std::filesystem::path& target, const std::function<void()>& checkpoint);
    // Closes the file and removes its name, if it has one.
    void Discard();

private:
    FileHandle file_;
    std::string name_; // empty while the file is anonymous
};

// Gives to the new file what the old one has besides its bytes and
// permission bits: owner, group, and extended attributes (ACLs among them),
// removing attributes the new file inherited but the old one lacks. False
// when any of it cannot be given.
bool CarryMetadata(int oldFile, const struct stat& old, int newFile);

// Removes, in folder, the temporary files of processes that no longer
// exist. Nothing else is touched, and failures are ignored.
void RemoveStaleTemporaries(const std::filesystem::path& folder);

// Makes a rename or removal in the folder of file durable; failures are
// ignored, since the change itself has already happened.
void SyncFolder(const std::filesystem::path& file);

int WriteAll(int file, const char* data, std::size_t size);
// The whole content of file, read from its start.
int ReadAll(int file, std::string& bytes);
