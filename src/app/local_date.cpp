#include "app/local_date.h"

#include <QDateTime>

namespace velmar {

QString shortLocalDate(const QString& stored, const QLocale& locale) {
    const QDateTime date = QDateTime::fromString(stored, QStringLiteral("yyyy-MM-dd HH:mm:ss"));
    return date.isValid() ? locale.toString(date, QLocale::ShortFormat) : stored;
}

} // namespace velmar
