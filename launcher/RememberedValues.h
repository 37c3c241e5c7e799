#pragma once

#include "document/LaunchValues.h"

#include <string>

class Platform;

// The values a definition last ran with, kept in the launcher's settings
// under the definition file's absolute path, option by option by name (the
// second option of a name takes the second value of that name), so that
// options added, removed or moved since keep their own values.
class RememberedValues
{
public:
    explicit RememberedValues(Platform& platform);

    // Puts the remembered values into values.options, where there are any.
    void Restore(const CDef& def, const std::string& definitionPath, LaunchValues& values);
    void Remember(const CDef& def, const std::string& definitionPath, const LaunchValues& values);

private:
    Platform& platform_;
};
