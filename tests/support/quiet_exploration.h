#pragma once

// Runs a real exploration into an open collection with no window: nothing is
// shown and nothing stops it. Tests fill collections this way before they
// look at what the browse view, the search or the layout make of them.

#include "explore/exploration.h"
#include "store/db/database.h"

namespace velmar::test {

ExplorationOutcome exploreQuietly(db::Database& collection, const ExplorationRequest& request);

} // namespace velmar::test
