#include "store/db.h"

#include "store/db_name_index.h"
#include "store/sql_dialect.h"

#include <QFileInfo>
#include <QRegularExpression>

#include <sqlite3.h>

namespace velmar::db {

namespace {

constexpr int busyTimeoutMs = 2000;

QString engineReason(sqlite3* handle) {
    return handle ? QString::fromUtf8(sqlite3_errmsg(handle)) : QStringLiteral("base de données fermée");
}

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

QVariant readColumn(sqlite3_stmt* statement, int i) {
    switch (sqlite3_column_type(statement, i)) {
    case SQLITE_INTEGER:
        return QVariant(static_cast<qlonglong>(sqlite3_column_int64(statement, i)));
    case SQLITE_FLOAT:
        return QVariant(sqlite3_column_double(statement, i));
    case SQLITE_NULL:
        return QVariant();
    default: {
        const auto* data = reinterpret_cast<const char16_t*>(sqlite3_column_text16(statement, i));
        return QVariant(QString::fromUtf16(data, sqlite3_column_bytes16(statement, i) / 2));
    }
    }
}

BoundRow boundRow(const QVariantList& values) {
    return BoundRow(values.cbegin(), values.cend());
}

// Brackets, not double quotes: internal statements may pass through the
// dialect rewrite, which reads double quotes as text values.
QString quoteIdentifier(const QString& name) {
    return QLatin1Char('[') + QString(name).remove(QLatin1Char(']')) + QLatin1Char(']');
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

// ---- Value -----------------------------------------------------------------

qint64 Value::toNumber() const {
    if (m_value.isNull())
        return 0;
    if (m_value.typeId() == QMetaType::Double)
        return static_cast<qint64>(m_value.toDouble());
    return m_value.toLongLong();
}

double Value::toReal() const {
    return m_value.isNull() ? 0.0 : m_value.toDouble();
}

QString Value::toText() const {
    return m_value.isNull() ? QString() : m_value.toString();
}

// ---- BoundValue ------------------------------------------------------------

BoundValue::BoundValue(const QVariant& value) {
    if (value.isNull())
        return;
    switch (value.typeId()) {
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Bool:
        m_kind = Kind::Integer;
        m_integer = value.toLongLong();
        return;
    case QMetaType::Double:
    case QMetaType::Float:
        m_kind = Kind::Real;
        m_real = value.toDouble();
        return;
    default:
        // In the file's own encoding, so the engine stores the bytes as they are.
        m_kind = Kind::Text;
        m_text = value.toString().toUtf8();
        return;
    }
}

int BoundValue::bindTo(sqlite3_stmt* statement, int index) const {
    switch (m_kind) {
    case Kind::Null:
        return sqlite3_bind_null(statement, index);
    case Kind::Integer:
        return sqlite3_bind_int64(statement, index, m_integer);
    case Kind::Real:
        return sqlite3_bind_double(statement, index, m_real);
    case Kind::Text:
        return sqlite3_bind_text(statement, index, m_text.constData(), static_cast<int>(m_text.size()),
                                 SQLITE_STATIC);
    }
    return SQLITE_MISUSE;
}

// ---- Database --------------------------------------------------------------

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
    if (m_handle) {
        sqlite3_close_v2(m_handle);
        m_handle = nullptr;
    }
    m_path.clear();
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
    return runPlain(rewriteJetSql(sql).toUtf8().constData());
}

qint64 Database::lastInsertId() const {
    return m_handle ? sqlite3_last_insert_rowid(m_handle) : 0;
}

Recordset Database::openRecordset(const QString& tableOrSql) {
    Recordset rs;
    rs.m_db = this;
    static const QRegularExpression bareName(QStringLiteral(R"(^\s*(\w+)\s*$)"));
    const QRegularExpressionMatch name = bareName.match(tableOrSql);
    rs.m_sql = name.hasMatch() ? QStringLiteral("SELECT * FROM ") + name.captured(1) : tableOrSql;
    if (!m_handle) {
        rs.fail(engineReason(nullptr));
        return rs;
    }
    const QString rewritten = rewriteJetSql(rs.m_sql);
    if (!prepareNarrowed(rewritten, rs.m_statement)) {
        rs.fail(engineReason(m_handle));
        return rs;
    }
    const int columns = sqlite3_column_count(rs.m_statement);
    for (int i = 0; i < columns; ++i)
        rs.m_columns << QString::fromUtf8(sqlite3_column_name(rs.m_statement, i));
    rs.m_table = singleTableOf(rs.m_sql);
    if (!rs.m_table.isEmpty()) {
        Recordset info =
            openRecordset(QStringLiteral("PRAGMA table_info(") + quoteIdentifier(rs.m_table) + ')');
        for (; !info.eof(); info.moveNext())
            if (info.field(QStringLiteral("pk")).toNumber() == 1)
                rs.m_keyColumn = info.field(QStringLiteral("name")).toText();
    }
    rs.step();
    if (!rs.ok())
        m_lastError = rs.error();
    return rs;
}

bool Database::prepareNarrowed(const QString& sql, sqlite3_stmt*& statement) {
    const QString narrowed = narrowByNameIndex(m_handle, sql);
    // A statement the narrowing cannot apply to (a column of a subquery, an
    // alias) fails to prepare: it then runs as written.
    for (const QString& text : narrowed == sql ? QStringList{sql} : QStringList{narrowed, sql}) {
        const QByteArray utf8 = text.toUtf8();
        if (sqlite3_prepare_v2(m_handle, utf8.constData(), static_cast<int>(utf8.size()), &statement,
                               nullptr) == SQLITE_OK &&
            statement)
            return true;
    }
    return false;
}

BulkInsert Database::prepareInsert(const QString& table, const QStringList& columns) {
    BulkInsert insert;
    insert.m_handle = m_handle;
    insert.m_columnCount = static_cast<int>(columns.size());
    if (!m_handle) {
        insert.m_error = engineReason(nullptr);
        return insert;
    }
    QStringList quoted;
    QStringList marks;
    for (const QString& c : columns) {
        quoted << quoteIdentifier(c);
        marks << QStringLiteral("?");
    }
    const QByteArray sql = (QStringLiteral("INSERT INTO ") + quoteIdentifier(table) + " (" +
                            quoted.join(',') + ") VALUES (" + marks.join(',') + ")")
                               .toUtf8();
    if (sqlite3_prepare_v3(m_handle, sql.constData(), static_cast<int>(sql.size()), SQLITE_PREPARE_PERSISTENT,
                           &insert.m_statement, nullptr) != SQLITE_OK)
        insert.m_error = engineReason(m_handle);
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
    const QString target = QFileInfo(destination).absoluteFilePath().replace('\'', QStringLiteral("''"));
    if (!db.runPlain(
            (QStringLiteral("VACUUM INTO '") + target + QStringLiteral("';")).toUtf8().constData())) {
        error = db.lastError();
        return false;
    }
    return true;
}

// ---- Recordset -------------------------------------------------------------

Recordset::~Recordset() {
    close();
}

Recordset::Recordset(Recordset&& other) noexcept {
    *this = std::move(other);
}

Recordset& Recordset::operator=(Recordset&& other) noexcept {
    if (this != &other) {
        close();
        m_db = other.m_db;
        m_statement = std::exchange(other.m_statement, nullptr);
        m_sql = std::move(other.m_sql);
        m_table = std::move(other.m_table);
        m_keyColumn = std::move(other.m_keyColumn);
        m_columns = std::move(other.m_columns);
        m_row = std::move(other.m_row);
        m_pending = std::move(other.m_pending);
        m_editing = other.m_editing;
        m_eof = std::exchange(other.m_eof, true);
        m_count = std::exchange(other.m_count, 0);
        m_error = std::move(other.m_error);
    }
    return *this;
}

bool Recordset::fail(const QString& reason) {
    m_error = reason;
    if (m_db)
        m_db->m_lastError = reason;
    return false;
}

bool Recordset::step() {
    m_row.clear();
    if (!m_statement) {
        m_eof = true;
        return false;
    }
    const int rc = sqlite3_step(m_statement);
    if (rc == SQLITE_ROW) {
        m_eof = false;
        ++m_count;
        const int columns = static_cast<int>(m_columns.size());
        m_row.reserve(columns);
        for (int i = 0; i < columns; ++i)
            m_row.push_back(readColumn(m_statement, i));
        return true;
    }
    m_eof = true;
    if (rc != SQLITE_DONE)
        return fail(engineReason(m_db ? m_db->m_handle : nullptr));
    return false;
}

bool Recordset::moveNext() {
    if (m_eof)
        return false;
    return step();
}

Value Recordset::field(const QString& name) const {
    for (qsizetype i = 0; i < m_columns.size(); ++i)
        if (m_columns.at(i).compare(name, Qt::CaseInsensitive) == 0)
            return i < static_cast<qsizetype>(m_row.size()) ? Value(m_row[i]) : Value();
    return Value();
}

bool Recordset::addNew() {
    if (m_table.isEmpty())
        return fail(QStringLiteral("ce jeu d'enregistrements n'est pas modifiable"));
    m_pending.clear();
    m_editing = Editing::AddNew;
    return true;
}

bool Recordset::edit() {
    if (m_table.isEmpty() || m_keyColumn.isEmpty() || m_eof)
        return fail(QStringLiteral("aucun enregistrement courant à modifier"));
    m_pending.clear();
    m_editing = Editing::Edit;
    return true;
}

bool Recordset::setField(const QString& name, const QVariant& value) {
    if (m_editing == Editing::None)
        return fail(QStringLiteral("aucune modification en cours"));
    for (auto& [column, pending] : m_pending)
        if (column.compare(name, Qt::CaseInsensitive) == 0) {
            pending = value;
            return true;
        }
    m_pending.emplace_back(name, value);
    return true;
}

bool Recordset::update() {
    if (m_editing == Editing::None || !m_db || !m_db->m_handle)
        return fail(QStringLiteral("aucune modification en cours"));
    QStringList names;
    QStringList marks;
    for (const auto& entry : m_pending) {
        names << quoteIdentifier(entry.first);
        marks << (m_editing == Editing::AddNew ? QStringLiteral("?") : quoteIdentifier(entry.first) + "=?");
    }
    QString sql;
    if (m_editing == Editing::AddNew)
        sql = m_pending.empty() ? "INSERT INTO " + quoteIdentifier(m_table) + " DEFAULT VALUES"
                                : "INSERT INTO " + quoteIdentifier(m_table) + " (" + names.join(',') +
                                      ") VALUES (" + marks.join(',') + ")";
    else
        sql = "UPDATE " + quoteIdentifier(m_table) + " SET " + marks.join(',') + " WHERE " +
              quoteIdentifier(m_keyColumn) + "=?";
    sqlite3_stmt* statement = nullptr;
    const QByteArray utf8 = sql.toUtf8();
    if (sqlite3_prepare_v2(m_db->m_handle, utf8.constData(), static_cast<int>(utf8.size()), &statement,
                           nullptr) != SQLITE_OK)
        return fail(engineReason(m_db->m_handle));
    BoundRow values;
    for (const auto& entry : m_pending)
        values.emplace_back(entry.second);
    if (m_editing == Editing::Edit)
        values.emplace_back(field(m_keyColumn).variant());
    for (std::size_t i = 0; i < values.size(); ++i)
        values[i].bindTo(statement, static_cast<int>(i) + 1);
    const int rc = sqlite3_step(statement);
    sqlite3_finalize(statement);
    if (rc != SQLITE_DONE)
        return fail(engineReason(m_db->m_handle));
    if (m_editing == Editing::Edit)
        for (const auto& [column, value] : m_pending)
            for (qsizetype i = 0; i < m_columns.size(); ++i)
                if (m_columns.at(i).compare(column, Qt::CaseInsensitive) == 0 &&
                    i < static_cast<qsizetype>(m_row.size()))
                    m_row[i] = value;
    m_pending.clear();
    m_editing = Editing::None;
    return true;
}

bool Recordset::remove() {
    if (m_table.isEmpty() || m_keyColumn.isEmpty() || m_eof || !m_db)
        return fail(QStringLiteral("aucun enregistrement courant à supprimer"));
    return m_db->execute("DELETE FROM " + quoteIdentifier(m_table) + " WHERE " +
                         quoteIdentifier(m_keyColumn) + "=" +
                         QString::number(field(m_keyColumn).toNumber())) ||
           fail(m_db->lastError());
}

Recordset Recordset::filter(const QString& condition) const {
    if (!m_db)
        return Recordset();
    QString base = m_sql.trimmed();
    while (base.endsWith(QLatin1Char(';')))
        base.chop(1);
    Recordset filtered = m_db->openRecordset(QStringLiteral("SELECT * FROM (") + base +
                                             QStringLiteral(") WHERE ") + condition);
    // The rows still come from this record set's table, and stay editable.
    if (filtered.m_columns == m_columns) {
        filtered.m_table = m_table;
        filtered.m_keyColumn = m_keyColumn;
    }
    return filtered;
}

void Recordset::close() {
    if (m_statement) {
        sqlite3_finalize(m_statement);
        m_statement = nullptr;
    }
    m_row.clear();
    m_eof = true;
}

// ---- BulkInsert ------------------------------------------------------------

BulkInsert::~BulkInsert() {
    if (m_statement)
        sqlite3_finalize(m_statement);
}

BulkInsert::BulkInsert(BulkInsert&& other) noexcept {
    *this = std::move(other);
}

BulkInsert& BulkInsert::operator=(BulkInsert&& other) noexcept {
    if (this != &other) {
        if (m_statement)
            sqlite3_finalize(m_statement);
        m_handle = other.m_handle;
        m_statement = std::exchange(other.m_statement, nullptr);
        m_columnCount = other.m_columnCount;
        m_error = std::move(other.m_error);
    }
    return *this;
}

bool BulkInsert::insert(const QVariantList& values) {
    return insertBound(boundRow(values));
}

bool BulkInsert::insertBound(const BoundRow& values) {
    if (!m_statement)
        return false;
    if (values.size() != static_cast<std::size_t>(m_columnCount)) {
        m_error = QStringLiteral("nombre de valeurs incorrect");
        return false;
    }
    for (int i = 0; i < m_columnCount; ++i)
        values[static_cast<std::size_t>(i)].bindTo(m_statement, i + 1);
    const int rc = sqlite3_step(m_statement);
    sqlite3_reset(m_statement);
    if (rc != SQLITE_DONE) {
        m_error = engineReason(m_handle);
        return false;
    }
    m_error.clear();
    return true;
}

qint64 BulkInsert::lastInsertId() const {
    return m_handle ? sqlite3_last_insert_rowid(m_handle) : 0;
}

// ---- Transaction -----------------------------------------------------------

Transaction::Transaction(Database& database, Start start) : m_db(database) {
    m_active = m_db.m_handle && m_db.runPlain(start == Start::Immediate ? "BEGIN IMMEDIATE;" : "BEGIN;");
}

Transaction::~Transaction() {
    if (m_active)
        m_db.runPlain("ROLLBACK;");
}

bool Transaction::commit() {
    if (!m_active)
        return false;
    if (!m_db.runPlain("COMMIT;"))
        return false;
    m_active = false;
    return true;
}

} // namespace velmar::db
