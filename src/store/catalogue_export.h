#pragma once

// The catalogue written out as a file: CSV (RFC 4180, UTF-8), JSON nested by
// support and directory, or one self-contained HTML page with the tree of
// directories and a search box. Rows are read and written one at a time, so a
// million files never sit in memory (JSON and HTML too).

#include "store/db/database.h"

#include <QIODevice>
#include <QString>

namespace velmar {

enum class ExportFormat { Csv, Json, Html };

// "csv", "json", "html"; false for any other name.
bool exportFormatNamed(const QString& name, ExportFormat& format);

struct ExportedFile {
    QString support;
    QString directory; // "\"-separated as the catalogue shows it, "" for the starting directory
    QString name;
    QString extension;
    qint64 size = 0;
    QString modified; // ISO 8601, "2026-12-07T12:43:23"; "" when unknown
    QString crc;
    QString infos;
};

// Every named file of the collection, or of the support numbered `support`
// (0: all), written to `out`. False with the reason in `error` when the
// engine or the device fails.
bool exportCatalogue(db::Database& db, int support, ExportFormat format, QIODevice& out, QString& error);

// The files a search with `condition` finds (the search's own query, see
// search_condition.h), in the export's order rather than the search's.
bool exportSearchResults(db::Database& db, const QString& condition, ExportFormat format, QIODevice& out,
                         QString& error);

} // namespace velmar
