#pragma once

// Files named by catalogue text, reached through their real bytes: a name
// decoded by decodeFileName (file_names.h) is encoded back here, where QFile
// would encode it as UTF-8 and miss a name that is no UTF-8.

#include <QString>

namespace velmar {

// True when something of that name exists (a broken link included).
bool nativeExists(const QString& path);

// Copies the regular file `source` to `target`, created or replaced, each
// write checked and the data flushed to the disk; false with the system's
// reason in `reason`.
bool copyNativeFile(const QString& source, const QString& target, QString& reason);

} // namespace velmar
