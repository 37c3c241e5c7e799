#pragma once

#include <filesystem>
#include <string>

// The names a save works with: the file a path finally names, and the
// editor's own files beside it. A temporary file is named
// "." + name + ".quarned-" + process id + "-" + six letters or digits, the
// name cut to its first 200 bytes so that it stays within the 255-byte limit
// of a file name. The copy kept during a write in place is named
// "." + name + ".quarned-backup"; a name longer than 200 bytes is cut there
// too, and "~" and 16 hexadecimal digits of a hash of the whole name follow,
// so that files whose names share a long beginning keep apart.

// Why a save refuses a FIFO, a device or a socket.
inline constexpr char NotRegularFile[] = "is not a regular file";

// How many symbolic links a chain may have before a save gives up on it.
inline constexpr int MaxLinkDepth = 40;

// The file that path names once every symbolic link in a chain is followed
// (so the link stays and its target is replaced); false, with error set,
// when the chain cannot be followed. The save through the standard library
// uses it; the POSIX save follows links from open folders (OpenTarget).
bool ResolveLinks(const std::string& path, std::filesystem::path& target, std::string& error);

// The template of a temporary file for target, ending in the six X that
// stand for the letters and digits.
std::filesystem::path TemporaryTemplate(const std::filesystem::path& target, long processId);

// name with its trailing X replaced by random letters and digits.
std::string WithUniqueLetters(std::string name);

// Whether a file name has exactly the temporary files' pattern.
bool IsTemporaryName(const std::string& fileName);

// Where a write in place keeps the whole old content of target.
std::filesystem::path BackupPath(const std::filesystem::path& target);

// The system's text for an errno value.
std::string ErrorReason(int code);
