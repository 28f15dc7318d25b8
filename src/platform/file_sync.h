#pragma once

// Forcing a file's content to the disk before it replaces another by rename,
// so that a power cut never leaves a name on a file whose data were lost.

#include <QString>

namespace velmar {

// False with the system's reason when the file cannot be opened or synced.
bool syncFileToDisk(const QString& path, QString& reason);

} // namespace velmar
