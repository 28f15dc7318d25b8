#pragma once

// A catalogued file named by its support and its path from the medium's root,
// as a user types it: "Docs\Sub\a.txt" or "Docs/Sub/a.txt".

#include "store/selected_file.h"

namespace velmar {

// The file's numbers; false when the support has no file at that path.
// Directory names must match exactly, file names without regard to case, as
// the catalogue's columns compare them.
bool findCataloguedFile(db::Database& db, int support, const QString& path, SelectedFile& file);

} // namespace velmar
