#include "system/CapturedRun.h"

// Windows: not available. Bounding a run there needs a job object for the
// program's descendants, which nothing here uses yet.
CapturedRun RunCaptured(const std::string&, const std::vector<std::string>&, const std::string&,
                        const std::vector<std::pair<std::string, std::string>>&, const RunLimits&)
{
    CapturedRun run;
    run.reason = QStringLiteral("Not available on this system");
    return run;
}
