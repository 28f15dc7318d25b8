#pragma once

// Supports whose exploration started and never finished (the process was
// killed, crashed, or the power went). An exploration writes its support's
// number and its process number into the table ExplorationsInachevees, in the
// transaction that adds the support, and deletes the row once the totals are
// written (after the end or a stop). A row left whose process no longer runs
// therefore marks a support whose rows are incomplete; one whose process runs
// is an exploration under way, which other processes may read meanwhile. The
// table is created when an exploration first needs it, so a collection made
// by an older build opens as it is.

#include "store/db/database.h"

#include <QStringList>

namespace velmar {

// Creates the table if needed and marks the support; false on a failed write.
bool MarkExplorationStarted(db::Database& db, int support);
bool MarkExplorationFinished(db::Database& db, int support);
// The names of the unfinished supports whose process is gone, in name order.
QStringList UnfinishedSupportNames(db::Database& db);
// Tells the user about each unfinished support of the open collection, and
// what may be done with it.
void ReportUnfinishedExplorations(db::Database& db);

} // namespace velmar
