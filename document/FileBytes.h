#pragma once

#include <string>

// The whole file, or false when it cannot be opened for reading (a folder
// cannot).
bool ReadFileBytes(const std::string& path, std::string& bytes);
