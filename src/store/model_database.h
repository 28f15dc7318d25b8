#pragma once

#include <QString>

namespace velmar {

// Creates the model database (the three empty tables and their indexes) at
// `path`, which must not exist yet; on failure `error` says why.
bool createModelDatabase(const QString& path, QString& error);

// The schema's SQL, as shipped in data/Base/schema.sql.
const char* modelSchema();

} // namespace velmar
