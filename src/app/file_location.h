#pragma once

// A catalogued file lives on a medium that may be in any drive, or in none:
// its path is tried on every mounted volume in turn.

#include <QString>

namespace velmar {

// The native path of the catalogue-relative `relativePath` ("Docs\Sub\a.txt")
// on the first mounted volume holding it, floppies skipped; "" when none does.
// Labels and serials are not compared: the first volume with that path wins.
QString findOnPresentVolumes(const QString& relativePath);

// Copies `source` into the folder `destination`, creating the folder and its
// missing parents; a file of the same name there is replaced only when the user
// agrees. Reports the outcome in a message box; true when copied.
bool copyIntoFolder(const QString& source, const QString& destination);

} // namespace velmar
