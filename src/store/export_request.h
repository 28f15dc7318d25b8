#pragma once

// The window's "Exporter…": asks where to write through the dialogs, takes the
// format from the file's extension (.csv, .json, .html; CSV otherwise), writes
// the file whole or not at all, and tells the user how it went.

#include "store/db/database.h"

#include <QString>

namespace velmar {

// `support` 0 exports the whole collection; `name` proposes the file's name.
// False when the user cancelled or the export failed (already told).
bool exportWithDialogs(db::Database& db, int support, const QString& name);

} // namespace velmar
