#pragma once

#include <cstdint>
#include <string>

// Definition files are small; anything larger is refused before it is read,
// so that memory stays bounded whatever the path names.
inline constexpr std::uintmax_t MaxDefinitionFileSize = std::uintmax_t{256} << 20;

enum class ReadOutcome
{
    Read,    // bytes hold the whole file
    Missing, // nothing of that name
    Failed,  // it exists but cannot be read; reason says why
};

// The whole of a regular file of at most MaxDefinitionFileSize bytes.
// Anything else (a folder, a FIFO, a device) is refused without waiting for
// it and without reading it.
ReadOutcome ReadFileBytes(const std::string& path, std::string& bytes, std::string& reason);
