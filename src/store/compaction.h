#pragma once

// Compacting a collection file in place, so that at every moment one complete
// copy of the collection exists under a known name:
//   1. CompilN.tmp  <- a compacted copy of CompilN.mdb (a leftover .tmp goes first)
//   2. CompilN.tmp is flushed to the disk
//   3. CompilN.mdb  -> CompilN.old
//   4. CompilN.tmp  -> CompilN.mdb
//   5. CompilN.old is deleted
// A process that stops between two steps leaves files that say where it was;
// restoreInterruptedCompaction() puts them back. The caller holds the
// collection's writer lock for both.

#include <QString>

namespace velmar {

QString compactionCopyFile(const QString& collectionFile);  // CompilN.tmp
QString compactionSavedFile(const QString& collectionFile); // CompilN.old

// Steps 1 to 5; on failure the original file stays (or is put back) and
// `error` holds the reason in French.
bool compactCollectionFile(const QString& collectionFile, QString& error);

// Leftovers of an interrupted compaction, put back without losing a committed
// row: CompilN.old without CompilN.mdb is the original, renamed back;
// CompilN.old beside CompilN.mdb is a saved copy whose replacement finished,
// deleted; a CompilN.tmp beside CompilN.mdb may be incomplete, deleted.
// True when nothing was left or everything was put back.
bool restoreInterruptedCompaction(const QString& collectionFile, QString& error);

// Whether any leftover is there (cheap: two file lookups).
bool hasCompactionLeftovers(const QString& collectionFile);

} // namespace velmar
