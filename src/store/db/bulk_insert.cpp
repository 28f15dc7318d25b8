#include "store/db/bulk_insert.h"

#include <sqlite3.h>

namespace velmar::db {

bool BulkInsert::insert(const QVariantList& values) {
    return insertBound(boundRow(values));
}

bool BulkInsert::insertBound(const BoundRow& values) {
    if (!m_statement.isPrepared())
        return false;
    if (!m_statement.run(values)) {
        m_error = m_statement.error();
        return false;
    }
    m_error.clear();
    return true;
}

qint64 BulkInsert::lastInsertId() const {
    return m_handle ? sqlite3_last_insert_rowid(m_handle) : 0;
}

} // namespace velmar::db
