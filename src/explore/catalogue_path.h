#pragma once

// The catalogue stores paths relative to the medium's root, components joined
// by '\', whatever the host. These helpers work on that form.

#include <QString>

namespace velmar {

// The catalogue form of a native directory below the volume root:
// ("/media/cd/", "/media/cd/Docs/Sub/") gives "Docs\Sub"; the root gives "".
QString catalogueRelativePath(const QString& volumeRoot, const QString& nativeDirectory);

// The directory's own name: "Docs\Sub" gives "Sub", "" (the root) gives "".
QString lastComponent(const QString& cataloguePath);

// The directory holding the last component, "" when that is the root:
// "Docs" gives "", "Docs\Sub" gives "Docs", "Docs\Sub\X" gives "Docs\Sub".
QString relativeParent(const QString& cataloguePath);

} // namespace velmar
