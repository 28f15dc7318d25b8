#include "store/db_name_index.h"

#include "store/db.h"
#include "store/db_statistics.h"

namespace velmar::db {

namespace {

// External-content tables: the names stay only in their own tables, the index
// holds the trigrams. The file index keeps no positions (detail=none), which
// makes it smaller and faster to fill; the directory index keeps the column of
// each trigram so that a search can ask for one of the two names.
const QString kIndexSchema = QStringLiteral(R"(
CREATE VIRTUAL TABLE NomsFichiers USING fts5(Fichier, content='Fichiers', content_rowid='NumFichier',
    tokenize='trigram case_sensitive 0', detail='none');
CREATE VIRTUAL TABLE NomsRepertoires USING fts5(RepertoireSeul, RepertoireParent, content='Repertoires',
    content_rowid='NumRepertoire', tokenize='trigram case_sensitive 0', detail='column');
CREATE TRIGGER NomsFichiersAjout AFTER INSERT ON Fichiers BEGIN
    INSERT INTO NomsFichiers(rowid, Fichier) VALUES (new.NumFichier, new.Fichier);
END;
CREATE TRIGGER NomsFichiersRetrait AFTER DELETE ON Fichiers BEGIN
    INSERT INTO NomsFichiers(NomsFichiers, rowid, Fichier) VALUES ('delete', old.NumFichier, old.Fichier);
END;
CREATE TRIGGER NomsFichiersChangement AFTER UPDATE OF NumFichier, Fichier ON Fichiers BEGIN
    INSERT INTO NomsFichiers(NomsFichiers, rowid, Fichier) VALUES ('delete', old.NumFichier, old.Fichier);
    INSERT INTO NomsFichiers(rowid, Fichier) VALUES (new.NumFichier, new.Fichier);
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
INSERT INTO NomsFichiers(NomsFichiers) VALUES ('rebuild');
INSERT INTO NomsRepertoires(NomsRepertoires) VALUES ('rebuild');
)");

const QString kIndexObjects = QStringLiteral(
    "'NomsFichiers','NomsRepertoires','NomsFichiersAjout','NomsFichiersRetrait','NomsFichiersChangement',"
    "'NomsRepertoiresAjout','NomsRepertoiresRetrait','NomsRepertoiresChangement'");
constexpr qint64 kIndexObjectCount = 8;

qint64 indexObjectsPresent(Database& database) {
    Recordset rs =
        database.openRecordset(QStringLiteral("SELECT count(*) AS n FROM sqlite_master WHERE name IN (") +
                               kIndexObjects + QStringLiteral(")"));
    return rs.eof() ? -1 : rs.field(QStringLiteral("n")).toNumber();
}

// Drops what an interrupted or foreign change left of the index, so that it is
// built again whole.
bool dropIndexObjects(Database& database) {
    return database.execute(QStringLiteral(
        "DROP TRIGGER IF EXISTS NomsFichiersAjout; DROP TRIGGER IF EXISTS NomsFichiersRetrait;"
        "DROP TRIGGER IF EXISTS NomsFichiersChangement; DROP TRIGGER IF EXISTS NomsRepertoiresAjout;"
        "DROP TRIGGER IF EXISTS NomsRepertoiresRetrait; DROP TRIGGER IF EXISTS NomsRepertoiresChangement;"
        "DROP TABLE IF EXISTS NomsFichiers; DROP TABLE IF EXISTS NomsRepertoires;"));
}

} // namespace

bool ensureNameIndex(Database& database) {
    const qint64 present = indexObjectsPresent(database);
    if (present == kIndexObjectCount)
        return true;
    if (present < 0)
        return false;
    Transaction change(database);
    return change.active() && (present == 0 || dropIndexObjects(database)) &&
           database.execute(kIndexSchema) && refreshPlannerStatistics(database) && change.commit();
}

} // namespace velmar::db
