#pragma once

// Where the space of a collection goes: files and bytes per support, per type
// (the extension table's descriptions), and the largest files.

#include "store/db/database.h"

#include <QList>
#include <QString>

namespace velmar {

struct SpaceFigures {
    QString name;        // a support's name, or an extension ("" for files without one)
    QString description; // types only: the extension table's description
    qint64 files = 0;
    qint64 bytes = 0;
};

struct LargeFile {
    QString support;
    QString path; // directory and name, "\"-separated
    qint64 size = 0;
};

struct CatalogueStatistics {
    QList<SpaceFigures> supports; // by name
    QList<SpaceFigures> types;    // most bytes first
    QList<LargeFile> largest;     // largest first, at most kLargestFiles
    qint64 files = 0;
    qint64 bytes = 0;
};

constexpr int kLargestFiles = 20;

// The figures of the collection, or of the support numbered `support` (0: all).
bool gatherStatistics(db::Database& db, int support, CatalogueStatistics& statistics, QString& error);

} // namespace velmar
