#pragma once

// The catalogue database: SQLite behind the small set of operations the
// catalogue uses (open, execute, record sets, compaction). SQL texts are
// written in the Jet dialect and rewritten by the dialect layer before SQLite
// sees them: "text" values become SQL literals, and LIKE takes the wildcards
// * ? # [...] compared without case. No call throws; failures are reported by
// the result and lastError() holds the engine's reason.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <memory>
#include <vector>

struct sqlite3;
struct sqlite3_stmt;

namespace velmar::db {

// A field value as read back: NULL reads as 0 or "".
class Value {
public:
    Value() = default;
    explicit Value(QVariant v) : m_value(std::move(v)) {}
    bool isNull() const { return m_value.isNull(); }
    qint64 toNumber() const;
    double toReal() const;
    QString toText() const;
    const QVariant& variant() const { return m_value; }

private:
    QVariant m_value;
};

class Database;

// A value ready to be bound to a statement: NULL, a whole number, a real or a
// text already in UTF-8, the file's encoding. Rows queued to another thread are
// converted on the caller's side, so the inserting thread only binds them.
class BoundValue {
public:
    BoundValue() = default; // NULL
    explicit BoundValue(const QVariant& value);
    // Binds without copying: the value must outlive the statement's next step.
    int bindTo(sqlite3_stmt* statement, int index) const;

private:
    enum class Kind { Null, Integer, Real, Text };
    Kind m_kind = Kind::Null;
    qint64 m_integer = 0;
    double m_real = 0;
    QByteArray m_text;
};
using BoundRow = std::vector<BoundValue>;

// Rows of a query, read forwards. recordCount() is the number of rows reached
// so far, as with the record sets the catalogue was written for: right after
// opening it is 0 exactly when there is no row. edit/addNew/update/remove work
// on record sets of one table ("SELECT * FROM Table ..." or a table name).
class Recordset {
public:
    Recordset() = default;
    ~Recordset();
    Recordset(Recordset&&) noexcept;
    Recordset& operator=(Recordset&&) noexcept;
    Recordset(const Recordset&) = delete;
    Recordset& operator=(const Recordset&) = delete;

    bool isOpen() const { return m_statement != nullptr; }
    bool ok() const { return m_error.isEmpty(); }
    const QString& error() const { return m_error; }

    bool eof() const { return m_eof; }
    qint64 recordCount() const { return m_count; }
    bool moveNext();
    Value field(const QString& name) const;
    const QStringList& fieldNames() const { return m_columns; }

    // Editing: addNew() or edit(), then setField(...), then update().
    bool addNew();
    bool edit();
    bool setField(const QString& name, const QVariant& value);
    bool update();
    bool remove();

    // A new record set holding the rows of this one that meet `condition`.
    Recordset filter(const QString& condition) const;
    void close();

private:
    friend class Database;
    enum class Editing { None, Edit, AddNew };
    bool step();
    bool fail(const QString& reason);

    Database* m_db = nullptr;
    sqlite3_stmt* m_statement = nullptr;
    QString m_sql;
    QString m_table;     // the one table the rows come from, or empty
    QString m_keyColumn; // its INTEGER PRIMARY KEY column
    QStringList m_columns;
    std::vector<QVariant> m_row;
    std::vector<std::pair<QString, QVariant>> m_pending;
    Editing m_editing = Editing::None;
    bool m_eof = true;
    qint64 m_count = 0;
    QString m_error;
};

// One prepared INSERT reused for many rows: the fast path of the exploration.
class BulkInsert {
public:
    BulkInsert() = default;
    ~BulkInsert();
    BulkInsert(BulkInsert&&) noexcept;
    BulkInsert& operator=(BulkInsert&&) noexcept;
    BulkInsert(const BulkInsert&) = delete;
    BulkInsert& operator=(const BulkInsert&) = delete;

    bool ok() const { return m_statement != nullptr && m_error.isEmpty(); }
    const QString& error() const { return m_error; }
    // One value per column given at preparation, in that order.
    bool insert(const QVariantList& values);
    bool insertBound(const BoundRow& values);
    qint64 lastInsertId() const;

private:
    friend class Database;
    sqlite3* m_handle = nullptr;
    sqlite3_stmt* m_statement = nullptr;
    int m_columnCount = 0;
    QString m_error;
};

class Database {
public:
    Database() = default;
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // Opens an existing file, shared, read-write, rollback journal.
    bool open(const QString& path);
    // Creates a new empty file (model database building only).
    bool create(const QString& path);
    void close();
    bool isOpen() const { return m_handle != nullptr; }
    // True when the engine opened the file for reading only (no write access).
    bool isReadOnly() const;
    const QString& path() const { return m_path; }

    // UPDATE, DELETE and other statements without rows; several statements
    // separated by ";" are run in turn.
    bool execute(const QString& sql);
    // A table name or a SELECT text.
    Recordset openRecordset(const QString& tableOrSql);
    BulkInsert prepareInsert(const QString& table, const QStringList& columns);
    qint64 lastInsertId() const;

    const QString& lastError() const { return m_lastError; }

    // Copies `source` into the new file `destination`, dropping free pages.
    // Fails when the destination exists already.
    static bool compact(const QString& source, const QString& destination, QString& error);

private:
    friend class Recordset;
    friend class Transaction;
    bool openWith(const QString& path, int flags);
    bool setError(const QString& reason);
    bool runPlain(const char* sql);
    // Prepares `sql` narrowed by the name index, or as written.
    bool prepareNarrowed(const QString& sql, sqlite3_stmt*& statement);

    sqlite3* m_handle = nullptr;
    QString m_path;
    QString m_lastError;
};

// A transaction rolled back on destruction unless commit() succeeded. An
// immediate one takes the write lock at once, for a read followed by writes
// that must see no other writer in between.
class Transaction {
public:
    enum class Start { Deferred, Immediate };
    explicit Transaction(Database& database, Start start = Start::Deferred);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    bool active() const { return m_active; }
    bool commit();

private:
    Database& m_db;
    bool m_active = false;
};

} // namespace velmar::db
