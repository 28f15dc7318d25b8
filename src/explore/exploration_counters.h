#pragma once

// What an exploration has counted so far: the totals the command line prints
// at the end, and the figures the progress panel shows on the way.

#include <QFlags>
#include <QtGlobal>

namespace velmar {

struct ExplorationCounters {
    qint64 directories = 0;       // Repertoires rows written
    qint64 listedDirectories = 0; // lines of the directory list gone through, the excluded ones included
    qint64 excludedDirectories = 0;
    qint64 files = 0;     // records written by the directory phase
    qint64 totalSize = 0; // bytes of the files recorded
    qint64 programs = 0;
    qint64 archives = 0;
    qint64 associated = 0;
    qint64 excludedFiles = 0;
    qint64 unreadable = 0;            // files stored without information text or CRC
    qint64 leftOut = 0;               // files whose name or path does not fit a record
    qint64 unreadableDirectories = 0; // stored, but their entries could not all be read
    qint64 longPaths = 0;             // directories stored, their path too long to read them
    bool stopped = false;
    bool failed = false; // a work file or the collection could not be written (message shown)
};

// The counters a display shows, one flag each, so that a call can say which
// of them changed.
enum class Counter {
    ListedDirectories = 1 << 0,
    ExcludedDirectories = 1 << 1,
    UnreadableDirectories = 1 << 2,
    LongPaths = 1 << 3,
    FilesFound = 1 << 4,
    TotalSize = 1 << 5,
    Programs = 1 << 6,
    Archives = 1 << 7,
    Associated = 1 << 8,
    ExcludedFiles = 1 << 9,
    UnreadableFiles = 1 << 10,
    LeftOut = 1 << 11,
};
Q_DECLARE_FLAGS(Counters, Counter)
Q_DECLARE_OPERATORS_FOR_FLAGS(Counters)

// What the file phase counts by kind of file.
inline constexpr Counters kFileKinds{Counter::Programs,      Counter::Archives,        Counter::Associated,
                                     Counter::ExcludedFiles, Counter::UnreadableFiles, Counter::LeftOut};

qint64 counterValue(const ExplorationCounters& counters, Counter counter);

} // namespace velmar
