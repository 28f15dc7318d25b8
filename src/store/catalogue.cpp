#include "store/catalogue.h"

#include "app/dialogs.h"
#include "app/text.h"
#include "store/registry.h"

namespace velmar {

namespace {

const QString supportMissing = QStringLiteral("Ce support n'existe pas !");

} // namespace

QString GetSupportName(db::Database& db, int support, int& supportType) {
    db::Recordset rs =
        db.openRecordset("SELECT * FROM Supports WHERE NumSupport = " + NombreEnTexte(support) + " ;");
    if (rs.eof()) {
        dialogs().message(supportMissing, MessageStyle::Exclamation);
        return QStringLiteral("Inconnu");
    }
    supportType = static_cast<int>(numericValue(rs.field(QStringLiteral("TypeSupport")).toText()));
    return rs.field(QStringLiteral("NomSupport")).toText();
}

bool FindSupportByName(db::Database& db, const QString& name, int& support) {
    const QString wanted = name.toUpper();
    for (db::Recordset rs = db.openRecordset(QStringLiteral("SELECT * FROM Supports ;")); !rs.eof();
         rs.moveNext()) {
        if (rs.field(QStringLiteral("NomSupport")).toText().toUpper() == wanted) {
            support = static_cast<int>(rs.field(QStringLiteral("NumSupport")).toNumber());
            return true;
        }
    }
    return false;
}

qint64 CountSupportsWithIdentifiant(db::Database& db, const QString& serial) {
    qint64 rows = 0;
    for (db::Recordset rs =
             db.openRecordset("SELECT * FROM Supports WHERE Identifiant=" + sqlQuote(serial) + ";");
         !rs.eof(); rs.moveNext())
        ++rows;
    return rows;
}

bool AddSupport(db::Database& db, const QString& name, const QString& drive, int supportType, qint64 serial) {
    const QString cut = name.left(50);
    int existing = 0;
    if (FindSupportByName(db, cut, existing)) {
        dialogs().message(QStringLiteral("Ce nom de support existe déjà dans la collection !"),
                          MessageStyle::Exclamation);
        return false;
    }
    db::Recordset rs = db.openRecordset(QStringLiteral("SELECT * FROM Supports ;"));
    const bool stored = rs.addNew() && rs.setField(QStringLiteral("NomSupport"), cut) &&
                        rs.setField(QStringLiteral("TailleSupport"), qint64{0}) &&
                        rs.setField(QStringLiteral("DernierLecteurAttribue"), drive.left(1)) &&
                        rs.setField(QStringLiteral("Identifiant"), NombreEnTexte(serial).left(20)) &&
                        rs.setField(QStringLiteral("TypeSupport"), supportType) &&
                        rs.setField(QStringLiteral("NbFichiersSupport"), qint64{0}) && rs.update();
    rs.close();
    return stored;
}

bool UpdateSupportTotals(db::Database& db, const QString& name, int support) {
    if (name.isEmpty() && support == 0) {
        dialogs().message(QStringLiteral("Renseignez le nom ou le numéro du support !"),
                          MessageStyle::Exclamation);
        return false;
    }
    if (!name.isEmpty() && !FindSupportByName(db, name, support)) {
        dialogs().message(supportMissing, MessageStyle::Exclamation);
        return false;
    }
    db::Recordset row =
        db.openRecordset("SELECT * FROM Supports WHERE NumSupport = " + NombreEnTexte(support) + " ;");
    if (row.eof()) {
        dialogs().message(supportMissing, MessageStyle::Exclamation);
        return false;
    }
    db::Recordset totals = db.openRecordset(
        "SELECT COUNT(*) AS NumFichiers, SUM(Taille) AS TailleFichiers  FROM Fichiers WHERE NumSupport = " +
        NombreEnTexte(support) + " ;");
    if (!totals.ok())
        return false;
    return row.edit() &&
           row.setField(QStringLiteral("NbFichiersSupport"),
                        totals.field(QStringLiteral("NumFichiers")).toNumber()) &&
           row.setField(QStringLiteral("TailleSupport"),
                        totals.field(QStringLiteral("TailleFichiers")).toNumber()) &&
           row.update();
}

int FindDirectory(db::Database& db, const QString& path, int support) {
    QString p = path;
    if (p.endsWith(QLatin1Char('\\')))
        p.chop(1);
    const qsizetype cut = p.lastIndexOf(QLatin1Char('\\'));
    const QString name = cut < 0 ? p : p.mid(cut + 1);
    const QString parent = cut < 0 ? QString() : p.left(cut);
    db::Recordset rs = db.openRecordset("SELECT * FROM Repertoires WHERE RepertoireSeul=" + sqlQuote(name) +
                                        " AND RepertoireParent=" + sqlQuote(parent) +
                                        " AND NumSupport = " + NombreEnTexte(support) + " ;");
    return rs.eof() ? 0 : static_cast<int>(rs.field(QStringLiteral("NumRepertoire")).toNumber());
}

QString GetDirectoryPath(db::Database& db, qint64 directory, int support, DirectoryFields& fields) {
    db::Recordset rs =
        db.openRecordset("SELECT * FROM Repertoires WHERE NumRepertoire=" + NombreEnTexte(directory) +
                         " AND NumSupport = " + NombreEnTexte(support) + " ;");
    if (rs.eof()) {
        dialogs().message("Le répertoire n° " + NombreEnTexte(directory) + " n'existe pas !",
                          MessageStyle::Exclamation);
        return QStringLiteral("Inconnu");
    }
    fields.parentPath = rs.field(QStringLiteral("RepertoireParent")).toText();
    fields.ownName = rs.field(QStringLiteral("RepertoireSeul")).toText();
    fields.parentNumber = rs.field(QStringLiteral("NumRepertoireParent")).toNumber();
    return fields.parentPath.isEmpty() ? fields.ownName
                                       : fields.parentPath + QLatin1Char('\\') + fields.ownName;
}

qint64 FindRootDirectory(db::Database& db, int support) {
    db::Recordset rs = db.openRecordset(
        "SELECT * FROM Repertoires WHERE NumRepertoireParent=0 AND RepertoireSeul = '' AND NumSupport = " +
        NombreEnTexte(support) + " ;");
    return rs.eof() ? 0 : rs.field(QStringLiteral("NumRepertoire")).toNumber();
}

db::Recordset ListSubdirectories(db::Database& db, int support, qint64 parent) {
    return db.openRecordset("SELECT * FROM Repertoires" + QStringLiteral(" WHERE NumSupport =") +
                            NombreEnTexte(support) + " AND NumRepertoireParent=" + NombreEnTexte(parent) +
                            " AND RepertoireSeul<>'' ORDER BY NumRepertoire;");
}

db::Recordset ListSupports(db::Database& db) {
    return db.openRecordset(QStringLiteral("SELECT * FROM Supports ORDER BY NomSupport"));
}

db::Recordset ListDirectoryFiles(db::Database& db, int support, qint64 directory,
                                 const QString& extensionClause) {
    return db.openRecordset("SELECT * FROM Fichiers" + QStringLiteral(" WHERE NumRepertoire = ") +
                            NombreEnTexte(directory) + " AND NumSupport = " + NombreEnTexte(support) +
                            extensionClause + " ORDER BY Extension, Fichier");
}

qint64 CountSupportDirectories(db::Database& db, int support) {
    db::Recordset rs = db.openRecordset(
        "SELECT COUNT(*) AS NbRep FROM Repertoires WHERE NumSupport=" + NombreEnTexte(support) + " ;");
    return rs.field(QStringLiteral("NbRep")).toNumber();
}

qint64 CountCatalogueFiles(db::Database& db) {
    db::Recordset rs =
        db.openRecordset(QStringLiteral("SELECT COUNT(*) AS NbFichiers FROM Fichiers WHERE Fichier<>''"));
    return rs.field(QStringLiteral("NbFichiers")).toNumber();
}

qint64 CountCatalogueFiles(const QString& collectionFile) {
    db::Database db;
    if (!db.open(collectionFile))
        return -1;
    db::Recordset rs =
        db.openRecordset(QStringLiteral("SELECT COUNT(*) AS NbFichiers FROM Fichiers WHERE Fichier<>''"));
    return rs.ok() ? rs.field(QStringLiteral("NbFichiers")).toNumber() : -1;
}

QString catalogueDigits(qint64 count) {
    return QString::number(count).rightJustified(6, QLatin1Char('0')).left(6);
}

QStringList catalogueDigitPictures(const QString& dataDir, qint64 count) {
    const StorePaths paths = StorePaths::fromDataDir(dataDir);
    QStringList pictures;
    for (const QChar digit : catalogueDigits(count))
        pictures << paths.digitPicture(digit);
    return pictures;
}

} // namespace velmar
