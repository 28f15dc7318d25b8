#pragma once

// One prepared INSERT reused for many rows: the fast path of the exploration.

#include "store/db/bound_value.h"
#include "store/db/statement.h"

#include <QString>
#include <QVariantList>

#include <vector>

struct sqlite3;

namespace velmar::db {

class BulkInsert {
public:
    BulkInsert() = default;

    bool ok() const { return m_statement.isPrepared() && m_error.isEmpty(); }
    const QString& error() const { return m_error; }
    // One value per column given at preparation, in that order.
    bool insert(const QVariantList& values);
    bool insertBound(const BoundRow& values);
    // The rows in order, by groups in one statement where they can be: each
    // statement the engine runs opens and closes the table and its indexes,
    // which for a single file row cost as much as storing it. False when a
    // group or row failed (the others are still stored): error() says why.
    bool insertAll(const std::vector<BoundRow>& rows);
    qint64 lastInsertId() const;

    static constexpr std::size_t kGroupRows = 32;

private:
    friend class Database;
    sqlite3* m_handle = nullptr;
    Statement m_statement;
    Statement m_group; // kGroupRows rows at once
    QString m_error;
};

} // namespace velmar::db
