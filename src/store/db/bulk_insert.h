#pragma once

// One prepared INSERT reused for many rows: the fast path of the exploration.

#include "store/db/bound_value.h"
#include "store/db/statement.h"

#include <QString>
#include <QVariantList>

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
    qint64 lastInsertId() const;

private:
    friend class Database;
    sqlite3* m_handle = nullptr;
    Statement m_statement;
    QString m_error;
};

} // namespace velmar::db
