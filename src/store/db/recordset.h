#pragma once

// Rows of a query, read forwards. recordCount() is the number of rows reached
// so far, as with the record sets the catalogue was written for: right after
// opening it is 0 exactly when there is no row. edit/addNew/update/remove work
// on record sets of one table ("SELECT * FROM Table ..." or a table name).

#include "store/db/bound_value.h"
#include "store/db/statement.h"
#include "store/db/value.h"

#include <QString>
#include <QStringList>
#include <QVariant>

#include <utility>
#include <vector>

namespace velmar::db {

class Database;

class Recordset {
public:
    Recordset() = default;
    // The statement goes back to its database's cache when it came from there.
    ~Recordset() { close(); }
    Recordset(Recordset&&) noexcept = default;
    Recordset& operator=(Recordset&&) noexcept = default;

    bool isOpen() const { return m_statement.isPrepared(); }
    bool ok() const { return m_error.isEmpty(); }
    const QString& error() const { return m_error; }

    bool eof() const { return m_eof; }
    qint64 recordCount() const { return m_count; }
    bool moveNext();
    Value field(const QString& name) const;
    // The column at `index` in the statement's order: for long scans, where
    // finding each column by its name would cost more than reading it.
    Value field(int index) const;
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
    QString changeStatement() const;
    BoundRow changeValues() const;
    void keepChangedFields();

    Database* m_db = nullptr;
    Statement m_statement;
    BoundRow m_parameters; // bound to m_statement, so kept as long as it steps
    QString m_sql;
    QString m_shape;     // the cache's key of m_statement, "" when it is not kept
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

} // namespace velmar::db
