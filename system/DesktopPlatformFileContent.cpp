// Comparing the bytes of two files, for the undo of a hide, which may only
// delete the launcher copy it put in place.
#include "system/Platform.h"

#include "system/FileNameCodec.h"

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <vector>

namespace {

// Only regular files: opening a FIFO would wait for a writer.
bool IsRegularFile(const std::filesystem::path& path, std::uintmax_t& size)
{
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        return false;
    size = std::filesystem::file_size(path, error);
    return !error;
}

} // namespace

bool DesktopPlatform::SameFileContent(const QString& a, const QString& b)
{
    const std::filesystem::path pathA = FileSystemPath(a);
    const std::filesystem::path pathB = FileSystemPath(b);
    std::uintmax_t sizeA = 0;
    std::uintmax_t sizeB = 0;
    if (!IsRegularFile(pathA, sizeA) || !IsRegularFile(pathB, sizeB) || sizeA != sizeB)
        return false;
    std::ifstream fileA(pathA, std::ios::binary);
    std::ifstream fileB(pathB, std::ios::binary);
    if (!fileA || !fileB)
        return false;
    constexpr std::streamsize ChunkSize = 64 * 1024;
    std::vector<char> chunkA(ChunkSize);
    std::vector<char> chunkB(ChunkSize);
    while (true) {
        fileA.read(chunkA.data(), ChunkSize);
        fileB.read(chunkB.data(), ChunkSize);
        const std::streamsize countA = fileA.gcount();
        if (countA != fileB.gcount() ||
            !std::equal(chunkA.begin(), chunkA.begin() + countA, chunkB.begin()))
            return false;
        // The end of both at once; a read error ends the loop as a difference.
        if (fileA.eof() || fileB.eof())
            return fileA.eof() && fileB.eof();
        if (!fileA || !fileB)
            return false;
    }
}
