#include "store/support_merge.h"

#include "store/db/transaction.h"
#include "store/edited_comments.h"
#include "store/unfinished_explorations.h"
#include "store/volume_labels.h"

namespace velmar {

namespace {

// ?1 is the support explored afresh, ?2 the one it updates.
class MergeStatements {
public:
    MergeStatements(db::Database& db, int staging, int target)
        : m_db(db), m_staging(staging), m_target(target) {}

    bool run(const QString& sql) { return m_db.execute(sql, values(sql)); }
    qint64 number(const QString& sql) {
        db::Recordset rs = m_db.openRecordset(sql, values(sql));
        return rs.eof() ? -1 : rs.field(0).toNumber();
    }

private:
    // The engine takes exactly as many values as the highest parameter number.
    QVariantList values(const QString& sql) const {
        if (sql.contains(QLatin1String("?2")))
            return {m_staging, m_target};
        return sql.contains(QLatin1String("?1")) ? QVariantList{m_staging} : QVariantList{};
    }

    db::Database& m_db;
    int m_staging;
    int m_target;
};

// Each directory explored afresh, with the number of the one of the same path
// in the support updated (NULL for a new one); then each file likewise, and
// whether its size and date are the same.
bool matchRows(MergeStatements& sql) {
    return sql.run(QStringLiteral("CREATE TEMP TABLE IF NOT EXISTS MajRepertoires "
                                  "(Nouveau INTEGER PRIMARY KEY, Ancien INTEGER)")) &&
           sql.run(QStringLiteral("CREATE TEMP TABLE IF NOT EXISTS MajFichiers "
                                  "(Nouveau INTEGER PRIMARY KEY, Ancien INTEGER, Pareil INTEGER)")) &&
           sql.run(QStringLiteral("DELETE FROM MajRepertoires")) &&
           sql.run(QStringLiteral("DELETE FROM MajFichiers")) &&
           sql.run(QStringLiteral(
               "INSERT INTO MajRepertoires (Nouveau, Ancien) SELECT n.NumRepertoire, "
               "(SELECT min(o.NumRepertoire) FROM Repertoires o WHERE o.NumSupport = ?2 AND "
               "o.RepertoireParent = n.RepertoireParent AND o.RepertoireSeul = n.RepertoireSeul) "
               "FROM Repertoires n WHERE n.NumSupport = ?1")) &&
           // Names compare exactly: the column's own collation finds the
           // candidates through the index, the binary one decides.
           sql.run(QStringLiteral(
               "INSERT OR IGNORE INTO MajFichiers (Nouveau, Ancien, Pareil) "
               "SELECT n.NumFichier, o.NumFichier, o.Taille = n.Taille AND o.DerniereModif IS "
               "n.DerniereModif "
               "FROM Fichiers n JOIN MajRepertoires m ON m.Nouveau = n.NumRepertoire "
               "LEFT JOIN Fichiers o ON o.NumRepertoire = m.Ancien AND o.NumSupport = ?2 AND "
               "o.Extension = n.Extension AND o.Fichier = n.Fichier AND o.Fichier = n.Fichier COLLATE BINARY "
               "WHERE n.NumSupport = ?1"));
}

// The files of `target` not kept as they are, in a table of their own.
bool listFilesNotKept(db::Database& db, MergeStatements& sql, const PreviousFiles& previous) {
    if (!sql.run(QStringLiteral(
            "CREATE TEMP TABLE IF NOT EXISTS MajNonGardes (NumFichier INTEGER PRIMARY KEY)")) ||
        !sql.run(QStringLiteral("DELETE FROM MajNonGardes")))
        return false;
    db::BulkInsert insert = db.prepareInsert(QStringLiteral("MajNonGardes"), {QStringLiteral("NumFichier")});
    for (const qint64 number : previous.notKept())
        if (!insert.insert({number}))
            return false;
    return insert.ok();
}

bool countChanges(MergeStatements& sql, const PreviousFiles& previous, UpdateSummary& summary) {
    const qint64 notKept = sql.number(QStringLiteral("SELECT count(*) FROM MajNonGardes"));
    const qint64 found = sql.number(QStringLiteral("SELECT count(Ancien) FROM MajFichiers"));
    const qint64 all = sql.number(QStringLiteral("SELECT count(*) FROM MajFichiers"));
    const qint64 same = sql.number(QStringLiteral("SELECT count(*) FROM MajFichiers WHERE Pareil"));
    if (notKept < 0 || found < 0 || all < 0 || same < 0)
        return false;
    summary.added = all - found;
    summary.modified = found - same;
    summary.unchanged = previous.keptCount() + same;
    summary.deleted = notKept - found;
    return true;
}

bool updateMatchedFiles(MergeStatements& sql) {
    return sql.run(
               QStringLiteral("UPDATE Fichiers AS o SET Taille = n.Taille, DerniereModif = n.DerniereModif, "
                              "CRC = n.CRC, Infos = CASE WHEN ") +
               commentEditedCondition(QStringLiteral("o")) +
               QStringLiteral(" THEN o.Infos ELSE n.Infos END "
                              "FROM MajFichiers m JOIN Fichiers n ON n.NumFichier = m.Nouveau "
                              "WHERE o.NumFichier = m.Ancien AND NOT m.Pareil")) &&
           sql.run(
               QStringLiteral("UPDATE Fichiers AS o SET CRC = n.CRC "
                              "FROM MajFichiers m JOIN Fichiers n ON n.NumFichier = m.Nouveau "
                              "WHERE o.NumFichier = m.Ancien AND m.Pareil AND o.CRC = '' AND n.CRC <> ''"));
}

// The rows of the support updated that were found again stay; the others go,
// and the new ones move over under the directories that stayed.
bool moveRows(MergeStatements& sql) {
    return sql.run(QStringLiteral(
               "DELETE FROM Fichiers WHERE NumSupport = ?2 AND NumFichier IN (SELECT NumFichier "
               "FROM MajNonGardes EXCEPT SELECT Ancien FROM MajFichiers)")) &&
           sql.run(QStringLiteral("DELETE FROM Fichiers WHERE NumFichier IN (SELECT Nouveau FROM MajFichiers "
                                  "WHERE Ancien IS NOT NULL)")) &&
           sql.run(QStringLiteral(
               "UPDATE Fichiers SET NumSupport = ?2, NumRepertoire = (SELECT coalesce(m.Ancien, "
               "m.Nouveau) FROM MajRepertoires m WHERE m.Nouveau = Fichiers.NumRepertoire) "
               "WHERE NumSupport = ?1")) &&
           sql.run(QStringLiteral("DELETE FROM Repertoires WHERE NumSupport = ?2 AND NumRepertoire NOT IN "
                                  "(SELECT Ancien FROM MajRepertoires WHERE Ancien IS NOT NULL)")) &&
           sql.run(QStringLiteral("DELETE FROM Repertoires WHERE NumRepertoire IN "
                                  "(SELECT Nouveau FROM MajRepertoires WHERE Ancien IS NOT NULL)")) &&
           sql.run(QStringLiteral(
               "UPDATE Repertoires SET NumSupport = ?2, NumRepertoireParent = coalesce((SELECT "
               "m.Ancien FROM MajRepertoires m WHERE m.Nouveau = Repertoires.NumRepertoireParent), "
               "NumRepertoireParent) WHERE NumSupport = ?1"));
}

bool replaceSupportRow(MergeStatements& sql) {
    return sql.run(QStringLiteral(
               "UPDATE Supports SET (Identifiant, DernierLecteurAttribue) = "
               "(SELECT Identifiant, DernierLecteurAttribue FROM Supports WHERE NumSupport = ?1) "
               "WHERE NumSupport = ?2")) &&
           sql.run(QStringLiteral("INSERT OR REPLACE INTO EtiquettesVolumes (NumSupport, Etiquette) "
                                  "SELECT ?2, Etiquette FROM EtiquettesVolumes WHERE NumSupport = ?1")) &&
           sql.run(QStringLiteral("DELETE FROM EtiquettesVolumes WHERE NumSupport = ?1")) &&
           sql.run(QStringLiteral("DELETE FROM Supports WHERE NumSupport = ?1")) &&
           sql.run(QStringLiteral("DELETE FROM MajRepertoires")) &&
           sql.run(QStringLiteral("DELETE FROM MajFichiers"));
}

} // namespace

PreviousFiles LoadPreviousFiles(db::Database& db, int support) {
    PreviousFiles files;
    for (db::Recordset rs = db.openRecordset(
             QStringLiteral(
                 "SELECT r.RepertoireParent, r.RepertoireSeul, f.Fichier, f.Taille, f.DerniereModif, "
                 "f.CRC <> '', f.NumFichier FROM Fichiers f JOIN Repertoires r ON r.NumRepertoire = "
                 "f.NumRepertoire "
                 "WHERE f.NumSupport = ?"),
             {support});
         !rs.eof(); rs.moveNext()) {
        const QString parent = rs.field(0).toText();
        const QString own = rs.field(1).toText();
        const QString directory = parent.isEmpty() ? own : parent + QLatin1Char('\\') + own;
        files.add(directory, rs.field(2).toText(), rs.field(6).toNumber(), rs.field(3).toNumber(),
                  rs.field(4).isNull() ? QString() : rs.field(4).toText(), rs.field(5).toNumber() != 0);
    }
    return files;
}

bool MergeSupportUpdate(db::Database& db, int staging, int target, const PreviousFiles& previous,
                        UpdateSummary& summary) {
    MergeStatements sql(db, staging, target);
    if (!ensureEditedComments(db) || !ensureVolumeLabels(db))
        return false;
    db::Transaction merge(db, db::Transaction::Start::Immediate);
    UpdateSummary counted;
    if (!merge.active() || !listFilesNotKept(db, sql, previous) || !matchRows(sql) ||
        !countChanges(sql, previous, counted) || !updateMatchedFiles(sql) || !moveRows(sql) ||
        !replaceSupportRow(sql) || !MarkExplorationFinished(db, staging) || !merge.commit())
        return false;
    summary = counted;
    return true;
}

} // namespace velmar
