#include "tests/support/ReloadChanges.h"

#include <algorithm>

QList<int> ChangedByReload(const CDef& saved, const CDef& reread)
{
    QList<int> changed;
    if (saved.Name != reread.Name || saved.Program != reread.Program ||
        saved.Directory != reread.Directory || saved.Shell != reread.Shell ||
        saved.Information != reread.Information || std::max(saved.First, 0) != reread.First)
        changed.append(-1);
    const bool anyMarked = std::any_of(saved.Options.begin(), saved.Options.end(),
                                       [](const COption& option) { return option.Default; });
    for (std::size_t i = 0; i < saved.Options.size(); ++i) {
        COption option = saved.Options[i];
        option.Default = option.Default || (!anyMarked && saved.First <= 0 && i == 0);
        if (i >= reread.Options.size() || option != reread.Options[i])
            changed.append(static_cast<int>(i));
    }
    return changed;
}
