#pragma once

#include <string>
#include <string_view>
#include <vector>

// Whole files as bytes, for tests that compare files byte for byte.
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, std::string_view bytes);

// The expected-result files of tests/document/data.
std::string TestDataPath(std::string_view name);
std::vector<std::string> TestDataFiles();
