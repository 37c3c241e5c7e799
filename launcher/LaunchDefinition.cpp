#include "launcher/LaunchDefinition.h"

#include "document/DefinitionFile.h"
#include "document/FileBytes.h"

bool ReadLaunchDefinition(const std::string& definitionPath, const std::string& namedFile,
                          LaunchDefinition& result, std::string& reason)
{
    std::string bytes;
    if (ReadFileBytes(definitionPath, bytes, reason) != ReadOutcome::Read)
        return false;
    result.path = definitionPath;
    result.def = ReadDefinition(bytes, namedFile, definitionPath);
    return true;
}
