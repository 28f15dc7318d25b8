// The database layer's use of the name index: a LIKE on an indexed name
// column becomes "(key IN (rows of the index) AND the LIKE itself)". The exact
// Jet LIKE still decides every row; the index only has to hold every row that
// can match, which the choice of trigrams below guarantees.

#include "store/db/name_index.h"

#include "store/db/engine.h"
#include "store/db/sql_dialect.h"
#include "store/db/statement.h"

#include <QHash>
#include <QRegularExpression>

#include <memory>

#include <sqlite3.h>

namespace velmar::db {

namespace {

// Beyond this many candidate rows the narrowed statement, which must sort what
// it finds, gives its first lines later than the ordered scan, which streams
// them: a pattern that common is left to the scan. A directory stands for all
// its files, hence the smaller bound.
constexpr qint64 kFileCandidates = 20000;
constexpr qint64 kDirectoryCandidates = 2000;
// Enough trigrams to make a pattern selective; more only cost lookups.
constexpr int kMostTrigrams = 12;

struct IndexedColumn {
    const char* column;
    const char* table;
    const char* key;
    const char* index;
    const char* trigger; // prefix of the triggers that keep the index in step
    qint64 candidates;
};

constexpr IndexedColumn kIndexedColumns[] = {
    {"Fichier", "Fichiers", "NumFichier", "NomsFichiers", "NomsFichiers", kFileCandidates},
    {"RepertoireSeul", "Repertoires", "NumRepertoire", "NomsRepertoires", "NomsRepertoires",
     kDirectoryCandidates},
    {"RepertoireParent", "Repertoires", "NumRepertoire", "NomsRepertoires", "NomsRepertoires",
     kDirectoryCandidates},
};

const IndexedColumn* indexedColumn(const QString& name) {
    for (const IndexedColumn& c : kIndexedColumns)
        if (name.compare(QLatin1String(c.column), Qt::CaseInsensitive) == 0)
            return &c;
    return nullptr;
}

// Every character whose Qt case folding differs from itself, by its folding.
// Unicode has case only in its first two planes.
const QHash<char32_t, QList<char32_t>>& foldedFrom() {
    static const QHash<char32_t, QList<char32_t>> table = [] {
        QHash<char32_t, QList<char32_t>> t;
        for (char32_t c = 0; c <= 0x1FFFF; ++c) {
            if (c >= 0xD800 && c <= 0xDFFF)
                continue;
            const char32_t folded = QChar::toCaseFolded(c);
            if (folded != c)
                t[folded].append(c);
        }
        return t;
    }();
    return table;
}

fts5_api* fts5Api(sqlite3* handle) {
    fts5_api* api = nullptr;
    sqlite3_stmt* statement = nullptr;
    if (sqlite3_prepare_v2(handle, "SELECT fts5(?1)", -1, &statement, nullptr) == SQLITE_OK) {
        sqlite3_bind_pointer(statement, 1, &api, "fts5_api_ptr", nullptr);
        sqlite3_step(statement);
    }
    sqlite3_finalize(statement);
    return api;
}

// The index's own case folding, read from its tokenizer. A character of a
// pattern may be looked up in the index when every character that the LIKE
// folds onto it is folded by the index onto the same trigram: then a name the
// LIKE accepts holds, folded by the index, every trigram looked up.
class IndexFold {
public:
    explicit IndexFold(sqlite3* handle) {
        fts5_api* api = fts5Api(handle);
        void* userData = nullptr;
        const char* arguments[] = {"case_sensitive", "0"};
        if (api && api->xFindTokenizer(api, "trigram", &userData, &m_methods) == SQLITE_OK &&
            m_methods.xCreate(userData, arguments, 2, &m_tokenizer) != SQLITE_OK)
            m_tokenizer = nullptr;
    }
    ~IndexFold() {
        if (m_tokenizer)
            m_methods.xDelete(m_tokenizer);
    }
    IndexFold(const IndexFold&) = delete;
    IndexFold& operator=(const IndexFold&) = delete;

