#pragma once

// A data directory in a temporary folder with the model database laid out,
// and helpers to fill a collection file with rows.

#include "store/db/database.h"
#include "store/store_paths.h"

#include <QTemporaryDir>

namespace velmar::test {

class CollectionFixture {
public:
    CollectionFixture();
    bool valid() const { return m_valid; }
    const StorePaths& paths() const { return m_paths; }
    // A new collection file (a copy of the model) at `path`.
    bool makeCollectionFile(const QString& path) const;
    // The Ini lists an exploration reads, empty.
    bool writeEmptyIniLists() const;
    // Each row of the query on collection file n, fields joined by '|'.
    QStringList rows(const QString& sql, int collection = 1) const;

private:
    QTemporaryDir m_dir;
    StorePaths m_paths;
    bool m_valid = false;
};

// Inserts a file row; returns false on failure.
bool addFileRow(db::Database& db, int support, qint64 directory, const QString& name,
                const QString& extension, qint64 size);

} // namespace velmar::test
