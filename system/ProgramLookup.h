#pragma once

#include "system/FilePath.h"

// Where a program name is found on the search path (PATH), as the system
// finds it to run it: the first folder of the search path that holds an
// executable file of that name, made absolute. An absolute name is its own
// answer when it is an executable file. Empty when there is none. Names and
// the search path are taken as bytes, so a folder whose name is not UTF-8
// is searched too.
FilePath FindOnSearchPath(const FilePath& name);

// A file (links followed) that this user may run.
bool IsExecutableFile(const FilePath& path);
