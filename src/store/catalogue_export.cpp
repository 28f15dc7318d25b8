#include "store/catalogue_export.h"

#include "store/export_writers.h"

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
    "WHERE f.Fichier<>'' AND (?1 = 0 OR f.NumSupport = ?1) "
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
    const std::unique_ptr<ExportWriter> writer = exportWriter(format, out);
    db::Recordset rows = db.openRecordset(QString::fromLatin1(kExportRows), {support});
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

} // namespace velmar
