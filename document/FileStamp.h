#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// What a file held when the document last read or wrote it, so that a
// change made since by another program can be told from none.
struct FileStamp
{
    bool exists = false; // a regular file stood there
    std::uintmax_t size = 0;
    std::int64_t modified = 0; // nanoseconds; a program may set it back
    // What no program can set back (zero where the system has none): which
    // file it is, and when anything about it last changed.
    std::uint64_t device = 0;
    std::uint64_t inode = 0;
    std::int64_t changed = 0; // nanoseconds
    std::uint64_t hash = 0;   // of the bytes read or written
};

// 64-bit FNV-1a: cheap, and plenty to tell changed bytes from the same.
std::uint64_t HashBytes(std::string_view bytes);

// A hash of a file's content for the stamp, eight bytes at a time: it only
// ever meets hashes made by the same program, so it may be fast rather
// than stable from version to version, as the names HashBytes makes are.
std::uint64_t HashContent(std::string_view bytes);

// The regular file at path as it is now (following links), with no hash;
// exists is false when no regular file is there.
FileStamp StampOf(const std::string& path);

// Whether the file at path may now hold something else than stamp records.
// Another file in its place (a new inode) is a change; a file of another
// size is one; the same file with the same size and times is none;
// otherwise the bytes decide, so a file touched without a change counts as
// unchanged. Anything there that cannot be compared (no longer a regular
// file, unreadable, too large to read) counts as changed. A file that has
// gone is no change: there is nothing of another program's to keep.
bool ChangedSince(const std::string& path, const FileStamp& stamp);

// Whether anything stands at path, a dangling link included.
bool PathTaken(const std::string& path);

// Whether path names (through links) a regular file that nobody may write:
// none of its write permission bits is set.
bool IsReadOnlyFile(const std::string& path);
