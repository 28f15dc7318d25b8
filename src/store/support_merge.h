#pragma once

// The end of an update, in SQL: the support explored afresh is merged into
// the one it updates, in one transaction.

#include "explore/previous_files.h"
#include "explore/update_summary.h"
#include "store/db/database.h"

namespace velmar {

// Each file of `support` by its directory's catalogue path and name.
PreviousFiles LoadPreviousFiles(db::Database& db, int support);

// The files `previous` marks kept stay as they are. The rows of `staging`
// are matched with those of `target` by directory path and exact name: a
// matched file whose size and date are the same keeps its row (and gains the
// CRC the fresh exploration computed when it had none); the others take the
// new size, date, CRC and text, except a comment the user edited. Rows of
// `target` neither kept nor matched are deleted, those of `staging` that were
// not matched move to `target`, and `staging` is deleted. `target` keeps its
// name and type and takes the drive, serial and label of the medium explored. False,
// with the engine's reason in lastError(), when nothing was changed.
bool MergeSupportUpdate(db::Database& db, int staging, int target, const PreviousFiles& previous,
                        UpdateSummary& summary);

} // namespace velmar
