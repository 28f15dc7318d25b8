#pragma once

// The catalogue database: SQLite behind the small set of operations the
// catalogue uses (open, execute, record sets, compaction). SQL texts are
// written in the Jet dialect and rewritten by the dialect layer before SQLite
// sees them: "text" values become SQL literals, and LIKE takes the wildcards
// * ? # [...] compared without case. The program's own statements take their
// values as bound values ("?" marks), never written into the text. No call
// throws; failures are reported by the result and lastError() holds the
// engine's reason.

#include "store/db/bulk_insert.h"
#include "store/db/recordset.h"
#include "store/db/statement_cache.h"
#include "store/db/value.h"

#include <QHash>
#include <QString>
#include <QStringList>
#include <QVariantList>

struct sqlite3;

namespace velmar::db {

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
    // One statement, `values` bound to its "?" marks in order.
    bool execute(const QString& sql, const QVariantList& values);
    // A table name or a SELECT text.
    Recordset openRecordset(const QString& tableOrSql);
    // A SELECT text, `values` bound to its "?" marks in order.
    Recordset openRecordset(const QString& sql, const QVariantList& values);
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
    Recordset openBound(const QString& sql, BoundRow values);
    Statement prepare(const QString& sql, Recordset& rs);
    // The statement narrowed by the name index, or as written.
    Statement prepareNarrowed(const QString& sql);
    QString primaryKeyOf(const QString& table);

    sqlite3* m_handle = nullptr;
    QString m_path;
    QString m_lastError;
    // Table name to its key column: a window opening a collection opens a
    // record set per directory, each asking for its table's key.
    QHash<QString, QString> m_primaryKeys;
    StatementCache m_statements;
};

} // namespace velmar::db
