#include "store/unfinished_explorations.h"

#include "app/dialogs.h"
#include "platform/process_alive.h"

namespace velmar {

namespace {

const QString kTable = QStringLiteral("ExplorationsInachevees");

bool tableExists(db::Database& db) {
    return !db.openRecordset(
                  QStringLiteral("SELECT name FROM sqlite_master WHERE type = 'table' AND name = ?"),
                  {kTable})
                .eof();
}

// Another process that runs is exploring still. This process explores one
// support at a time, and looks for unfinished ones before it begins: a mark of
// its own is one an exploration that failed left.
bool explorationUnderWay(qint64 process) {
    return process != currentProcessId() && processIsRunning(process);
}

} // namespace

bool MarkExplorationStarted(db::Database& db, int support) {
    return db.execute(QStringLiteral("CREATE TABLE IF NOT EXISTS ") + kTable +
                      QStringLiteral(" (NumSupport INTEGER PRIMARY KEY, Processus INTEGER)")) &&
           db.execute(QStringLiteral("INSERT OR REPLACE INTO ") + kTable +
                          QStringLiteral(" (NumSupport, Processus) VALUES (?, ?)"),
                      {support, currentProcessId()});
}

bool MarkExplorationFinished(db::Database& db, int support) {
    return !tableExists(db) ||
           db.execute(QStringLiteral("DELETE FROM ") + kTable + QStringLiteral(" WHERE NumSupport = ?"),
                      {support});
}

QStringList UnfinishedSupportNames(db::Database& db) {
    QStringList names;
    if (!tableExists(db))
        return names;
    for (db::Recordset rs = db.openRecordset(
             QStringLiteral("SELECT s.NomSupport, e.Processus FROM Supports s JOIN ") + kTable +
             QStringLiteral(" e ON e.NumSupport = s.NumSupport ORDER BY "
                            "s.NomSupport"));
         !rs.eof(); rs.moveNext())
        if (!explorationUnderWay(rs.field(QStringLiteral("Processus")).toNumber()))
            names << rs.field(QStringLiteral("NomSupport")).toText();
    return names;
}

void ReportUnfinishedExplorations(db::Database& db) {
    for (const QString& name : UnfinishedSupportNames(db))
        dialogs().message(
            QStringLiteral("L'exploration du support « ") + name +
                QStringLiteral(" » n'a pas abouti : ses fichiers ne sont pas tous enregistrés.\n"
                               "Supprimez ce support, ou explorez-le de nouveau sous le même nom."),
            MessageStyle::Exclamation);
}

} // namespace velmar
