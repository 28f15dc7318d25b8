#include "explore/update_summary.h"

#include "app/phrases.h"

namespace velmar {

QString UpdateSummary::text() const {
    return countText(added, QStringLiteral("# ajouté"), QStringLiteral("# ajoutés")) + QStringLiteral(", ") +
           countText(modified, QStringLiteral("# modifié"), QStringLiteral("# modifiés")) +
           QStringLiteral(", ") +
           countText(deleted, QStringLiteral("# supprimé"), QStringLiteral("# supprimés")) +
           QStringLiteral(", ") +
           countText(unchanged, QStringLiteral("# inchangé"), QStringLiteral("# inchangés"));
}

} // namespace velmar
