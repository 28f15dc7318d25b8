#pragma once

// The catalogue stores paths relative to the medium's root, components joined
// by '\', whatever the host. These helpers turn that form into a native path.

#include <QString>

namespace velmar {

inline const QChar kCatalogueSeparator = QLatin1Char('\\');

// The path without the separators at its start and end: "\Docs\Sub\" gives "Docs\Sub".
QString trimmedSeparators(QString cataloguePath);

// The native path of a catalogue path under a volume root.
QString nativePath(const QString& volumeRoot, const QString& cataloguePath);

} // namespace velmar
