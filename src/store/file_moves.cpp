#include "store/file_moves.h"

#include "app/files.h"

#include <QFile>

namespace velmar {

namespace {

const QString kJournalSuffix = QStringLiteral("-journal");

} // namespace

bool FileMoves::move(const QString& from, const QString& to, QString& error) {
    if (!FichierExiste(from))
        return true;
    QFile file(from);
    if (!file.rename(to)) {
        error = fileFailure(QStringLiteral("de renommer"), from, file.errorString());
        return false;
    }
    m_done.append({from, to});
    return true;
}

bool FileMoves::moveCollectionFile(const QString& from, const QString& to, QString& error) {
    return move(from, to, error) && move(from + kJournalSuffix, to + kJournalSuffix, error);
}

void FileMoves::undo() {
    while (!m_done.isEmpty()) {
        const auto [from, to] = m_done.takeLast();
        renameFile(to, from);
    }
}

} // namespace velmar
