#pragma once

// Statements the catalogue sends again and again with other numbers written
// in them (one for each directory of the browse tree): each number a
// comparison takes is bound instead, so that texts of one shape share one
// prepared statement, kept here between two uses.

#include "store/db/bound_value.h"
#include "store/db/statement.h"

#include <QString>

#include <map>

namespace velmar::db {

class StatementCache {
public:
    // `sql` (SQLite's dialect) with each whole number that follows a
    // comparison operator replaced by "?", and those numbers in `values`.
    // False, leaving the text to be prepared as it is, when it has none, holds
    // "?" marks of its own, or a LIKE: the name index narrows a LIKE according
    // to its state at the time, which a kept statement would not follow.
    static bool shapeOf(const QString& sql, QString& shape, BoundRow& values);

    // The statement kept for `shape`, or an unprepared one. A statement taken
    // is the caller's until given back, so two record sets never share one.
    Statement take(const QString& shape);
    void giveBack(const QString& shape, Statement statement);
    // Finalizes every kept statement (before the connection closes).
    void clear() { m_statements.clear(); }

private:
    // A few shapes are enough: the tree and the file list send one each.
    static constexpr std::size_t kCapacity = 16;
    std::map<QString, Statement> m_statements;
};

} // namespace velmar::db
