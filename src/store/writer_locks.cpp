#include "store/writer_locks.h"

#include "app/dialogs.h"

#include <QDir>
#include <QStringList>

namespace velmar {

bool WriterLocks::take(const QString& file, const QString& busyText, const QString& failedText) {
    auto lock = std::make_unique<FileLock>(file);
    if (lock->acquire(kWaitMs)) {
        m_held.push_back(std::move(lock));
        return true;
    }
    const QString text = lock->busy() ? busyText
                                      : failedText + QStringLiteral(" (") + QDir::toNativeSeparators(file) +
                                            QStringLiteral(" : ") + lock->reason() + QStringLiteral(").");
    dialogs().message(text, MessageStyle::Exclamation);
    return false;
}

bool WriterLocks::lockRegistry() {
    return take(m_paths.registryLockFile(),
                QStringLiteral("La liste des collections est en cours de modification par un autre "
                               "programme. Réessayez quand il aura terminé."),
                QStringLiteral("Impossible de verrouiller la liste des collections"));
}

bool WriterLocks::lockCollection(int n, const QString& name) {
    const QString quoted = QStringLiteral("« ") + name + QStringLiteral(" »");
    return take(m_paths.collectionLockFile(n),
                QStringLiteral("La collection ") + quoted +
                    QStringLiteral(" est en cours de modification par un autre programme (exploration, "
                                   "compactage ou maintenance). Réessayez quand il aura terminé."),
                QStringLiteral("Impossible de verrouiller la collection ") + quoted);
}

bool WriterLocks::lockCollections(int first, const QStringList& names) {
    for (int n = first; n <= names.size(); ++n)
        if (!lockCollection(n, names.at(n - 1)))
            return false;
    return true;
}

} // namespace velmar
