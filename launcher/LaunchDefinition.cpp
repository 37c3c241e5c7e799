#include "launcher/LaunchDefinition.h"

#include "document/DefinitionFile.h"
#include "document/FileBytes.h"

#include <new>

bool ReadLaunchDefinition(const std::string& definitionPath, const std::string& namedFile,
                          LaunchDefinition& result, std::string& reason)
{
    std::string bytes;
    if (ReadFileBytes(definitionPath, bytes, reason) != ReadOutcome::Read)
        return false;
    try {
        result.def = ReadDefinition(bytes, namedFile, definitionPath);
    } catch (const std::bad_alloc& error) {
        // A file whose document would not fit is refused with its reason.
        reason = error.what();
        return false;
    }
    result.path = definitionPath;
    return true;
}
