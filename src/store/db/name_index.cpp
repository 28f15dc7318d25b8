#include "store/db/name_index.h"

#include "store/db/database.h"
#include "store/db/statistics.h"
#include "store/db/transaction.h"

namespace velmar::db {

namespace {

// The one trigger an exploration drops while it stores a support's rows: run
// for each row, it cost the engine half as much again as storing the row.
const QString kFileAddTrigger = QStringLiteral(R"(
CREATE TRIGGER IF NOT EXISTS NomsFichiersAjout AFTER INSERT ON Fichiers BEGIN
    INSERT INTO NomsFichiers(rowid, Fichier) VALUES (new.NumFichier, new.Fichier);
END;
)");

// External-content tables: the names stay only in their own tables, the index
// holds the trigrams and the column of each, without positions: searches ask
// for trigrams, not phrases, and the directory index is asked for one of its
// two names. (Without even the column, detail=none, the engine's cost of
// storing a batch grows with the rows already stored.) No sizes of columns
// either, which only ranking needs: storing them took half of a bulk fill.
const QString kIndexSchema = QStringLiteral(R"(
CREATE VIRTUAL TABLE NomsFichiers USING fts5(Fichier, content='Fichiers', content_rowid='NumFichier',
    tokenize='trigram case_sensitive 0', detail='column', columnsize=0);
CREATE VIRTUAL TABLE NomsRepertoires USING fts5(RepertoireSeul, RepertoireParent, content='Repertoires',
    content_rowid='NumRepertoire', tokenize='trigram case_sensitive 0', detail='column', columnsize=0);
CREATE TABLE NomsFichiersEnAttente (Depuis INTEGER NOT NULL);
%1
CREATE TRIGGER NomsFichiersRetrait AFTER DELETE ON Fichiers
    WHEN old.NumFichier <= coalesce((SELECT min(Depuis) FROM NomsFichiersEnAttente), old.NumFichier) BEGIN
    INSERT INTO NomsFichiers(NomsFichiers, rowid, Fichier) VALUES ('delete', old.NumFichier, old.Fichier);
END;
CREATE TRIGGER NomsFichiersChangement AFTER UPDATE OF NumFichier, Fichier ON Fichiers BEGIN
    INSERT INTO NomsFichiers(NomsFichiers, rowid, Fichier) SELECT 'delete', old.NumFichier, old.Fichier
        WHERE old.NumFichier <= coalesce((SELECT min(Depuis) FROM NomsFichiersEnAttente), old.NumFichier);
    INSERT INTO NomsFichiers(rowid, Fichier) SELECT new.NumFichier, new.Fichier
        WHERE new.NumFichier <= coalesce((SELECT min(Depuis) FROM NomsFichiersEnAttente), new.NumFichier);
END;
CREATE TRIGGER NomsRepertoiresAjout AFTER INSERT ON Repertoires BEGIN
    INSERT INTO NomsRepertoires(rowid, RepertoireSeul, RepertoireParent)
        VALUES (new.NumRepertoire, new.RepertoireSeul, new.RepertoireParent);
END;
CREATE TRIGGER NomsRepertoiresRetrait AFTER DELETE ON Repertoires BEGIN
    INSERT INTO NomsRepertoires(NomsRepertoires, rowid, RepertoireSeul, RepertoireParent)
        VALUES ('delete', old.NumRepertoire, old.RepertoireSeul, old.RepertoireParent);
END;
CREATE TRIGGER NomsRepertoiresChangement
    AFTER UPDATE OF NumRepertoire, RepertoireSeul, RepertoireParent ON Repertoires BEGIN
    INSERT INTO NomsRepertoires(NomsRepertoires, rowid, RepertoireSeul, RepertoireParent)
        VALUES ('delete', old.NumRepertoire, old.RepertoireSeul, old.RepertoireParent);
    INSERT INTO NomsRepertoires(rowid, RepertoireSeul, RepertoireParent)
        VALUES (new.NumRepertoire, new.RepertoireSeul, new.RepertoireParent);
END;
%2
INSERT INTO NomsFichiers(NomsFichiers) VALUES ('rebuild');
INSERT INTO NomsRepertoires(NomsRepertoires) VALUES ('rebuild');
)");

// Names are gathered in 16 MiB of memory before they are written, rather than
// the engine's 1 MiB: a third less work merging the written pieces when a
// support's names go in at once. Kept in each index's own settings, set again
// before each bulk fill for the collections made before it.
const QString kBulkFillMemory =
    QStringLiteral("INSERT INTO NomsFichiers(NomsFichiers, rank) VALUES ('hashsize', 16777216);"
                   "INSERT INTO NomsRepertoires(NomsRepertoires, rank) VALUES ('hashsize', 16777216);");

// Every object of the index but the file-insert trigger.
const QString kIndexObjects =
    QStringLiteral("'NomsFichiers','NomsRepertoires','NomsFichiersEnAttente','NomsFichiersRetrait',"
                   "'NomsFichiersChangement','NomsRepertoiresAjout','NomsRepertoiresRetrait',"
                   "'NomsRepertoiresChangement'");
constexpr qint64 kIndexObjectCount = 8;

enum class IndexState { Unreadable, Whole, Deferred, Broken };

// Whole: every object there and nothing waiting. Deferred: rows wait, and the
// file-insert trigger is gone or (left by an older build) still there. Broken:
// missing, changed by hand, or made by an older build that stored the sizes.
IndexState indexState(Database& database) {
    Recordset rs = database.openRecordset(
        QStringLiteral(
            "SELECT count(*) AS n, sum(name = 'NomsFichiersAjout') AS ajout, "
            "sum(type = 'table' AND instr(sql, 'columnsize=0') > 0) AS sizeless FROM sqlite_master "
            "WHERE name IN ('NomsFichiersAjout',") +
        kIndexObjects + QStringLiteral(")"));
    if (rs.eof())
        return IndexState::Unreadable;
    const bool addTrigger = rs.field(QStringLiteral("ajout")).toNumber() == 1;
    if (rs.field(QStringLiteral("n")).toNumber() - (addTrigger ? 1 : 0) != kIndexObjectCount ||
        rs.field(QStringLiteral("sizeless")).toNumber() != 2)
        return IndexState::Broken;
    rs.close();
    Recordset waiting = database.openRecordset(QStringLiteral("SELECT 1 FROM NomsFichiersEnAttente"));
    if (!waiting.ok())
        return IndexState::Unreadable;
    if (!waiting.eof())
        return IndexState::Deferred;
    return addTrigger ? IndexState::Whole : IndexState::Broken;
}

// Drops what an interrupted or foreign change left of the index, so that it is
// built again whole.
bool dropIndexObjects(Database& database) {
    return database.execute(QStringLiteral(
        "DROP TRIGGER IF EXISTS NomsFichiersAjout; DROP TRIGGER IF EXISTS NomsFichiersRetrait;"
        "DROP TRIGGER IF EXISTS NomsFichiersChangement; DROP TRIGGER IF EXISTS NomsRepertoiresAjout;"
        "DROP TRIGGER IF EXISTS NomsRepertoiresRetrait; DROP TRIGGER IF EXISTS NomsRepertoiresChangement;"
        "DROP TABLE IF EXISTS NomsFichiers; DROP TABLE IF EXISTS NomsRepertoires;"
        "DROP TABLE IF EXISTS NomsFichiersEnAttente;"));
}

} // namespace

// While rows wait, only this exploration adds file rows, at the end of the
// table: the rows above the mark are exactly those to index. Rows the
// exploration deletes meanwhile (an update's merge) are above it or were
// indexed; the other two triggers keep the index in step for the latter.
bool deferFileNameIndex(Database& database) {
    return database.execute(QStringLiteral(
        "INSERT INTO NomsFichiersEnAttente (Depuis) SELECT coalesce(max(NumFichier), 0) FROM Fichiers "
        "WHERE NOT EXISTS (SELECT 1 FROM NomsFichiersEnAttente); DROP TRIGGER IF EXISTS NomsFichiersAjout;"));
}

bool catchUpFileNameIndex(Database& database) {
    // Most openings find nothing waiting, and need not write.
    Recordset waiting = database.openRecordset(QStringLiteral("SELECT 1 FROM NomsFichiersEnAttente"));
    if (!waiting.ok() || waiting.eof())
        return waiting.ok();
    waiting.close();
    Transaction change(database);
    return change.active() && database.execute(kBulkFillMemory) &&
           database.execute(QStringLiteral(
               "INSERT INTO NomsFichiers (rowid, Fichier) SELECT NumFichier, Fichier FROM Fichiers "
               "WHERE NumFichier > (SELECT min(Depuis) FROM NomsFichiersEnAttente); ")) &&
           database.execute(kFileAddTrigger) &&
           database.execute(QStringLiteral("DELETE FROM NomsFichiersEnAttente;")) && change.commit();
}

bool ensureNameIndex(Database& database) {
    switch (indexState(database)) {
    case IndexState::Unreadable:
        return false;
    case IndexState::Whole:
        return true;
    case IndexState::Deferred:
        return catchUpFileNameIndex(database);
    case IndexState::Broken:
        break;
    }
    Transaction change(database);
    return change.active() && dropIndexObjects(database) &&
           database.execute(kIndexSchema.arg(kFileAddTrigger, kBulkFillMemory)) &&
           refreshPlannerStatistics(database) && change.commit();
}

} // namespace velmar::db
