#include "store/catalogue_statistics.h"

#include "fileinfo/extension_table.h"

namespace velmar {

namespace {

const char* const kPerSupport =
    "SELECT s.NomSupport, COUNT(f.NumFichier), COALESCE(SUM(f.Taille), 0) FROM Supports s "
    "LEFT JOIN Fichiers f ON f.NumSupport = s.NumSupport AND f.Fichier<>'' "
    "WHERE ?1 = 0 OR s.NumSupport = ?1 GROUP BY s.NumSupport ORDER BY s.NomSupport";
const char* const kPerType =
    "SELECT upper(Extension), COUNT(*), SUM(Taille) FROM Fichiers WHERE Fichier<>'' "
    "AND (?1 = 0 OR NumSupport = ?1) GROUP BY upper(Extension) ORDER BY SUM(Taille) DESC, 1";
const char* const kLargest =
    "SELECT s.NomSupport, r.RepertoireParent, r.RepertoireSeul, f.Fichier, f.Taille FROM Fichiers f "
    "JOIN Supports s ON s.NumSupport = f.NumSupport LEFT JOIN Repertoires r ON r.NumRepertoire = "
    "f.NumRepertoire "
    "WHERE f.Fichier<>'' AND (?1 = 0 OR f.NumSupport = ?1) ORDER BY f.Taille DESC, f.NumFichier LIMIT ?2";

QString typeDescription(const QString& extension) {
    if (extension.isEmpty())
        return QStringLiteral("Fichiers sans extension");
    bool program = false;
    bool archive = false;
    return DescriptionTypeFichier(extension, program, archive).trimmed();
}

bool readFigures(db::Database& db, const char* sql, int support, QList<SpaceFigures>& figures,
                 QString& error) {
    db::Recordset rows = db.openRecordset(QString::fromLatin1(sql), {support});
    for (; rows.ok() && !rows.eof(); rows.moveNext())
        figures.append(
            {rows.field(0).toText(), QString(), rows.field(1).toNumber(), rows.field(2).toNumber()});
    error = rows.error();
    return rows.ok();
}

bool readLargest(db::Database& db, int support, QList<LargeFile>& largest, QString& error) {
    db::Recordset rows = db.openRecordset(QString::fromLatin1(kLargest), {support, kLargestFiles});
    for (; rows.ok() && !rows.eof(); rows.moveNext()) {
        const QString parent = rows.field(1).toText();
        const QString own = rows.field(2).toText();
        const QString directory = parent.isEmpty() ? own
                                  : own.isEmpty()  ? parent
                                                   : parent + QLatin1Char('\\') + own;
        const QString name = rows.field(3).toText();
        largest.append({rows.field(0).toText(),
                        directory.isEmpty() ? name : directory + QLatin1Char('\\') + name,
                        rows.field(4).toNumber()});
    }
    error = rows.error();
    return rows.ok();
}

} // namespace

bool gatherStatistics(db::Database& db, int support, CatalogueStatistics& statistics, QString& error) {
    statistics = {};
    if (!readFigures(db, kPerSupport, support, statistics.supports, error) ||
        !readFigures(db, kPerType, support, statistics.types, error) ||
        !readLargest(db, support, statistics.largest, error))
        return false;
    for (SpaceFigures& type : statistics.types) {
        type.description = typeDescription(type.name);
        statistics.files += type.files;
        statistics.bytes += type.bytes;
    }
    return true;
}

} // namespace velmar
