#include "store/unfinished_explorations.h"

#include "app/dialogs.h"
#include "explore/support_update.h"
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

// What the user may do with an unfinished support. The copy an update left
// is no support of the user's: the one it was for is as it was, and the next
// update of that one removes the copy.
QString unfinishedText(const QString& name) {
    if (isUpdateStagingName(name))
        return QStringLiteral("Une mise à jour n'a pas abouti : le support mis à jour est resté tel qu'il "
                              "était.\nSa copie inachevée, « ") +
               name + QStringLiteral(" », sera retirée à la prochaine mise à jour de ce support.");
    return QStringLiteral("L'exploration du support « ") + name +
           QStringLiteral(" » n'a pas abouti : ses fichiers ne sont pas tous enregistrés.\n"
                          "Supprimez ce support, ou explorez-le de nouveau sous le même nom.");
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
        dialogs().message(unfinishedText(name), MessageStyle::Exclamation);
}

} // namespace velmar
