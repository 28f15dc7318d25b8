#pragma once

// The Jet flavour of SQL the catalogue's statements are written in, turned
// into what SQLite understands.

#include <QString>
#include <QStringList>

namespace velmar::db {

// Rewrites every double-quoted text value ("a ""b""") into a single-quoted
// SQL literal ('a "b"'), so that a value never reads as a column name.
// Single-quoted literals and everything else pass through unchanged. An
// unterminated literal is closed at the end of the text.
QString rewriteJetSql(const QString& sql);

// Jet's LIKE: "*" any run of characters, "?" one character, "#" one digit,
// "[abc]", "[a-c]", "[!a-c]" a class; every other character, "%" and "_"
// included, stands for itself. Letters compare without case, accented ones too.
bool jetLike(const QString& pattern, const QString& text);

// The runs of plain characters of a LIKE pattern, case-folded as jetLike folds
// them: every text the pattern matches holds each run, folded, as it stands.
QStringList jetLikeLiteralRuns(const QString& pattern);

} // namespace velmar::db
