#pragma once

// The counts and sizes shown to the user, in French.

#include <QChar>
#include <QString>

namespace velmar {

// Count text from two templates where '#' stands for the number: the singular
// template serves 0 and 1, the plural one every other number.
// countText(3, "# fichier", "# fichiers") == "3 fichiers".
QString countText(qint64 n, const QString& singular, const QString& plural);

// "Aucun fichier", "Un fichier", "12 fichiers"; in lower case when the phrase
// stands in the middle of a sentence.
enum class PhraseCase { Capitalised, Lower };
QString filesPhrase(qint64 n, PhraseCase phraseCase = PhraseCase::Capitalised);

// "0 octet", "1 octet", "512 octets", then Ko, Mo, Go. The quotient is cut, not
// rounded: to a whole number when `wholeNumber`, otherwise to two decimals, with
// trailing zeros dropped. The decimal separator is the user's locale's unless one
// is given (1 572 864 bytes read "1,5 Mo" under a French locale).
QString sizePhrase(qint64 bytes, bool wholeNumber, QChar decimalSeparator = QChar());

} // namespace velmar
