#pragma once

// The model collection database, built from data/Base/schema.sql (embedded at
// build time). The data tool lays out Data/Base/Base.mdb with it.

#include <QString>

namespace velmar {

// The schema's SQL text.
QString modelDatabaseSchema();

// Creates a new model database file at `path` (which must not exist yet).
// On failure `error` holds the reason and no file is left behind.
bool createModelDatabase(const QString& path, QString& error);

} // namespace velmar
