#include "store/db/sql_dialect.h"

#include <vector>

namespace velmar::db {

QString rewriteJetSql(const QString& sql) {
    QString out;
    out.reserve(sql.size() + 8);
    const qsizetype n = sql.size();
    qsizetype i = 0;
    while (i < n) {
        const QChar c = sql.at(i);
        if (c != QLatin1Char('"') && c != QLatin1Char('\'')) {
            out += c;
            ++i;
            continue;
        }
        // A literal: copy its content with '' doubling for SQLite.
        out += QLatin1Char('\'');
        ++i;
        while (i < n) {
            const QChar d = sql.at(i);
            if (d == c) {
                if (i + 1 < n && sql.at(i + 1) == c) { // doubled delimiter
                    out += (c == QLatin1Char('\'')) ? QStringLiteral("''") : QStringLiteral("\"");
                    i += 2;
                    continue;
                }
                ++i;
                break;
            }
            out += (d == QLatin1Char('\'')) ? QStringLiteral("''") : QString(d);
            ++i;
        }
        out += QLatin1Char('\'');
    }
    return out;
}

namespace {

enum class TokenKind { Literal, AnyRun, AnyOne, Digit, Class };

struct Token {
    TokenKind kind;
    QString chars; // Literal: one folded character; Class: singles
    std::vector<std::pair<QChar, QChar>> ranges;
    bool negated = false;
};

QString fold(const QString& s) {
    return s.toCaseFolded();
}

// Parses "[...]" starting just after '['; returns false when there is no ']'.
bool parseClass(const QString& p, qsizetype& i, Token& token) {
    qsizetype j = i;
    if (j < p.size() && p.at(j) == QLatin1Char('!')) {
        token.negated = true;
        ++j;
    }
    while (j < p.size() && p.at(j) != QLatin1Char(']')) {
        const QChar lo = p.at(j);
        if (j + 2 < p.size() && p.at(j + 1) == QLatin1Char('-') && p.at(j + 2) != QLatin1Char(']')) {
            token.ranges.emplace_back(lo, p.at(j + 2));
            j += 3;
        } else {
            token.chars += lo;
            ++j;
        }
    }
    if (j >= p.size())
        return false;
    i = j + 1;
    return true;
}

std::vector<Token> tokenize(const QString& folded) {
    std::vector<Token> tokens;
    qsizetype i = 0;
    while (i < folded.size()) {
        const QChar c = folded.at(i++);
        Token t{TokenKind::Literal, QString(c), {}, false};
        if (c == QLatin1Char('*'))
            t.kind = TokenKind::AnyRun;
        else if (c == QLatin1Char('?'))
            t.kind = TokenKind::AnyOne;
        else if (c == QLatin1Char('#'))
            t.kind = TokenKind::Digit;
        else if (c == QLatin1Char('[')) {
            Token cls{TokenKind::Class, QString(), {}, false};
            qsizetype k = i;
            if (parseClass(folded, k, cls)) {
                i = k;
                t = cls;
            }
        }
        tokens.push_back(std::move(t));
    }
    return tokens;
}

bool matchesOne(const Token& t, QChar c) {
    switch (t.kind) {
    case TokenKind::Literal:
        return t.chars.at(0) == c;
    case TokenKind::AnyOne:
        return true;
    case TokenKind::Digit:
        return c.isDigit();
    case TokenKind::Class: {
        bool in = t.chars.contains(c);
        for (const auto& [lo, hi] : t.ranges)
            in = in || (c >= lo && c <= hi);
        return in != t.negated;
    }
    case TokenKind::AnyRun:
        break;
    }
    return false;
}

} // namespace

bool jetLike(const QString& pattern, const QString& text) {
    const std::vector<Token> tokens = tokenize(fold(pattern));
    const QString s = fold(text);
    size_t p = 0;
    qsizetype t = 0;
    size_t starToken = SIZE_MAX;
    qsizetype starText = 0;
    while (t < s.size()) {
        if (p < tokens.size() && tokens[p].kind == TokenKind::AnyRun) {
            starToken = p++;
            starText = t;
        } else if (p < tokens.size() && matchesOne(tokens[p], s.at(t))) {
            ++p;
            ++t;
        } else if (starToken != SIZE_MAX) {
            p = starToken + 1;
            t = ++starText;
        } else {
            return false;
        }
    }
    while (p < tokens.size() && tokens[p].kind == TokenKind::AnyRun)
        ++p;
    return p == tokens.size();
}

QStringList jetLikeLiteralRuns(const QString& pattern) {
    QStringList runs;
    QString run;
    for (const Token& token : tokenize(fold(pattern))) {
        if (token.kind == TokenKind::Literal) {
            run += token.chars;
            continue;
        }
        if (!run.isEmpty())
            runs << run;
        run.clear();
    }
    if (!run.isEmpty())
        runs << run;
    return runs;
}

} // namespace velmar::db
