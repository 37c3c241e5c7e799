#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <string_view>

// What a file held when the document last read or wrote it, so that a
// change made since by another program can be told from none.
struct FileStamp
{
    bool exists = false; // a regular file stood there
    std::uintmax_t size = 0;
    std::filesystem::file_time_type modified{};
    std::uint64_t hash = 0; // of the bytes read or written
};

// 64-bit FNV-1a: cheap, and plenty to tell changed bytes from the same.
std::uint64_t HashBytes(std::string_view bytes);

// The size and modification time of the regular file at path as it is now
// (following links), with no hash; exists is false when no regular file is
// there.
FileStamp StampOf(const std::string& path);

// Whether the regular file at path now holds other bytes than stamp
// records. Unchanged size and time are trusted; otherwise the bytes decide,
// so a file touched without a change counts as unchanged. A file that has
// gone, or is not a regular file, is no change: there is nothing of
// another program's to keep.
bool ChangedSince(const std::string& path, const FileStamp& stamp);

// Whether anything stands at path, a dangling link included.
bool PathTaken(const std::string& path);
