#pragma once

// An update: a support already in the collection is explored again and made
// to match its medium, keeping what did not change.

#include "explore/exploration.h"
#include "explore/support_update_store.h"

namespace velmar {

// The medium is explored into a support of its own, then merged into the
// support named in `request` in one transaction: a stop, a failure or a crash
// before the merge leaves that support exactly as it was.
ExplorationOutcome runUpdate(const ExplorationRequest& request, const ExplorationContext& context,
                             SupportUpdateStore& updates, ExplorationCounters& counters,
                             UpdateSummary& summary);

// The name of the support an update of support `target` explores into.
QString updateStagingName(int target);
// Whether `name` is such a name.
bool isUpdateStagingName(const QString& name);

} // namespace velmar
