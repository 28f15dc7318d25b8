#include "explore/exploration_failure.h"

#include "app/dialogs.h"

#include <QDir>

namespace velmar {

void reportExplorationFailure(ExplorationCounters& counters, FileAccess access, const QString& file,
                              const QString& reason) {
    if (counters.failed)
        return; // the first failure is the one to tell
    counters.failed = true;
    const QString verb =
        access == FileAccess::Write ? QStringLiteral("d'écrire dans") : QStringLiteral("de lire");
    dialogs().message(QStringLiteral("Impossible ") + verb + QStringLiteral(" le fichier « ") +
                          QDir::toNativeSeparators(file) + QStringLiteral(" » : ") + reason +
                          QStringLiteral("\nL'exploration est arrêtée ; les fichiers déjà enregistrés "
                                         "sont conservés."),
                      MessageStyle::Exclamation);
}

bool storeFailed(const ExplorationContext& context, ExplorationCounters& counters) {
    const QString reason = context.store.writeError();
    if (reason.isEmpty())
        return false;
    reportExplorationFailure(counters, FileAccess::Write, context.store.storeFile(), reason);
    return true;
}

} // namespace velmar
