// Comparing the bytes of two files, for the undo of a hide, which may only
// delete the launcher copy it put in place.
#include "system/Platform.h"

#include "document/FileBytes.h"

#include <string>

bool DesktopPlatform::SameFileContent(const FilePath& a, const FilePath& b)
{
    // The document's reader refuses anything but a regular file without
    // waiting on it (a FIFO would wait for a writer).
    std::string bytesA;
    std::string bytesB;
    std::string reason;
    return ReadFileBytes(a.Bytes(), bytesA, reason) == ReadOutcome::Read &&
           ReadFileBytes(b.Bytes(), bytesB, reason) == ReadOutcome::Read && bytesA == bytesB;
}
