#pragma once

// What an update changed in a support, counted file by file.

#include <QString>

namespace velmar {

struct UpdateSummary {
    qint64 added = 0;
    qint64 modified = 0; // found again with another size or date
    qint64 deleted = 0;
    qint64 unchanged = 0;

    // "3 ajoutés, 1 modifié, 0 supprimé, 120 inchangés".
    QString text() const;
};

} // namespace velmar
