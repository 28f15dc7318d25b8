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
    // Days and seconds of the day, then the Gregorian date of the day
    // (eras of 400 years from 0000-03-01, so that leap days end a year).
    qint64 days = seconds / 86400;
    qint32 second = seconds % 86400;
    if (second < 0) {
        second += 86400;
        --days;
    }
    days += 719468; // 1970-01-01 counted from 0000-03-01
    const qint64 era = (days >= 0 ? days : days - 146096) / 146097;
    const qint64 dayOfEra = days - era * 146097;
    const qint64 yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const qint64 dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const qint64 shiftedMonth = (5 * dayOfYear + 2) / 153; // 0 for March
    const int day = int(dayOfYear - (153 * shiftedMonth + 2) / 5 + 1);
    const int month = int(shiftedMonth < 10 ? shiftedMonth + 3 : shiftedMonth - 9);
    const int year = int(yearOfEra + era * 400 + (month <= 2 ? 1 : 0));
    DosStamp stamp;
    stamp.date = static_cast<quint16>((year - 1980) * 512 + month * 32 + day);
    stamp.time = static_cast<quint16>(second / 3600 * 2048 + second % 3600 / 60 * 32 + second % 60 / 2);
    return stamp;
}

QString versionText(quint8 version) {
    return QString::number(version / 10) + QLatin1Char('.') + QString::number(version % 10);
}

} // namespace velmar::archives
