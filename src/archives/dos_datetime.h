#pragma once

// DOS date and time words, the version text of a version byte, and the
// conversion of Unix seconds into DOS words used by the tar and gzip readers.
//
//   date: bits 15-9 year - 1980 | bits 8-5 month | bits 4-0 day
//   time: bits 15-11 hour       | bits 10-5 minute | bits 4-0 seconds / 2

#include <QDateTime>
#include <QString>

namespace velmar::archives {

// The empty date value: 1899-12-30 00:00:00, day zero of the date scale.
QDateTime zeroDateTime();

// The pair as a date-time, or zeroDateTime() for a pair that names no real
// moment (month 0 or 13, day 0 or past the month's end, hour 24, minute 60,
// seconds field 30 or 31).
QDateTime dosDateTime(quint16 date, quint16 time);

// The six fields of a pair, or those of the zero date when the pair is rejected.
struct DateTimeFields {
    int year = 1899, month = 12, day = 30, hour = 0, minute = 0, second = 0;
};
DateTimeFields dosDateTimeFields(quint16 date, quint16 time);

struct DosStamp {
    quint16 date = 0;
    quint16 time = 0;
};
// 1970-01-01 00:00:00 plus `seconds`; words wrap to 16 bits (years before 1980
// give a negative year field kept in two's complement).
DosStamp dosStampFromUnix(qint32 seconds);

// 20 gives "2.0", 63 gives "6.3".
QString versionText(quint8 version);

} // namespace velmar::archives
