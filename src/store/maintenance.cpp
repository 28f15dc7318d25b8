#include "store/maintenance.h"

#include "app/dialogs.h"
#include "app/phrases.h"
#include "app/text.h"
#include "store/catalogue.h"
#include "store/unfinished_explorations.h"

namespace velmar {

namespace {

// A statement the engine refused: the user learns why and the caller stops.
bool refused(const QString& reason) {
    dialogs().message(QStringLiteral("La base de données a refusé l'opération : ") + reason,
                      MessageStyle::Exclamation);
    return false;
}

bool run(db::Database& db, const QString& sql) {
    return db.execute(sql) || refused(db.lastError());
}

} // namespace

bool RenommerSupport(db::Database& db, int support, QString& newName) {
    int type = 0;
    const QString current = GetSupportName(db, support, type);
    const QString answer =
        dialogs().inputBox(QStringLiteral("Entrez le nouveau nom à entrer pour le support ") +
                               QLatin1Char('"') + current + QLatin1Char('"'),
                           QStringLiteral("Renommer un support"), current);
    return RenameSupportTo(db, support, answer, newName);
}

bool RenameSupportTo(db::Database& db, int support, const QString& wanted, QString& newName) {
    int type = 0;
    const QString current = GetSupportName(db, support, type);
    if (wanted.isEmpty() || wanted == current)
        return false;
    const QString answer = wanted.left(50);
    int existing = 0;
    if (FindSupportByName(db, answer, existing)) {
        dialogs().message(
            QStringLiteral("Un support déjà intitulé comme cela existe déjà dans la collection !"),
            MessageStyle::Exclamation);
        return false;
    }
    if (!run(db, "UPDATE Supports SET NomSupport = " + sqlQuote(answer) +
                     " WHERE NumSupport=" + NombreEnTexte(support)))
        return false;
    newName = answer;
    return true;
}

bool SupprimerSupport(db::Database& db, int support) {
    int type = 0;
    const QString name = GetSupportName(db, support, type);
    if (dialogs().message(QStringLiteral("Êtes-vous sûr(e) de supprimer le support ") + QLatin1Char('"') +
                              name + QLatin1Char('"') + QStringLiteral(" ?"),
                          MessageStyle::Question) != MessageAnswer::Yes)
        return false;
    return DeleteSupportRows(db, support);
}

bool DeleteSupportRows(db::Database& db, int support) {
    const QString where = " WHERE NumSupport=" + NombreEnTexte(support);
    return run(db, "DELETE FROM Fichiers" + where) && run(db, "DELETE FROM Repertoires" + where) &&
           run(db, "DELETE FROM Supports" + where) && MarkExplorationFinished(db, support);
}

QList<qint64> SupprimerRepertoire(db::Database& db, int support, qint64 directory) {
    QList<qint64> pending{directory};
    QList<qint64> subtree{directory};
    while (!pending.isEmpty()) {
        const qint64 parent = pending.takeFirst();
        for (db::Recordset rs = db.openRecordset(
                 "SELECT * FROM Repertoires " + QStringLiteral("WHERE NumRepertoireParent=") +
                 NombreEnTexte(parent) + " AND NumSupport = " + NombreEnTexte(support) + ";");
             !rs.eof(); rs.moveNext()) {
            const qint64 child = rs.field(QStringLiteral("NumRepertoire")).toNumber();
            pending.append(child);
            subtree.append(child);
        }
    }
    QList<qint64> deleted;
    for (qint64 r : subtree) {
        const QString where = " AND NumSupport=" + NombreEnTexte(support);
        if (!run(db, "DELETE FROM Fichiers WHERE NumRepertoire = " + NombreEnTexte(r) + where) ||
            !run(db, "DELETE FROM Repertoires WHERE NumRepertoire = " + NombreEnTexte(r) + where))
            break;
        deleted.append(r);
    }
    return deleted;
}

namespace {

const QString kEmptyDirectories =
    QStringLiteral("SELECT Repertoires.NumRepertoire, Repertoires.NumSupport FROM Repertoires ") +
    QStringLiteral("WHERE NOT EXISTS (SELECT Fichiers.NumRepertoire FROM Fichiers ") +
    QStringLiteral("WHERE Fichiers.NumRepertoire = Repertoires.NumRepertoire And Fichiers.NumSupport = "
                   "Repertoires.NumSupport)") +
    QStringLiteral(
        " AND NOT EXISTS (SELECT Repertoires2.NumRepertoireParent FROM Repertoires as Repertoires2 "
        "WHERE Repertoires2.NumRepertoireParent = Repertoires.NumRepertoire);");

// One pass: the directories empty right now, read whole before any is deleted.
QList<std::pair<qint64, qint64>> emptyDirectories(db::Database& db, bool& ok) {
    QList<std::pair<qint64, qint64>> found;
    db::Recordset rs = db.openRecordset(kEmptyDirectories);
    ok = rs.ok();
    for (; !rs.eof(); rs.moveNext())
        found.append({rs.field(QStringLiteral("NumRepertoire")).toNumber(),
                      rs.field(QStringLiteral("NumSupport")).toNumber()});
    if (!ok)
        refused(rs.error());
    return found;
}

} // namespace

qint64 NettoyerRepertoires(db::Database& db) {
    qint64 total = 0;
    for (;;) {
        bool ok = true;
        const QList<std::pair<qint64, qint64>> pass = emptyDirectories(db, ok);
        if (!ok)
            return -1;
        if (pass.isEmpty())
            break;
        for (const auto& [directory, support] : pass) {
            if (!run(db, "DELETE FROM Repertoires " + QStringLiteral("WHERE NumRepertoire=") +
                             NombreEnTexte(directory) + " AND NumSupport=" + NombreEnTexte(support)))
                return -1;
            ++total;
        }
    }
    dialogs().message(
        countText(total, QStringLiteral("# répertoire effacé."), QStringLiteral("# répertoires effacés.")),
        MessageStyle::Information);
    return total;
}

bool RecomputeSupportTotals(db::Database& db) {
    QList<int> supports;
    db::Recordset rs = ListSupports(db);
    for (; !rs.eof(); rs.moveNext())
        supports << static_cast<int>(rs.field(QStringLiteral("NumSupport")).toNumber());
    if (!rs.ok())
        return refused(rs.error());
    rs.close();
    for (int support : supports)
        if (!UpdateSupportTotals(db, QString(), support))
            return refused(db.lastError());
    return true;
}

} // namespace velmar
