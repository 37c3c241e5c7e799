#pragma once

#include <functional>
#include <string>
#include <sys/stat.h>

// The POSIX file operations of the safe save. Functions that can fail return
// 0 or the errno value of the failure. Files are named relative to their
// open folder, so that a path the system can open can be saved however long
// the names of the editor's own files beside it make it.

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

// The file a save writes: its folder, open, and its name there.
struct SaveTarget
{
    FileHandle folder;
    std::string folderPath; // as the path named it, with its final '/'; empty for "."
    std::string name;

    // A name in the folder as a path, for messages.
    std::string PathOf(const std::string& fileName) const { return folderPath + fileName; }
};

// Opens the folder of the file that path names once every symbolic link in
// a chain is followed (so the link stays and its target is replaced).
int OpenTarget(const std::string& path, SaveTarget& target);

// Whether two stats are of the same file.
bool SameFile(const struct stat& a, const struct stat& b);

// A new file beside a target that takes the target's place only when it is
// complete. Where the file system allows, the file has no name until then
// (O_TMPFILE), so a crash leaves nothing behind; elsewhere it carries the
// temporary name of SavePaths.h, which RemoveStaleTemporaries cleans up.
// The file is locked (flock) while it is open, which tells a live save's
// file from one a crash left, whatever process namespace either runs in.
class TemporaryFile
{
public:
    TemporaryFile() = default;
    ~TemporaryFile() { Discard(); }
    TemporaryFile(const TemporaryFile&) = delete;
    TemporaryFile& operator=(const TemporaryFile&) = delete;

    // The mode is the one a new file gets: the umask or the folder's
    // default ACL applies. folder stays open until Discard.
    int Create(int folder, const std::string& target, mode_t mode);
    int Descriptor() const { return file_.Get(); }
    // Renames the file over target (an anonymous file is first linked in
    // under a temporary name); checkpoint runs between the two steps. On
    // failure the file stays open.
    int Publish(const std::string& target, const std::function<void()>& checkpoint);
    // Closes the file and removes its name, if it has one.
    void Discard();

private:
    int folder_ = -1;
    FileHandle file_;
    std::string name_; // empty while the file is anonymous
};

// Gives to the new file what the old one has besides its bytes and
// permission bits: owner, group, and extended attributes (ACLs among them),
// removing attributes the new file inherited but the old one lacks. False
// when any of it cannot be given.
bool CarryMetadata(int oldFile, const struct stat& old, int newFile);

// Removes, in folder, the temporary files that no save holds locked: those a
// crash left. Nothing else is touched, and failures are ignored.
void RemoveStaleTemporaries(int folder);

// Makes a rename or removal in folder durable; failures are ignored, since
// the change itself has already happened.
void SyncFolder(int folder);

int WriteAll(int file, const char* data, std::size_t size);
// Writes the whole content of from over the start of to; size receives its
// length. Memory stays bounded whatever the size.
int CopyContent(int from, int to, off_t& size);
// Whether two files hold the same bytes, read a piece at a time.
int SameContent(int a, int b, bool& same);
