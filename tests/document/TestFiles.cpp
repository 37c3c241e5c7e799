#include "tests/document/TestFiles.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

std::string ReadBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, std::string_view bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out.flush())
        throw std::runtime_error("cannot write " + path);
}

std::string TestDataPath(std::string_view name)
{
    return std::string(QUARN_DOCUMENT_TEST_DATA) + '/' + std::string(name);
}

std::vector<std::string> TestDataFiles()
{
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(QUARN_DOCUMENT_TEST_DATA))
        files.push_back(entry.path().string());
    std::sort(files.begin(), files.end());
    return files;
}
