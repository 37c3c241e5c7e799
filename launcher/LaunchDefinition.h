#pragma once

#include "document/Def.h"

#include <string>

// The definition a launcher window or run is made from.
struct LaunchDefinition
{
    std::string path; // the definition file, absolute
    CDef def;
};

// Reads the definition file at definitionPath. namedFile, the file the
// launcher was asked to open, becomes the program of a definition that
// names none, as in the editor; empty for a copy in a program's place,
// which must not run itself. False, with the reason, when the file cannot
// be read.
bool ReadLaunchDefinition(const std::string& definitionPath, const std::string& namedFile,
                          LaunchDefinition& result, std::string& reason);
