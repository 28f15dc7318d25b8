#pragma once

// Changes made to a collection after its supports were explored: a support
// renamed or deleted, a directory deleted with everything below it, the
// directories that hold nothing purged. The statements run one by one without
// a transaction, so an interruption keeps what was deleted so far.

#include "store/db/database.h"

#include <QList>
#include <QString>

namespace velmar {

// Asks the new name with an input box; true when the support was renamed, with
// the name stored in `newName`. Refuses a name another support has (any case).
bool RenommerSupport(db::Database& db, int support, QString& newName);
// The same without asking: `answer` is the name wanted.
bool RenameSupportTo(db::Database& db, int support, const QString& answer, QString& newName);

// Asks for confirmation, then deletes the support's files, directories and row.
bool SupprimerSupport(db::Database& db, int support);
// The deletion itself, without asking; the mark of an unfinished exploration goes too.
bool DeleteSupportRows(db::Database& db, int support);

// Deletes the directory and its whole subtree, without asking; returns the
// numbers deleted, the directory first, then breadth-first.
QList<qint64> SupprimerRepertoire(db::Database& db, int support, qint64 directory);

// Deletes, pass after pass, the directories holding neither a file nor a
// subdirectory, then reports the total in a message; returns the total, or
// -1 when the engine refused a statement (its reason shown).
qint64 NettoyerRepertoires(db::Database& db);

// Counts again the files and bytes of every support; false when one failed.
bool RecomputeSupportTotals(db::Database& db);

} // namespace velmar
