#include "store/db/name_index.h"

#include "store/db/database.h"
#include "store/db/statistics.h"
#include "store/db/transaction.h"

namespace velmar::db {

namespace {

// One table of names and its index. While an exploration stores a support's
// rows, the trigger that indexes each new row is dropped (run for each row it
// cost the engine half as much again as storing the file row, ten times as
// much as the directory row) and a row of `waiting` says from which key on the
// rows wait; the bulk fill then indexes them all at once.
struct NameTable {
    const char* table;
    const char* key;
    const char* names; // the indexed columns, comma-separated
    const char* index;
    const char* waiting;
    const char* addTrigger;
};

constexpr NameTable kNameTables[] = {
    {"Fichiers", "NumFichier", "Fichier", "NomsFichiers", "NomsFichiersEnAttente", "NomsFichiersAjout"},
    {"Repertoires", "NumRepertoire", "RepertoireSeul, RepertoireParent", "NomsRepertoires",
     "NomsRepertoiresEnAttente", "NomsRepertoiresAjout"},
};

QString addTriggerSql(const NameTable& t) {
    QString newNames = QLatin1String(t.names);
    newNames.replace(QLatin1String(", "), QLatin1String(", new.")).prepend(QLatin1String("new."));
    return QStringLiteral(
               "CREATE TRIGGER IF NOT EXISTS %1 AFTER INSERT ON %2 BEGIN INSERT INTO %3(rowid, %4) "
               "VALUES (new.%5, %6); END;")
        .arg(QLatin1String(t.addTrigger), QLatin1String(t.table), QLatin1String(t.index),
             QLatin1String(t.names), QLatin1String(t.key), newNames);
}

// The directory rows' part of the deferral, added in place to the indexes of
// older builds, which indexed each directory row as it came (the index itself
// stays as it was).
const QString kDirectoryDeferral = QStringLiteral(R"(
DROP TRIGGER IF EXISTS NomsRepertoiresRetrait;
DROP TRIGGER IF EXISTS NomsRepertoiresChangement;
CREATE TABLE NomsRepertoiresEnAttente (Depuis INTEGER NOT NULL);
CREATE TRIGGER NomsRepertoiresRetrait AFTER DELETE ON Repertoires
    WHEN old.NumRepertoire <= coalesce((SELECT min(Depuis) FROM NomsRepertoiresEnAttente), old.NumRepertoire)
    BEGIN
    INSERT INTO NomsRepertoires(NomsRepertoires, rowid, RepertoireSeul, RepertoireParent)
        VALUES ('delete', old.NumRepertoire, old.RepertoireSeul, old.RepertoireParent);
END;
CREATE TRIGGER NomsRepertoiresChangement
    AFTER UPDATE OF NumRepertoire, RepertoireSeul, RepertoireParent ON Repertoires BEGIN
    INSERT INTO NomsRepertoires(NomsRepertoires, rowid, RepertoireSeul, RepertoireParent)
        SELECT 'delete', old.NumRepertoire, old.RepertoireSeul, old.RepertoireParent WHERE old.NumRepertoire <=
            coalesce((SELECT min(Depuis) FROM NomsRepertoiresEnAttente), old.NumRepertoire);
    INSERT INTO NomsRepertoires(rowid, RepertoireSeul, RepertoireParent)
        SELECT new.NumRepertoire, new.RepertoireSeul, new.RepertoireParent WHERE new.NumRepertoire <=
            coalesce((SELECT min(Depuis) FROM NomsRepertoiresEnAttente), new.NumRepertoire);
END;
)");

// External-content tables: the names stay only in their own tables, the index
// holds the trigrams and the column of each, without positions: searches ask
// for trigrams, not phrases, and the directory index is asked for one of its
// two names. (Without even the column, detail=none, the engine's cost of
// storing a batch grows with the rows already stored.) No sizes of columns
// either, which only ranking needs: storing them took half of a bulk fill.
// The delete and change triggers leave alone the rows still waiting, which the
// index does not hold yet. (Indexes made by older builds keep their sizes:
// building them again would hold up the first opening of a large collection.)
const QString kIndexSchema = QStringLiteral(R"(
CREATE VIRTUAL TABLE NomsFichiers USING fts5(Fichier, content='Fichiers', content_rowid='NumFichier',
    tokenize='trigram case_sensitive 0', detail='column', columnsize=0);
CREATE VIRTUAL TABLE NomsRepertoires USING fts5(RepertoireSeul, RepertoireParent, content='Repertoires',
    content_rowid='NumRepertoire', tokenize='trigram case_sensitive 0', detail='column', columnsize=0);
CREATE TABLE NomsFichiersEnAttente (Depuis INTEGER NOT NULL);
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
%1
%2
%3
%4
INSERT INTO NomsFichiers(NomsFichiers) VALUES ('rebuild');
INSERT INTO NomsRepertoires(NomsRepertoires) VALUES ('rebuild');
)");

// Names are gathered in 16 MiB of memory before they are written, rather than
// the engine's 1 MiB: a third less work merging the written pieces when a
// support's names go in at once. Kept in each index's own settings, set again
// before each bulk fill for the collections made before it.
QString bulkFillMemory(const NameTable& t) {
    return QStringLiteral("INSERT INTO %1(%1, rank) VALUES ('hashsize', 16777216);")
        .arg(QLatin1String(t.index));
}

// Every object of the index but the two insert triggers, which come and go,
// and the directories' waiting mark, which older builds did not make.
const QString kIndexObjects = QStringLiteral(
    "'NomsFichiers','NomsRepertoires','NomsFichiersEnAttente','NomsFichiersRetrait','NomsFichiersChangement',"
    "'NomsRepertoiresRetrait','NomsRepertoiresChangement'");
constexpr qint64 kIndexObjectCount = 7;
constexpr qint64 kAddTriggerCount = 2;

enum class IndexState { Unreadable, Whole, Deferred, Outdated, Broken };

// Whole: every object there and nothing waiting. Deferred: rows wait (their
// insert triggers gone, or left by an older build). Outdated: made by a build
// that did not put off the directory rows. Broken: missing or changed by hand.
IndexState indexState(Database& database) {
    Recordset rs = database.openRecordset(
        QStringLiteral(
            "SELECT count(*) AS n, sum(name IN ('NomsFichiersAjout', 'NomsRepertoiresAjout')) AS "
            "ajout, sum(name = 'NomsRepertoiresEnAttente') AS attente FROM sqlite_master WHERE name IN "
            "('NomsFichiersAjout', 'NomsRepertoiresAjout', 'NomsRepertoiresEnAttente', ") +
        kIndexObjects + QStringLiteral(")"));
    if (rs.eof())
        return IndexState::Unreadable;
    const qint64 addTriggers = rs.field(QStringLiteral("ajout")).toNumber();
    const qint64 directoryMark = rs.field(QStringLiteral("attente")).toNumber();
    if (rs.field(QStringLiteral("n")).toNumber() - addTriggers - directoryMark != kIndexObjectCount)
        return IndexState::Broken;
    if (directoryMark == 0)
        return IndexState::Outdated;
    rs.close();
    Recordset waiting =
        database.openRecordset(QStringLiteral("SELECT (SELECT count(*) FROM NomsFichiersEnAttente) + (SELECT "
                                              "count(*) FROM NomsRepertoiresEnAttente) "
                                              "AS n"));
    if (waiting.eof())
        return IndexState::Unreadable;
    if (waiting.field(QStringLiteral("n")).toNumber() > 0)
        return IndexState::Deferred;
    return addTriggers == kAddTriggerCount ? IndexState::Whole : IndexState::Broken;
}

// Drops what an interrupted or foreign change left of the index, so that it is
// built again whole.
bool dropIndexObjects(Database& database) {
    return database.execute(QStringLiteral(
        "DROP TRIGGER IF EXISTS NomsFichiersAjout; DROP TRIGGER IF EXISTS NomsFichiersRetrait;"
        "DROP TRIGGER IF EXISTS NomsFichiersChangement; DROP TRIGGER IF EXISTS NomsRepertoiresAjout;"
        "DROP TRIGGER IF EXISTS NomsRepertoiresRetrait; DROP TRIGGER IF EXISTS NomsRepertoiresChangement;"
        "DROP TABLE IF EXISTS NomsFichiers; DROP TABLE IF EXISTS NomsRepertoires;"
        "DROP TABLE IF EXISTS NomsFichiersEnAttente; DROP TABLE IF EXISTS NomsRepertoiresEnAttente;"));
}

// 1 when rows of `t` wait to be indexed, 0 when none, -1 when unreadable.
int waitingRows(Database& database, const NameTable& t) {
    Recordset rs = database.openRecordset(QStringLiteral("SELECT 1 FROM %1").arg(QLatin1String(t.waiting)));
    return !rs.ok() ? -1 : rs.eof() ? 0 : 1;
}

// Indexes the rows above the mark, puts the insert trigger back, clears the mark.
bool catchUp(Database& database, const NameTable& t) {
    const QString sql = QStringLiteral("INSERT INTO %1 (rowid, %2) SELECT %3, %2 FROM %4 WHERE %3 > "
                                       "(SELECT min(Depuis) FROM %5); DELETE FROM %5;")
                            .arg(QLatin1String(t.index), QLatin1String(t.names), QLatin1String(t.key),
                                 QLatin1String(t.table), QLatin1String(t.waiting));
    return database.execute(bulkFillMemory(t)) && database.execute(sql) && database.execute(addTriggerSql(t));
}

} // namespace

// While rows wait, only this exploration adds rows, at the end of each table:
// the rows above the mark are exactly those to index. Rows the exploration
// deletes meanwhile (an update's merge) are above it or were indexed; the
// delete and change triggers keep the index in step for the latter.
bool deferNameIndex(Database& database) {
    for (const NameTable& t : kNameTables)
        if (!database.execute(
                QStringLiteral("INSERT INTO %1 (Depuis) SELECT coalesce(max(%2), 0) FROM %3 WHERE "
                               "NOT EXISTS (SELECT 1 FROM %1); DROP TRIGGER IF EXISTS %4;")
                    .arg(QLatin1String(t.waiting), QLatin1String(t.key), QLatin1String(t.table),
                         QLatin1String(t.addTrigger))))
            return false;
    return true;
}

bool catchUpNameIndex(Database& database) {
    // Most openings find nothing waiting, and need not write.
    QList<const NameTable*> behind;
    for (const NameTable& t : kNameTables) {
        const int waiting = waitingRows(database, t);
        if (waiting < 0)
            return false;
        if (waiting > 0)
            behind << &t;
    }
    if (behind.isEmpty())
        return true;
    Transaction change(database);
    if (!change.active())
        return false;
    for (const NameTable* t : behind)
        if (!catchUp(database, *t))
            return false;
    return change.commit();
}

bool ensureNameIndex(Database& database) {
    IndexState state = indexState(database);
    if (state == IndexState::Outdated) {
        Transaction change(database);
        if (!change.active() || !database.execute(kDirectoryDeferral) || !change.commit())
            return false;
        state = indexState(database);
    }
    switch (state) {
    case IndexState::Unreadable:
    case IndexState::Outdated:
        return false;
    case IndexState::Whole:
        return true;
    case IndexState::Deferred:
        return catchUpNameIndex(database);
    case IndexState::Broken:
        break;
    }
    Transaction change(database);
    return change.active() && dropIndexObjects(database) &&
           database.execute(kIndexSchema.arg(
               kDirectoryDeferral, addTriggerSql(kNameTables[0]), addTriggerSql(kNameTables[1]),
               bulkFillMemory(kNameTables[0]) + bulkFillMemory(kNameTables[1]))) &&
           refreshPlannerStatistics(database) && change.commit();
}

} // namespace velmar::db
