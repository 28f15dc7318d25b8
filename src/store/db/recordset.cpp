#include "store/db/recordset.h"

#include "store/db/database.h"
#include "store/db/engine.h"

namespace velmar::db {

bool Recordset::fail(const QString& reason) {
    m_error = reason;
    if (m_db)
        m_db->m_lastError = reason;
    return false;
}

bool Recordset::step() {
    m_row.clear();
    const Statement::Step result = m_statement.step();
    if (result == Statement::Step::Row) {
        m_eof = false;
        ++m_count;
        const int columns = static_cast<int>(m_columns.size());
        m_row.reserve(columns);
        for (int i = 0; i < columns; ++i)
            m_row.push_back(readColumn(m_statement.handle(), i));
        return true;
    }
    m_eof = true;
    if (result == Statement::Step::Failed && m_statement.isPrepared())
        return fail(m_statement.error());
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

Value Recordset::field(int index) const {
    return index >= 0 && index < static_cast<int>(m_row.size()) ? Value(m_row[size_t(index)]) : Value();
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

// The INSERT or UPDATE of the pending fields, every value a mark.
QString Recordset::changeStatement() const {
    QStringList names;
    QStringList marks;
    for (const auto& entry : m_pending) {
        names << quoteIdentifier(entry.first);
        marks << (m_editing == Editing::AddNew ? QStringLiteral("?") : quoteIdentifier(entry.first) + "=?");
    }
    if (m_editing == Editing::Edit)
        return "UPDATE " + quoteIdentifier(m_table) + " SET " + marks.join(',') + " WHERE " +
               quoteIdentifier(m_keyColumn) + "=?";
    if (m_pending.empty())
        return "INSERT INTO " + quoteIdentifier(m_table) + " DEFAULT VALUES";
    return "INSERT INTO " + quoteIdentifier(m_table) + " (" + names.join(',') + ") VALUES (" +
           marks.join(',') + ")";
}

BoundRow Recordset::changeValues() const {
    BoundRow values;
    for (const auto& entry : m_pending)
        values.emplace_back(entry.second);
    if (m_editing == Editing::Edit)
        values.emplace_back(field(m_keyColumn).variant());
    return values;
}

// The current row shows what an edit stored.
void Recordset::keepChangedFields() {
    for (const auto& [column, value] : m_pending)
        for (qsizetype i = 0; i < m_columns.size(); ++i)
            if (m_columns.at(i).compare(column, Qt::CaseInsensitive) == 0 &&
                i < static_cast<qsizetype>(m_row.size()))
                m_row[i] = value;
}

bool Recordset::update() {
    if (m_editing == Editing::None || !m_db || !m_db->isOpen())
        return fail(QStringLiteral("aucune modification en cours"));
    Statement change = Statement::prepare(m_db->m_handle, changeStatement());
    if (!change.isPrepared() || !change.run(changeValues()))
        return fail(change.error());
    if (m_editing == Editing::Edit)
        keepChangedFields();
    m_pending.clear();
    m_editing = Editing::None;
    return true;
}

bool Recordset::remove() {
    if (m_table.isEmpty() || m_keyColumn.isEmpty() || m_eof || !m_db)
        return fail(QStringLiteral("aucun enregistrement courant à supprimer"));
    return m_db->execute("DELETE FROM " + quoteIdentifier(m_table) + " WHERE " +
                             quoteIdentifier(m_keyColumn) + "=?",
                         {field(m_keyColumn).variant()}) ||
           fail(m_db->lastError());
}

Recordset Recordset::filter(const QString& condition) const {
    if (!m_db)
        return Recordset();
    QString base = m_sql.trimmed();
    while (base.endsWith(QLatin1Char(';')))
        base.chop(1);
    // The condition follows the marks of the base statement, which keep their values.
    Recordset filtered = m_db->openBound(
        QStringLiteral("SELECT * FROM (") + base + QStringLiteral(") WHERE ") + condition, m_parameters);
    // The rows still come from this record set's table, and stay editable.
    if (filtered.m_columns == m_columns) {
        filtered.m_table = m_table;
        filtered.m_keyColumn = m_keyColumn;
    }
    return filtered;
}

void Recordset::close() {
    if (!m_shape.isEmpty() && m_db)
        m_db->m_statements.giveBack(std::exchange(m_shape, QString()), std::move(m_statement));
    m_statement = Statement();
    m_row.clear();
    m_eof = true;
}

} // namespace velmar::db
