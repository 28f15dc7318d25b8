#pragma once

// Small text helpers shared by every module: number forms, replacement,
// '#'-separated fields, SQL quoting and the VB-style numeric reading of a text.

#include <QString>

namespace velmar {

// The number in invariant decimal form, "0.5" rather than ".5", no sign blank.
QString NombreEnTexte(double value);
QString NombreEnTexte(qint64 value);
inline QString NombreEnTexte(int value) {
    return NombreEnTexte(qint64{value});
}

// Replaces `find` by `replacement` from left to right, resuming just after each
// inserted replacement, at most `maxCount` times (-1 for all). True when at
// least one replacement was made. An empty `find` replaces nothing.
bool RemplaceTexte(QString& text, const QString& find, const QString& replacement, bool ignoreCase = false,
                   int maxCount = -1);

// Field `index` (counted from 1) of a line whose fields are separated by '#';
// a field beyond the last is empty.
QString hashField(const QString& line, int index);

// Leading numeric value of a text, as VB's Val reads it: blanks are skipped, the
// number stops at the first character that cannot continue it, "" and "abc" give 0.
double numericValue(const QString& text);

// The value with every double quote doubled, as it stands inside an SQL text.
QString doubledQuotes(QString value);

// A text value written between double quotes with every inner double quote doubled.
QString sqlQuote(const QString& value);

} // namespace velmar
