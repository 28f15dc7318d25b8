#pragma once

// What the layer's classes share of the engine's C API: reading its reasons
// and columns, naming tables and columns in statements they build. Only the
// files of this folder include it.

#include <QString>
#include <QVariant>

struct sqlite3;
struct sqlite3_stmt;

namespace velmar::db {

// The engine's reason for its last failure on `handle`, or that the database
// is closed when there is no handle.
QString engineReason(sqlite3* handle);

// Column `i` of the current row, NULL as a null QVariant.
QVariant readColumn(sqlite3_stmt* statement, int i);

// Brackets, not double quotes: internal statements may pass through the
// dialect rewrite, which reads double quotes as text values.
QString quoteIdentifier(const QString& name);

} // namespace velmar::db
