#include "document/FileStamp.h"

#include "document/FileBytes.h"

#include <cstring>
#include <filesystem>
#include <system_error>

#ifndef _WIN32
#include <cerrno>
#include <sys/stat.h>
#endif

namespace fs = std::filesystem;

namespace {

enum class Found
{
    Nothing,
    Regular,
    Other // something else, or something that cannot be looked at
};

#ifdef _WIN32

Found Look(const std::string& path, FileStamp& stamp)
{
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    if (status.type() == fs::file_type::not_found)
        return Found::Nothing;
    if (error || !fs::is_regular_file(status))
        return Found::Other;
    stamp.size = fs::file_size(path, error);
    stamp.modified = fs::last_write_time(path, error).time_since_epoch().count();
    return error ? Found::Other : Found::Regular;
}

#else

std::int64_t Nanoseconds(const timespec& time)
{
    return static_cast<std::int64_t>(time.tv_sec) * 1000000000 + time.tv_nsec;
}

Found Look(const std::string& path, FileStamp& stamp)
{
    struct stat info = {};
    if (::stat(path.c_str(), &info) != 0)
        return errno == ENOENT || errno == ENOTDIR ? Found::Nothing : Found::Other;
    if (!S_ISREG(info.st_mode))
        return Found::Other;
    stamp.size = static_cast<std::uintmax_t>(info.st_size);
    stamp.modified = Nanoseconds(info.st_mtim);
    stamp.device = static_cast<std::uint64_t>(info.st_dev);
    stamp.inode = static_cast<std::uint64_t>(info.st_ino);
    stamp.changed = Nanoseconds(info.st_ctim);
    return Found::Regular;
}

#endif

bool SameFile(const FileStamp& a, const FileStamp& b)
{
    return a.device == b.device && a.inode == b.inode;
}

} // namespace

std::uint64_t HashBytes(std::string_view bytes)
{
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ULL;
    }
    return hash;
}

std::uint64_t HashContent(std::string_view bytes)
{
    // Eight bytes a step, each mixed in with a multiply and a shift.
    constexpr std::uint64_t Multiplier = 0xFF51AFD7ED558CCDULL;
    std::uint64_t hash = 0x9E3779B97F4A7C15ULL ^ bytes.size();
    const auto mix = [&hash](std::uint64_t word) {
        hash = (hash ^ word) * Multiplier;
        hash ^= hash >> 32;
    };
    std::size_t at = 0;
    for (; at + sizeof(std::uint64_t) <= bytes.size(); at += sizeof(std::uint64_t)) {
        std::uint64_t word = 0;
        std::memcpy(&word, bytes.data() + at, sizeof word);
        mix(word);
    }
    std::uint64_t tail = 0;
    std::memcpy(&tail, bytes.data() + at, bytes.size() - at);
    mix(tail);
    return hash;
}

FileStamp StampOf(const std::string& path)
{
    FileStamp stamp;
    stamp.exists = Look(path, stamp) == Found::Regular;
    return stamp;
}

bool ChangedSince(const std::string& path, const FileStamp& stamp)
{
    FileStamp now;
    switch (Look(path, now)) {
    case Found::Nothing:
        return false;
    case Found::Other:
        return true;
    case Found::Regular:
        break;
    }
    if (!stamp.exists || !SameFile(now, stamp) || now.size != stamp.size)
        return true;
    if (now.modified == stamp.modified && now.changed == stamp.changed)
        return false;
    std::string bytes;
    std::string reason;
    FileStamp after;
    // The bytes read must be the file's that was looked at.
    return ReadFileBytes(path, bytes, reason) != ReadOutcome::Read ||
           HashContent(bytes) != stamp.hash || Look(path, after) != Found::Regular ||
           !SameFile(after, now);
}

bool PathTaken(const std::string& path)
{
    std::error_code error;
    return fs::exists(fs::symlink_status(path, error));
}

bool IsReadOnlyFile(const std::string& path)
{
    using fs::perms;
    std::error_code error;
    const fs::file_status status = fs::status(path, error);
    return fs::is_regular_file(status) &&
           (status.permissions() &
            (perms::owner_write | perms::group_write | perms::others_write)) == perms::none;
}
