#include "archives/dos_datetime.h"

namespace velmar::archives {

QDateTime zeroDateTime() {
    return QDateTime(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC);
}

QDateTime dosDateTime(quint16 date, quint16 time) {
    const int year = 1980 + (date >> 9);
    const int month = (date >> 5) & 0x0F;
    const int day = date & 0x1F;
    const int hour = time >> 11;
    const int minute = (time >> 5) & 0x3F;
    const int second = (time & 0x1F) * 2;
    if (!QDate::isValid(year, month, day) || !QTime::isValid(hour, minute, second))
        return zeroDateTime();
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second), Qt::UTC);
}

DosStamp dosStampFromUnix(qint32 seconds) {
    const QDateTime moment = QDateTime(QDate(1970, 1, 1), QTime(0, 0), Qt::UTC).addSecs(seconds);
    const QDate d = moment.date();
    const QTime t = moment.time();
    DosStamp stamp;
    stamp.date = static_cast<quint16>((d.year() - 1980) * 512 + d.month() * 32 + d.day());
    stamp.time = static_cast<quint16>(t.hour() * 2048 + t.minute() * 32 + t.second() / 2);
    return stamp;
}

QString versionText(quint8 version) {
    return QString::number(version / 10) + QLatin1Char('.') + QString::number(version % 10);
}

} // namespace velmar::archives
