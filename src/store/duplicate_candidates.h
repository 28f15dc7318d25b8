#pragma once

// The files that may be duplicates, found without sorting the catalogue: one
// scan hashes each named file's keys (its size with its CRC, its size with its
// name); a key met once cannot link two files. A hash collision only lets an
// extra file through: the grouping compares the keys themselves.

#include "store/db/database.h"
#include "store/duplicates.h"

#include <QList>
#include <QString>

namespace velmar {

// A name as the catalogue compares names: ASCII letters without case.
QString catalogueNameKey(const QString& name);

// The numbers of the files that may belong to a group under `search`.
bool duplicateCandidates(db::Database& db, const DuplicateSearch& search, QList<qint64>& files,
                         QString& error);

} // namespace velmar
