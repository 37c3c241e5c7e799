#include "document/FileStamp.h"

#include "document/FileBytes.h"

#include <system_error>

std::uint64_t HashBytes(std::string_view bytes)
{
    std::uint64_t hash = 14695981039346656037ULL;
    for (const char c : bytes) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 1099511628211ULL;
    }
    return hash;
}

FileStamp StampOf(const std::string& path)
{
    std::error_code error;
    FileStamp stamp;
    if (!std::filesystem::is_regular_file(path, error))
        return stamp;
    stamp.size = std::filesystem::file_size(path, error);
    stamp.modified = std::filesystem::last_write_time(path, error);
    stamp.exists = !error;
    return stamp;
}

bool ChangedSince(const std::string& path, const FileStamp& stamp)
{
    const FileStamp now = StampOf(path);
    if (!now.exists)
        return false;
    if (!stamp.exists)
        return true;
    if (now.size == stamp.size && now.modified == stamp.modified)
        return false;
    std::string bytes;
    std::string reason;
    // A file that cannot be read cannot be told apart; the save itself
    // reports what stops it.
    return ReadFileBytes(path, bytes, reason) == ReadOutcome::Read &&
           HashBytes(bytes) != stamp.hash;
}

bool PathTaken(const std::string& path)
{
    std::error_code error;
    return std::filesystem::exists(std::filesystem::symlink_status(path, error));
}
