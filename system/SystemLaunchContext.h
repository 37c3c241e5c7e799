#pragma once

#include "document/LaunchCommand.h"

#include <string>

// The launcher's rules as they apply on this system: programs found on the
// search path, files and folders as the file system has them, the
// platform's shell and its quoting. definitionPath is absolute.
LaunchContext SystemLaunchContext(const std::string& definitionPath);
