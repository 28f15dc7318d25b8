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

bool BulkInsert::insertAll(const std::vector<BoundRow>& rows) {
    if (!m_statement.isPrepared())
        return false;
    QString failure;
    std::size_t done = 0;
    // A group that fails stores nothing: its rows go again one by one, so that
    // only the faulty row is missing.
    auto rowByRow = [&](std::size_t end) {
        for (; done < end; ++done)
            if (!m_statement.run(rows[done]))
                failure = m_statement.error();
    };
    for (; m_group.isPrepared() && rows.size() - done >= kGroupRows;)
        if (m_group.run(&rows[done], kGroupRows))
            done += kGroupRows;
        else
            rowByRow(done + kGroupRows);
    rowByRow(rows.size());
    m_error = failure;
    return failure.isEmpty();
}

qint64 BulkInsert::lastInsertId() const {
    return m_handle ? sqlite3_last_insert_rowid(m_handle) : 0;
}

} // namespace velmar::db
