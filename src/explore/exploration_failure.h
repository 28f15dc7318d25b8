#pragma once

// A work file or the collection that an exploration could not write (or read
// back) stops it: the user is told which file and the system's reason, and
// the counters remember that the exploration failed.

#include "explore/exploration.h"

namespace velmar {

enum class FileAccess { Write, Read };

void reportExplorationFailure(ExplorationCounters& counters, FileAccess access, const QString& file,
                              const QString& reason);

// Stops the exploration when the store reports a failed write; true when it did.
bool storeFailed(const ExplorationContext& context, ExplorationCounters& counters);

} // namespace velmar
