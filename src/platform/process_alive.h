#pragma once

// Whether a process of this machine still runs: work files named after their
// process are left-overs once it is gone.

#include <QtGlobal>

namespace velmar {

qint64 currentProcessId();
// False only when no process has that number; a process of another user counts.
bool processIsRunning(qint64 pid);

} // namespace velmar
