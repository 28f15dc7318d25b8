#pragma once

// One statement prepared by the engine, with its values bound to its "?"
// marks in order and never written into its text: a value holding quotes or
// any other character stays a value.

#include "store/db/bound_value.h"

#include <QByteArray>
#include <QString>

struct sqlite3;
struct sqlite3_stmt;

namespace velmar::db {

class Statement {
public:
    enum class Reuse { Once, Many };
    enum class Step { Row, Done, Failed };

    Statement() = default;
    ~Statement();
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&& other) noexcept;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    // `sql` in SQLite's own dialect. A statement reused many times is kept
    // by the engine as such (the bulk inserts of an exploration).
    static Statement prepare(sqlite3* handle, const QString& sql, Reuse reuse = Reuse::Once);

    bool isPrepared() const { return m_statement != nullptr; }
    const QString& error() const { return m_error; }
    sqlite3_stmt* handle() const { return m_statement; }

    // Binds one value per mark, in order. The values are not copied: they
    // must stay alive until the last step() that reads them.
    bool bind(const BoundRow& values) { return bind(&values, 1); }
    // The values of `count` rows one after the other, for a statement with a
    // group of marks per row.
    bool bind(const BoundRow* rows, std::size_t count);
    Step step();
    // Ready to be bound and run again.
    void reset();
    // Binds, runs to the end and resets: statements that give no rows.
    bool run(const BoundRow& values) { return run(&values, 1); }
    bool run(const BoundRow* rows, std::size_t count);

private:
    bool fail(const QString& reason);

    sqlite3* m_handle = nullptr;
    sqlite3_stmt* m_statement = nullptr;
    QString m_error;
};

} // namespace velmar::db
