#include "app/text.h"

#include <QLocale>

namespace velmar {

QString NombreEnTexte(double value) {
    QString text = QLocale::c().toString(value, 'g', 15);
    text.replace(QLatin1Char('e'), QLatin1Char('E'));
    return text;
}

QString NombreEnTexte(qint64 value) {
    return QString::number(value);
}

bool RemplaceTexte(QString& text, const QString& find, const QString& replacement, bool ignoreCase,
                   int maxCount) {
    if (find.isEmpty() || maxCount == 0)
        return false;
    const Qt::CaseSensitivity cs = ignoreCase ? Qt::CaseInsensitive : Qt::CaseSensitive;
    int done = 0;
    qsizetype from = 0;
    while (maxCount < 0 || done < maxCount) {
        const qsizetype at = text.indexOf(find, from, cs);
        if (at < 0)
            break;
        text.replace(at, find.size(), replacement);
        from = at + replacement.size();
        ++done;
    }
    return done > 0;
}

QString hashField(const QString& line, int index) {
    if (index < 1)
        return {};
    qsizetype start = 0;
    for (int i = 1; i < index; ++i) {
        const qsizetype sep = line.indexOf(QLatin1Char('#'), start);
        if (sep < 0)
            return {};
        start = sep + 1;
    }
    const qsizetype end = line.indexOf(QLatin1Char('#'), start);
    return line.mid(start, end < 0 ? -1 : end - start);
}

double numericValue(const QString& text) {
    qsizetype i = 0;
    const qsizetype n = text.size();
    while (i < n && (text[i] == QLatin1Char(' ') || text[i] == QLatin1Char('\t')))
        ++i;
    QString number;
    if (i < n && (text[i] == QLatin1Char('-') || text[i] == QLatin1Char('+')))
        number += text[i++];
    bool seenDot = false;
    bool seenDigit = false;
    for (; i < n; ++i) {
        const QChar c = text[i];
        if (c.isDigit() && c.unicode() < 128) {
            number += c;
            seenDigit = true;
        } else if (c == QLatin1Char('.') && !seenDot) {
            number += c;
            seenDot = true;
        } else {
            break;
        }
    }
    // An exponent only counts when digits follow it.
    if (seenDigit && i + 1 < n && (text[i] == QLatin1Char('E') || text[i] == QLatin1Char('e'))) {
        qsizetype j = i + 1;
        QString exponent = QStringLiteral("e");
        if (text[j] == QLatin1Char('-') || text[j] == QLatin1Char('+'))
            exponent += text[j++];
        const qsizetype digitsStart = j;
        while (j < n && text[j].isDigit() && text[j].unicode() < 128)
            exponent += text[j++];
        if (j > digitsStart)
            number += exponent;
    }
    if (!seenDigit)
        return 0.0;
    bool ok = false;
    const double value = QLocale::c().toDouble(number, &ok);
    return ok ? value : 0.0;
}

QString doubledQuotes(QString value) {
    return value.replace(QLatin1Char('"'), QStringLiteral("\"\""));
}

QString sqlQuote(const QString& value) {
    return QLatin1Char('"') + doubledQuotes(value) + QLatin1Char('"');
}

} // namespace velmar
