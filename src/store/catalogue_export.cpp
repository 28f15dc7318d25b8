#include "store/catalogue_export.h"

#include "store/db/transaction.h"
#include "store/export_writers.h"
#include "store/search_condition.h"

#include <memory>

namespace velmar {

namespace {

// In the order of the export: each support's directories depth first (the
// separator sorted below every character, so that "a\\b" comes between "a"
// and "a b"), each directory's files by name.
const char* const kExportRows =
    "SELECT s.NomSupport, r.RepertoireParent, r.RepertoireSeul, f.Fichier, f.Extension, f.Taille, "
    "f.DerniereModif, f.CRC, f.Infos FROM Fichiers f JOIN Supports s ON s.NumSupport = f.NumSupport "
    "LEFT JOIN Repertoires r ON r.NumRepertoire = f.NumRepertoire "
    "WHERE f.Fichier<>'' AND (?1 = 0 OR f.NumSupport = ?1) %1"
    "ORDER BY s.NomSupport, f.NumSupport, "
    "replace(coalesce(r.RepertoireParent, '') || char(92) || coalesce(r.RepertoireSeul, ''), char(92), "
    "char(1)), "
    "f.Fichier, f.NumFichier";

QString directoryOf(const QString& parent, const QString& own) {
    return parent.isEmpty() ? own : own.isEmpty() ? parent : parent + QLatin1Char('\\') + own;
}

// The catalogue keeps "2026-12-07 12:43:23".
QString isoDate(const QString& stored) {
    QString iso = stored.trimmed();
    if (iso.size() > 10 && iso.at(10) == QLatin1Char(' '))
        iso[10] = QLatin1Char('T');
    return iso;
}

ExportedFile exportedFile(const db::Recordset& row) {
    ExportedFile f;
    f.support = row.field(0).toText();
    f.directory = directoryOf(row.field(1).toText(), row.field(2).toText());
    f.name = row.field(3).toText();
    f.extension = row.field(4).toText();
    f.size = row.field(5).toNumber();
    f.modified = isoDate(row.field(6).toText());
    f.crc = row.field(7).toText();
    f.infos = row.field(8).toText();
    return f;
}

bool writeRows(db::Database& db, int support, const QString& onlyFiles, ExportFormat format, QIODevice& out,
               QString& error) {
    const std::unique_ptr<ExportWriter> writer = exportWriter(format, out);
    db::Recordset rows = db.openRecordset(QString::fromLatin1(kExportRows).arg(onlyFiles), {support});
    writer->begin();
    for (; rows.ok() && !rows.eof(); rows.moveNext())
        writer->add(exportedFile(rows));
    if (!rows.ok()) {
        error = rows.error();
        return false;
    }
    writer->end();
    if (writer->failed()) {
        error = out.errorString();
        return false;
    }
    return true;
}

// The numbers of the search's files, in a temporary table the export joins.
bool keepSearchedFiles(db::Database& db, const QString& condition, QString& error) {
    db::BulkInsert insert;
    if (db.execute(QStringLiteral("DROP TABLE IF EXISTS temp.Exportes")) &&
        db.execute(QStringLiteral("CREATE TEMP TABLE Exportes (NumFichier INTEGER PRIMARY KEY)")))
        insert = db.prepareInsert(QStringLiteral("Exportes"), {QStringLiteral("NumFichier")});
    if (!insert.ok()) {
        error = db.lastError();
        return false;
    }
    db::Recordset found = db.openRecordset(searchQuery(condition));
    for (; found.ok() && !found.eof(); found.moveNext())
        if (!insert.insert({found.field(QStringLiteral("NumFichier")).toNumber()})) {
            error = insert.error();
            return false;
        }
    error = found.error();
    return found.ok();
}

} // namespace

bool exportFormatNamed(const QString& name, ExportFormat& format) {
    const QString lower = name.toLower();
    if (lower == QLatin1String("csv"))
        format = ExportFormat::Csv;
    else if (lower == QLatin1String("json"))
        format = ExportFormat::Json;
    else if (lower == QLatin1String("html"))
        format = ExportFormat::Html;
    else
        return false;
    return true;
}

bool exportCatalogue(db::Database& db, int support, ExportFormat format, QIODevice& out, QString& error) {
    return writeRows(db, support, QString(), format, out, error);
}

bool exportSearchResults(db::Database& db, const QString& condition, ExportFormat format, QIODevice& out,
                         QString& error) {
    db::Transaction batch(db);
    const bool written =
        keepSearchedFiles(db, condition, error) &&
        writeRows(db, 0, QStringLiteral("AND f.NumFichier IN (SELECT NumFichier FROM temp.Exportes) "),
                  format, out, error);
    db.execute(QStringLiteral("DROP TABLE IF EXISTS temp.Exportes"));
    return written;
}

} // namespace velmar
