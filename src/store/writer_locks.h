#pragma once

// One writer at a time: the registry (Collections.dat) and each collection
// file have a lock of their own, held by the process that changes them (an
// exploration, a compaction, a rename, a delete, a registry write) until the
// change is over. Readers take none. Locks are taken registry first, then
// collections by increasing number, so two writers never wait on each other.
// A writer that finds a lock held waits a moment, then gives up: the user is
// told, in French, which collection is busy.

#include "platform/file_lock.h"
#include "store/store_paths.h"

#include <memory>
#include <vector>

namespace velmar {

class WriterLocks {
public:
    // How long a second writer waits before giving up.
    static constexpr int kWaitMs = 2000;

    explicit WriterLocks(StorePaths paths) : m_paths(std::move(paths)) {}

    // Each shows its message through dialogs() and returns false when refused.
    bool lockRegistry();
    bool lockCollection(int n, const QString& name);
    // Collections first ... last of `names` (1-based positions).
    bool lockCollections(int first, const QStringList& names);

    void releaseAll() { m_held.clear(); }

private:
    bool take(const QString& file, const QString& busyText, const QString& failedText);

    StorePaths m_paths;
    std::vector<std::unique_ptr<FileLock>> m_held;
};

} // namespace velmar
