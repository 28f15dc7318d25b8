#include "store/db/database.h"

#include "store/db/engine.h"
#include "store/db/name_index.h"
#include "store/db/sql_dialect.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <sqlite3.h>

namespace velmar::db {

namespace {

constexpr int busyTimeoutMs = 2000;

QString columnText(sqlite3_value* v) {
    const auto* data = reinterpret_cast<const char16_t*>(sqlite3_value_text16(v));
    const int bytes = sqlite3_value_bytes16(v);
    return data ? QString::fromUtf16(data, bytes / 2) : QString();
}

// like(pattern, value [, escape]): the Jet LIKE in place of SQLite's.
void likeFunction(sqlite3_context* context, int argc, sqlite3_value** argv) {
    if (argc < 2 || sqlite3_value_type(argv[0]) == SQLITE_NULL ||
        sqlite3_value_type(argv[1]) == SQLITE_NULL) {
        sqlite3_result_null(context);
        return;
    }
    sqlite3_result_int(context, jetLike(columnText(argv[0]), columnText(argv[1])) ? 1 : 0);
}

// The table of "SELECT * FROM Table [WHERE ...|ORDER BY ...]" when the rows
// come from that one table.
QString singleTableOf(const QString& sql) {
    static const QRegularExpression form(
        QStringLiteral(R"(^\s*SELECT\s+\*\s+FROM\s+(\w+)\s*(?:$|;|WHERE\b|ORDER\b))"),
        QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression join(QStringLiteral(R"(\b(JOIN|UNION|GROUP)\b|,)"),
                                         QRegularExpression::CaseInsensitiveOption);
    const QRegularExpressionMatch m = form.match(sql);
    if (!m.hasMatch() || join.match(sql.mid(m.capturedEnd(1))).hasMatch())
        return QString();
    return m.captured(1);
}

} // namespace

Database::~Database() {
    close();
}

namespace {

// Memory statistics cost the engine a global lock around every allocation;
// the program never reads them. Set before the engine's first use.
void configureEngineOnce() {
    static const bool configured = [] {
        sqlite3_config(SQLITE_CONFIG_MEMSTATUS, 0);
        return true;
    }();
    (void)configured;
}

} // namespace

bool Database::openWith(const QString& path, int flags) {
    close();
    configureEngineOnce();
    sqlite3* handle = nullptr;
    // A connection is used by one thread at a time (a queued insert takes it
    // and hands it back under its own lock), so the engine need not lock it
    // at every call.
    const int rc = sqlite3_open_v2(QFileInfo(path).absoluteFilePath().toUtf8().constData(), &handle,
                                   flags | SQLITE_OPEN_NOMUTEX, nullptr);
    if (rc != SQLITE_OK) {
        m_lastError = engineReason(handle);
        sqlite3_close(handle);
        return false;
    }
    m_handle = handle;
    m_path = path;
    sqlite3_busy_timeout(m_handle, busyTimeoutMs);
    sqlite3_extended_result_codes(m_handle, 1);
    sqlite3_create_function(m_handle, "like", 2, SQLITE_UTF16 | SQLITE_DETERMINISTIC, nullptr, likeFunction,
                            nullptr, nullptr);
    sqlite3_create_function(m_handle, "like", 3, SQLITE_UTF16 | SQLITE_DETERMINISTIC, nullptr, likeFunction,
                            nullptr, nullptr);
    // A file that is not a database only shows when it is first read.
    if (!runPlain("PRAGMA journal_mode=DELETE;")) {
        const QString reason = m_lastError;
        close();
        m_lastError = reason;
        return false;
    }
    // The engine's own cache holds 2 MiB by default; an exploration's inserts
    // walk indexes of tens of megabytes, and reread their pages from the
    // system through it. The cache grows only as far as it is used.
    runPlain("PRAGMA cache_size=-32768;");
    m_lastError.clear();
    return true;
}

bool Database::open(const QString& path) {
    return openWith(path, SQLITE_OPEN_READWRITE);
}

bool Database::create(const QString& path) {
    return openWith(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
}

void Database::close() {
    m_statements.clear();
    if (m_handle) {
        sqlite3_close_v2(m_handle);
        m_handle = nullptr;
    }
    m_path.clear();
    m_primaryKeys.clear();
}

bool Database::isReadOnly() const {
    return m_handle && sqlite3_db_readonly(m_handle, "main") == 1;
}

bool Database::setError(const QString& reason) {
    m_lastError = reason;
    return false;
}

bool Database::runPlain(const char* sql) {
    char* message = nullptr;
    if (sqlite3_exec(m_handle, sql, nullptr, nullptr, &message) != SQLITE_OK) {
        m_lastError = message ? QString::fromUtf8(message) : engineReason(m_handle);
        sqlite3_free(message);
        return false;
    }
    return true;
}

bool Database::execute(const QString& sql) {
    if (!m_handle)
        return setError(engineReason(nullptr));
    m_lastError.clear();
    m_primaryKeys.clear(); // the statement may create, alter or drop a table
    return runPlain(rewriteJetSql(sql).toUtf8().constData());
}

bool Database::execute(const QString& sql, const QVariantList& values) {
    if (!m_handle)
        return setError(engineReason(nullptr));
    m_lastError.clear();
    m_primaryKeys.clear();
    Statement statement = Statement::prepare(m_handle, rewriteJetSql(sql));
    return (statement.isPrepared() && statement.run(boundRow(values))) || setError(statement.error());
}

qint64 Database::lastInsertId() const {
    return m_handle ? sqlite3_last_insert_rowid(m_handle) : 0;
}

Recordset Database::openRecordset(const QString& tableOrSql) {
    static const QRegularExpression bareName(QStringLiteral(R"(^\s*(\w+)\s*$)"));
    const QRegularExpressionMatch name = bareName.match(tableOrSql);
    return openBound(name.hasMatch() ? QStringLiteral("SELECT * FROM ") + name.captured(1) : tableOrSql, {});
}

Recordset Database::openRecordset(const QString& sql, const QVariantList& values) {
    return openBound(sql, boundRow(values));
}

Recordset Database::openBound(const QString& sql, BoundRow values) {
    Recordset rs;
    rs.m_db = this;
    rs.m_sql = sql;
    rs.m_parameters = std::move(values);
    if (!m_handle) {
        rs.fail(engineReason(nullptr));
        return rs;
    }
    rs.m_statement = prepare(rewriteJetSql(sql), rs);
    if (!rs.m_statement.bind(rs.m_parameters)) {
        rs.fail(rs.m_statement.error());
        rs.m_statement = Statement();
        return rs;
    }
    const int columns = sqlite3_column_count(rs.m_statement.handle());
    for (int i = 0; i < columns; ++i)
        rs.m_columns << QString::fromUtf8(sqlite3_column_name(rs.m_statement.handle(), i));
    rs.m_table = singleTableOf(sql);
    if (!rs.m_table.isEmpty())
        rs.m_keyColumn = primaryKeyOf(rs.m_table);
    rs.step();
    if (!rs.ok())
        m_lastError = rs.error();
    return rs;
}

// The table's INTEGER PRIMARY KEY column, or "" when it has none.
QString Database::primaryKeyOf(const QString& table) {
    const auto known = m_primaryKeys.constFind(table);
    if (known != m_primaryKeys.cend())
        return *known;
    Recordset key =
        openRecordset(QStringLiteral("SELECT name FROM pragma_table_info(?) WHERE pk = 1"), {table});
    const QString column = key.field(QStringLiteral("name")).toText();
    if (key.ok())
        m_primaryKeys.insert(table, column);
    return column;
}

// A text whose numbers can be bound takes the statement kept for its shape;
// the record set then runs the shape with those numbers.
Statement Database::prepare(const QString& sql, Recordset& rs) {
    QString shape;
    BoundRow numbers;
    if (!rs.m_parameters.empty() || !StatementCache::shapeOf(sql, shape, numbers))
        return prepareNarrowed(sql);
    Statement statement = m_statements.take(shape);
    if (!statement.isPrepared())
        statement = Statement::prepare(m_handle, shape);
    rs.m_parameters = std::move(numbers);
    rs.m_sql = shape;
    rs.m_shape = shape;
    return statement;
}

Statement Database::prepareNarrowed(const QString& sql) {
    const QString narrowed = narrowByNameIndex(m_handle, sql);
    // A statement the narrowing cannot apply to (a column of a subquery, an
    // alias) fails to prepare: it then runs as written.
    if (narrowed != sql) {
        Statement statement = Statement::prepare(m_handle, narrowed);
        if (statement.isPrepared())
            return statement;
    }
    return Statement::prepare(m_handle, sql);
}

BulkInsert Database::prepareInsert(const QString& table, const QStringList& columns) {
    BulkInsert insert;
    insert.m_handle = m_handle;
    QStringList quoted;
    for (const QString& c : columns)
        quoted << quoteIdentifier(c);
    const QString head =
        QStringLiteral("INSERT INTO ") + quoteIdentifier(table) + " (" + quoted.join(',') + ") VALUES ";
    const QString group = QLatin1Char('(') + QStringList(columns.size(), QStringLiteral("?")).join(',') + ')';
    insert.m_statement = Statement::prepare(m_handle, head + group, Statement::Reuse::Many);
    insert.m_group = Statement::prepare(m_handle, head + QStringList(BulkInsert::kGroupRows, group).join(','),
                                        Statement::Reuse::Many);
    insert.m_error = insert.m_statement.error();
    return insert;
}

bool Database::compact(const QString& source, const QString& destination, QString& error) {
    if (QFileInfo::exists(destination)) {
        error = QStringLiteral("le fichier ") + destination + QStringLiteral(" existe déjà");
        return false;
    }
    Database db;
    if (!db.openWith(source, SQLITE_OPEN_READWRITE)) {
        error = db.lastError();
        return false;
    }
    if (!db.execute(QStringLiteral("VACUUM INTO ?"), {QFileInfo(destination).absoluteFilePath()})) {
        error = db.lastError();
        return false;
    }
    return true;
}

} // namespace velmar::db
