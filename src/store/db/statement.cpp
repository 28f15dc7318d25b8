#include "store/db/statement.h"

#include "store/db/engine.h"

#include <sqlite3.h>

#include <utility>

namespace velmar::db {

Statement::~Statement() {
    sqlite3_finalize(m_statement);
}

Statement::Statement(Statement&& other) noexcept
    : m_handle(other.m_handle), m_statement(std::exchange(other.m_statement, nullptr)),
      m_error(std::move(other.m_error)) {}

Statement& Statement::operator=(Statement&& other) noexcept {
    if (this != &other) {
        sqlite3_finalize(m_statement);
        m_handle = other.m_handle;
        m_statement = std::exchange(other.m_statement, nullptr);
        m_error = std::move(other.m_error);
    }
    return *this;
}

Statement Statement::prepare(sqlite3* handle, const QString& sql, Reuse reuse) {
    Statement statement;
    statement.m_handle = handle;
    if (!handle) {
        statement.fail(engineReason(nullptr));
        return statement;
    }
    const QByteArray utf8 = sql.toUtf8();
    const unsigned flags = reuse == Reuse::Many ? SQLITE_PREPARE_PERSISTENT : 0;
    if (sqlite3_prepare_v3(handle, utf8.constData(), static_cast<int>(utf8.size()), flags,
                           &statement.m_statement, nullptr) != SQLITE_OK ||
        !statement.m_statement) {
        statement.fail(engineReason(handle));
        sqlite3_finalize(std::exchange(statement.m_statement, nullptr));
    }
    return statement;
}

bool Statement::fail(const QString& reason) {
    m_error = reason;
    return false;
}

bool Statement::bind(const BoundRow* rows, std::size_t count) {
    if (!m_statement) // keeps the reason the preparation gave
        return m_error.isEmpty() ? fail(engineReason(nullptr)) : false;
    std::size_t values = 0;
    for (std::size_t r = 0; r < count; ++r)
        values += rows[r].size();
    if (values != static_cast<std::size_t>(sqlite3_bind_parameter_count(m_statement)))
        return fail(QStringLiteral("nombre de valeurs incorrect"));
    int index = 1;
    for (std::size_t r = 0; r < count; ++r)
        for (const BoundValue& value : rows[r])
            if (value.bindTo(m_statement, index++) != SQLITE_OK)
                return fail(engineReason(m_handle));
    return true;
}

Statement::Step Statement::step() {
    if (!m_statement)
        return Step::Failed;
    const int rc = sqlite3_step(m_statement);
    if (rc == SQLITE_ROW)
        return Step::Row;
    if (rc == SQLITE_DONE)
        return Step::Done;
    fail(engineReason(m_handle));
    return Step::Failed;
}

void Statement::reset() {
    if (m_statement) {
        sqlite3_reset(m_statement);
        sqlite3_clear_bindings(m_statement);
    }
}

bool Statement::run(const BoundRow* rows, std::size_t count) {
    if (!bind(rows, count))
        return false;
    const Step result = step();
    reset();
    if (result == Step::Failed)
        return false;
    m_error.clear();
    return true;
}

} // namespace velmar::db
