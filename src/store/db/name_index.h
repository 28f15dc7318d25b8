#pragma once

// The name index of a collection: trigram full-text tables over the file names
// (Fichiers.Fichier) and the directory names (Repertoires.RepertoireSeul and
// RepertoireParent), kept in step with their tables by triggers, so that every
// writer (exploration, maintenance, deletion, another SQLite tool) updates it
// in the same transaction as the rows. The database layer reads it to narrow a
// LIKE on those columns to the rows that can match before the exact test.

#include <QString>

struct sqlite3;

namespace velmar::db {

class Database;

// Creates the index tables and their triggers when the file has none yet and
// fills them from the rows already there, in one transaction. Does nothing on
// a file that has them. False, with the engine's reason in lastError(), when
// the file could not be changed: searches then scan the rows as before.
bool ensureNameIndex(Database& database);

// An exploration stores many rows at a time: indexing them one by one costs
// the engine more than the walk itself, so their indexing is put off (rows
// numbered above the highest at this call wait, and the triggers that index
// each new row are dropped) until catchUpNameIndex() indexes them in bulk and
// puts the triggers back. While rows wait, searches scan. ensureNameIndex()
// catches up what an interrupted exploration left waiting.
bool deferNameIndex(Database& database);
bool catchUpNameIndex(Database& database);

// `sql` (a statement already in SQLite's dialect) with each LIKE on an indexed
// name column that the index can serve joined to the rows the index finds for
// it, or `sql` unchanged. The rows the statement gives stay exactly the same:
// the index only ever narrows to a superset of the rows the LIKE accepts.
QString narrowByNameIndex(sqlite3* handle, const QString& sql);

} // namespace velmar::db
