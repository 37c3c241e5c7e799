#include "document/FileBytes.h"

#include <filesystem>
#include <fstream>
#include <iterator>

bool ReadFileBytes(const std::string& path, std::string& bytes)
{
    std::error_code error;
    if (std::filesystem::is_directory(path, error))
        return false;
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    // One read of the whole size; anything beyond it (a file still
    // growing) is taken in pieces.
    const std::streamoff size = in.seekg(0, std::ios::end).tellg();
    in.seekg(0);
    bytes.resize(size > 0 ? static_cast<std::size_t>(size) : 0);
    in.read(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    bytes.resize(static_cast<std::size_t>(in.gcount()));
    if (in)
        bytes.append(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return !in.bad();
}
