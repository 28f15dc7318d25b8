#pragma once

// The information text of an archive: its summary line (entry count and total
// size) and the names of its entries, as the archive readers list them.

#include <QString>

namespace velmar {

// "" when the archive cannot be listed.
QString archiveListingText(const QString& path);

} // namespace velmar
