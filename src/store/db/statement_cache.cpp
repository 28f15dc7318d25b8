#include "store/db/statement_cache.h"

#include <QVariant>

namespace velmar::db {

namespace {

bool isWordCharacter(QChar ch) {
    return ch.isLetterOrNumber() || ch == u'_' || ch == u'.';
}

// The index just past the quoted run starting at `at`: 'text', "name", [name]
// or `name`, a doubled quote standing for itself.
qsizetype skipQuoted(const QString& sql, qsizetype at) {
    const QChar close = sql[at] == u'[' ? QChar(u']') : sql[at];
    for (qsizetype i = at + 1; i < sql.size(); ++i)
        if (sql[i] == close) {
            if (close != u']' && i + 1 < sql.size() && sql[i + 1] == close)
                ++i;
            else
                return i + 1;
        }
    return sql.size();
}

// Whether the text before `at`, blanks skipped, ends with =, <, > or !=.
bool followsComparison(const QString& sql, qsizetype at) {
    qsizetype i = at - 1;
    while (i >= 0 && sql[i].isSpace())
        --i;
    return i >= 0 && (sql[i] == u'=' || sql[i] == u'<' || sql[i] == u'>');
}

bool holdsLike(const QString& sql) {
    return sql.contains(QLatin1String("LIKE"), Qt::CaseInsensitive);
}

} // namespace

bool StatementCache::shapeOf(const QString& sql, QString& shape, BoundRow& values) {
    if (sql.contains(u'?') || holdsLike(sql))
        return false;
    shape.clear();
    shape.reserve(sql.size());
    values.clear();
    for (qsizetype i = 0; i < sql.size();) {
        const QChar ch = sql[i];
        if (ch == u'\'' || ch == u'"' || ch == u'[' || ch == u'`') {
            const qsizetype end = skipQuoted(sql, i);
            shape += QStringView(sql).sliced(i, end - i);
            i = end;
            continue;
        }
        qsizetype end = i;
        while (end < sql.size() && sql[end].isDigit())
            ++end;
        const bool number = end > i && (i == 0 || !isWordCharacter(sql[i - 1])) &&
                            (end == sql.size() || !isWordCharacter(sql[end])) && followsComparison(sql, i);
        bool fits = false;
        const qint64 value = number ? QStringView(sql).sliced(i, end - i).toLongLong(&fits) : 0;
        if (fits) {
            shape += u'?';
            values.emplace_back(QVariant(value));
            i = end;
            continue;
        }
        shape += ch;
        ++i;
    }
    return !values.empty();
}

Statement StatementCache::take(const QString& shape) {
    const auto kept = m_statements.find(shape);
    if (kept == m_statements.end())
        return Statement();
    Statement statement = std::move(kept->second);
    m_statements.erase(kept);
    return statement;
}

void StatementCache::giveBack(const QString& shape, Statement statement) {
    if (!statement.isPrepared() || m_statements.contains(shape) || m_statements.size() >= kCapacity)
        return;
    statement.reset();
    m_statements.emplace(shape, std::move(statement));
}

} // namespace velmar::db
