#pragma once

// Dates as the user reads them: the catalogue keeps "YYYY-MM-DD HH:MM:SS";
// the windows show the short date and time of the system's locale.

#include <QLocale>
#include <QString>

namespace velmar {

// The stored date in the locale's short form ("07/12/2026 01:39" in French);
// a text that is no stored date is returned as it is.
QString shortLocalDate(const QString& stored, const QLocale& locale = QLocale::system());

} // namespace velmar
