#pragma once

// The label of the volume each support was explored from, in a table of its
// own beside Supports: the user is asked to insert a medium by its name, its
// type, its label and its serial. A support explored before labels were kept
// has none.

#include "store/db/database.h"

#include <QString>

namespace velmar {

bool ensureVolumeLabels(db::Database& db);
bool storeVolumeLabel(db::Database& db, int support, const QString& label);
// "" when none was kept (or the file cannot say).
QString volumeLabel(db::Database& db, int support);

} // namespace velmar
