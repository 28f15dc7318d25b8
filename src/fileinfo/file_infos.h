#pragma once

// The information text of a file, as the exploration stores it with the file's
// record: the probe chosen by the file's extension (mode "AUTO"), or the first
// lines of a text file (mode "TEXTE"). Line breaks are CR LF; "" when nothing
// could be said, the file is missing or the mode is unknown.

#include <QString>

namespace velmar {

QString RenvoieInfosFichier(const QString& path, const QString& mode);

// The probe chosen by extension; "" for an extension without a probe.
QString AnalyseContenuFichier(const QString& path);

} // namespace velmar
