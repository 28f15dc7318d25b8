#pragma once

// The file list of one directory: its lines in extension and name order, the
// summary shown under it and the extensions the filter menu offers.

#include "store/db/database.h"

#include <QList>
#include <QString>
#include <QStringList>

namespace velmar {

struct FileListItem {
    QString key; // "FIC-" + NumFichier
    qint64 file = 0;
    QString name;
    QString extension;
    QString infos;     // line breaks shown as blanks
    QString size;      // size phrase, "vide" for an empty file
    QString modified;  // as stored: "2003-05-17 14:02:00"
    bool bold = false; // EXE files stand out
};

struct DirectoryListing {
    QList<FileListItem> items;
    qint64 totalBytes = 0;
    QStringList shownExtensions; // those named in the summary, in list order
    bool moreExtensions = false; // the summary ends with "..."
    QStringList menuExtensions;  // upper case, empty while a filter is active
    QString summary;             // "12 fichiers - 1,5 Mo (JPG, TXT)"
};

// `filter` is the file list's extension filter ("JPG;BMP"), "" for none.
DirectoryListing listDirectory(db::Database& db, int support, qint64 directory, const QString& filter);

// The information text as one line.
QString infosOnOneLine(QString infos);

} // namespace velmar
