#pragma once

#include <filesystem>
#include <optional>
#include <string>

// The names a save works with: the file a path finally names, and the
// editor's own files beside it. A temporary file is named
// "." + name + ".quarned-" + process id + "-" + six letters or digits, and the
// copy kept during a write in place "." + name + ".quarned-backup"; the names
// are cut so that they stay within the 255-byte limit of a file name.

// Why a save refuses a FIFO, a device or a socket.
inline constexpr char NotRegularFile[] = "is not a regular file";

// The file that path names once every symbolic link in a chain is followed
// (so the link stays and its target is replaced); false, with error set,
// when the chain cannot be followed.
bool ResolveLinks(const std::string& path, std::filesystem::path& target, std::string& error);

// The template of a temporary file for target, ending in the six X that
// stand for the letters and digits.
std::filesystem::path TemporaryTemplate(const std::filesystem::path& target, long processId);

// name with its trailing X replaced by random letters and digits.
std::string WithUniqueLetters(std::string name);

// The process id in a file name of exactly the temporary files' pattern;
// nothing for any other name.
std::optional<long> TemporaryFileProcess(const std::string& fileName);

// Where a write in place keeps the whole old content of target.
std::filesystem::path BackupPath(const std::filesystem::path& target);

// The system's text for an errno value.
std::string ErrorReason(int code);
