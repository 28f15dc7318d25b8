#include "explore/exploration_counters.h"

namespace velmar {

qint64 counterValue(const ExplorationCounters& counters, Counter counter) {
    switch (counter) {
    case Counter::ListedDirectories:
        return counters.listedDirectories;
    case Counter::ExcludedDirectories:
        return counters.excludedDirectories;
    case Counter::UnreadableDirectories:
        return counters.unreadableDirectories;
    case Counter::LongPaths:
        return counters.longPaths;
    case Counter::FilesFound:
        return counters.files;
    case Counter::TotalSize:
        return counters.totalSize;
    case Counter::Programs:
        return counters.programs;
    case Counter::Archives:
        return counters.archives;
    case Counter::Associated:
        return counters.associated;
    case Counter::ExcludedFiles:
        return counters.excludedFiles;
    case Counter::UnreadableFiles:
        return counters.unreadable;
    case Counter::LeftOut:
        return counters.leftOut;
    }
    return 0;
}

} // namespace velmar
