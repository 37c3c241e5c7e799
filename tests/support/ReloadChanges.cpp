#include "tests/support/ReloadChanges.h"

#include <algorithm>

QList<int> ChangedByReload(const CDef& saved, const CDef& reread)
{
    QList<int> changed;
    if (saved.Name != reread.Name || saved.Program != reread.Program ||
        saved.Directory != reread.Directory || saved.Shell != reread.Shell ||
        saved.Information != reread.Information || std::max(saved.First, 0) != reread.First)
        changed.append(-1);
    for (std::size_t i = 0; i < saved.Options.size(); ++i) {
        if (i >= reread.Options.size() || saved.Options[i] != reread.Options[i])
            changed.append(static_cast<int>(i));
    }
    return changed;
}
