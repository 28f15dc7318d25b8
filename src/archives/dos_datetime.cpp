#include "archives/dos_datetime.h"

namespace velmar::archives {

QDateTime zeroDateTime() {
    return QDateTime(QDate(1899, 12, 30), QTime(0, 0), Qt::UTC);
}

DateTimeFields dosDateTimeFields(quint16 date, quint16 time) {
    DateTimeFields f;
    f.year = 1980 + (date >> 9);
    f.month = (date >> 5) & 0x0F;
    f.day = date & 0x1F;
    f.hour = time >> 11;
    f.minute = (time >> 5) & 0x3F;
    f.second = (time & 0x1F) * 2;
    if (!QDate::isValid(f.year, f.month, f.day) || !QTime::isValid(f.hour, f.minute, f.second))
        return DateTimeFields();
    return f;
}

QDateTime dosDateTime(quint16 date, quint16 time) {
    const DateTimeFields f = dosDateTimeFields(date, time);
    return QDateTime(QDate(f.year, f.month, f.day), QTime(f.hour, f.minute, f.second), Qt::UTC);
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
