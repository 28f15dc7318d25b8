#pragma once

// Each row of a query as its fields joined by '|', so that a test compares a
// table's content with one list.

#include "store/db/database.h"

#include <QStringList>

namespace velmar::test {

QStringList queryRows(db::Database& database, const QString& sql);

} // namespace velmar::test