    bool searchable(QChar folded) {
        if (!m_tokenizer || folded.isSurrogate())
            return false;
        const auto known = m_searchable.constFind(folded.unicode());
        if (known != m_searchable.cend())
            return known.value();
        const QByteArray target = trigramOf(folded.unicode());
        bool alike = !target.isEmpty();
        for (const char32_t other : foldedFrom().value(folded.unicode()))
            alike = alike && trigramOf(other) == target;
        m_searchable.insert(folded.unicode(), alike);
        return alike;
    }

private:
    // The index's token for the character written three times.
    QByteArray trigramOf(char32_t c) {
        const QByteArray once = QString::fromUcs4(&c, 1).toUtf8();
        const QByteArray text = once + once + once;
        QByteArray token;
        m_methods.xTokenize(m_tokenizer, &token, FTS5_TOKENIZE_DOCUMENT, text.constData(),
                            static_cast<int>(text.size()),
                            [](void* context, int, const char* bytes, int size, int, int) {
                                auto* first = static_cast<QByteArray*>(context);
                                if (first->isEmpty())
                                    *first = QByteArray(bytes, size);
                                return SQLITE_OK;
                            });
        return token;
    }

    fts5_tokenizer m_methods{};
    Fts5Tokenizer* m_tokenizer = nullptr;
    QHash<char16_t, bool> m_searchable;
};

QString ftsString(const QString& text) {
    return QLatin1Char('"') + QString(text).replace(QLatin1Char('"'), QStringLiteral("\"\"")) +
           QLatin1Char('"');
}

// The index query every name the pattern matches meets: the trigrams of the
// pattern's plain runs, cut at characters the index cannot stand for. Empty
// when the pattern has no run of three such characters.
QString indexQuery(IndexFold& fold, const QString& pattern) {
    QStringList trigrams;
    for (const QString& run : jetLikeLiteralRuns(pattern)) {
        qsizetype start = 0;
        for (qsizetype i = 0; i <= run.size(); ++i) {
            if (i < run.size() && fold.searchable(run.at(i)))
                continue;
            for (qsizetype t = start; t + 3 <= i && trigrams.size() < kMostTrigrams; ++t)
                if (!trigrams.contains(run.mid(t, 3)))
                    trigrams << run.mid(t, 3);
            start = i + 1;
        }
    }
    for (QString& t : trigrams)
        t = ftsString(t);
    return trigrams.join(QStringLiteral(" AND "));
}

// The number the statement's first row holds, -1 when it gives none.
qint64 singleNumber(sqlite3* handle, const QString& sql, const QVariantList& values = {}) {
    Statement statement = Statement::prepare(handle, sql);
    const BoundRow bound = boundRow(values);
    if (!statement.bind(bound) || statement.step() != Statement::Step::Row)
        return -1;
    return readColumn(statement.handle(), 0).toLongLong();
}

// The index and the three triggers that keep it in step are all there, and no
// row waits to be indexed.
bool indexInStep(sqlite3* handle, const IndexedColumn& c) {
    const QString trigger = QLatin1String(c.trigger);
    return singleNumber(handle,
                        QStringLiteral("SELECT count(*) FROM sqlite_master WHERE name IN (?, ?, ?, ?)"),
                        {QLatin1String(c.index), trigger + QStringLiteral("Ajout"),
                         trigger + QStringLiteral("Retrait"), trigger + QStringLiteral("Changement")}) == 4 &&
           singleNumber(handle,
                        QStringLiteral("SELECT count(*) FROM %1EnAttente").arg(QLatin1String(c.index))) == 0;
}

// "key IN (rows of the index)" for a LIKE on `c`, or "" when the index cannot
// serve the pattern or finds too many rows for narrowing to pay.
QString candidateRows(sqlite3* handle, IndexFold& fold, const IndexedColumn& c, const QString& pattern) {
    QString query = indexQuery(fold, pattern);
    if (query.isEmpty() || !indexInStep(handle, c))
        return {};
    if (QLatin1String(c.table) == QLatin1String("Repertoires"))
        query = QStringLiteral("{%1} : (%2)").arg(QLatin1String(c.column), query);
    const QString count =
        QStringLiteral("SELECT count(*) FROM (SELECT rowid FROM %1 WHERE %1 MATCH ? LIMIT ?)")
            .arg(QLatin1String(c.index));
    const qint64 found = singleNumber(handle, count, {query, c.candidates + 1});
    if (found < 0 || found > c.candidates)
        return {};
    return QStringLiteral("%1.%2 IN (SELECT rowid FROM %3 WHERE %3 MATCH '%4')")
        .arg(QLatin1String(c.table), QLatin1String(c.key), QLatin1String(c.index),
             QString(query).replace(QLatin1Char('\''), QStringLiteral("''")));
}

// `sql` with the content of every single-quoted literal blanked, so that words
// are looked for only outside literals, at the same positions.
QString skeletonOf(const QString& sql) {
    QString skeleton = sql;
    bool inside = false;
    for (qsizetype i = 0; i < skeleton.size(); ++i) {
        if (skeleton.at(i) == QLatin1Char('\''))
            inside = !inside; // a doubled quote closes and reopens
        else if (inside)
            skeleton[i] = QLatin1Char('_');
    }
    return skeleton;
}

// A SELECT without outer joins: there the name columns are never NULL, so
// "(IN AND LIKE)" has the LIKE's value on every row, whatever surrounds it.
bool narrowable(const QString& skeleton) {
    static const QRegularExpression select(QStringLiteral(R"(^\s*SELECT\b)"),
                                           QRegularExpression::CaseInsensitiveOption);
    static const QRegularExpression outer(QStringLiteral(R"(\b(LEFT|RIGHT|FULL|OUTER)\b)"),
                                          QRegularExpression::CaseInsensitiveOption);
    return select.match(skeleton).hasMatch() && !outer.match(skeleton).hasMatch();
}

// The literal that starts at `quote` (a single quote) and the position after it.
QString literalAt(const QString& sql, qsizetype quote, qsizetype& end) {
    QString value;
    qsizetype i = quote + 1;
    for (; i < sql.size(); ++i) {
        if (sql.at(i) != QLatin1Char('\'')) {
            value += sql.at(i);
        } else if (i + 1 < sql.size() && sql.at(i + 1) == QLatin1Char('\'')) {
            value += QLatin1Char('\'');
            ++i;
        } else {
            break;
        }
    }
    end = i + 1;
    return value;
}

} // namespace

QString narrowByNameIndex(sqlite3* handle, const QString& sql) {
    static const QRegularExpression like(
        QStringLiteral(R"((?<![\w.\]])(?:(Fichiers|Repertoires)\.)?(\w+)\s+LIKE\s+')"),
        QRegularExpression::CaseInsensitiveOption);
    const QString skeleton = skeletonOf(sql);
    if (!narrowable(skeleton))
        return sql;
    std::unique_ptr<IndexFold> fold;
    QString narrowed;
    qsizetype copied = 0;
    for (auto it = like.globalMatch(skeleton); it.hasNext();) {
        const QRegularExpressionMatch m = it.next();
        const IndexedColumn* column = indexedColumn(m.captured(2));
        if (!column || m.capturedStart() < copied ||
            (m.hasCaptured(1) &&
             m.captured(1).compare(QLatin1String(column->table), Qt::CaseInsensitive) != 0))
            continue;
        qsizetype end = 0;
        const QString pattern = literalAt(sql, m.capturedEnd() - 1, end);
        if (!fold)
            fold = std::make_unique<IndexFold>(handle);
        const QString rows = candidateRows(handle, *fold, *column, pattern);
        if (rows.isEmpty())
            continue;
        narrowed += sql.mid(copied, m.capturedStart() - copied) + QLatin1Char('(') + rows +
                    QStringLiteral(" AND ") + sql.mid(m.capturedStart(), end - m.capturedStart()) +
                    QLatin1Char(')');
        copied = end;
    }
    return copied == 0 ? sql : narrowed + sql.mid(copied);
}

} // namespace velmar::db
