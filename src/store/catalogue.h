#pragma once

// Store operations on the open collection's tables Supports, Repertoires and
// Fichiers. Each sends its SQL text as written for the catalogue; lookups that
// find nothing show their message and return a neutral value.

#include "store/db/database.h"

#include <QString>

namespace velmar {

class CollectionsRegistry;

QString GetSupportName(db::Database& db, int support, int& supportType);
bool FindSupportByName(db::Database& db, const QString& name, int& support);
qint64 CountSupportsWithIdentifiant(db::Database& db, const QString& serial);
// The serial number is the volume's signed 32-bit serial.
bool AddSupport(db::Database& db, const QString& name, const QString& drive, int supportType, qint64 serial);
// By name when it is not empty, by number otherwise. Sizes are 64-bit.
bool UpdateSupportTotals(db::Database& db, const QString& name, int support);

int FindDirectory(db::Database& db, const QString& path, int support);
struct DirectoryFields {
    QString parentPath;
    QString ownName;
    qint64 parentNumber = 0;
};
QString GetDirectoryPath(db::Database& db, qint64 directory, int support, DirectoryFields& fields);
qint64 FindRootDirectory(db::Database& db, int support);

db::Recordset ListSubdirectories(db::Database& db, int support, qint64 parent);
db::Recordset ListSupports(db::Database& db);
// `extensionClause` is the file-list filter's clause, "" for none.
db::Recordset ListDirectoryFiles(db::Database& db, int support, qint64 directory,
                                 const QString& extensionClause);

qint64 CountSupportDirectories(db::Database& db, int support);
qint64 CountCatalogueFiles(db::Database& db);
// The same count over a connection of its own to the collection file, for a
// thread other than the window's; -1 when the file cannot be read.
qint64 CountCatalogueFiles(const QString& collectionFile);

// The six digits shown for a file count (the first six characters of the
// count padded with "0" to six), and the picture file of each.
QString catalogueDigits(qint64 count);
QStringList catalogueDigitPictures(const QString& dataDir, qint64 count);

} // namespace velmar
