#pragma once

// The parts of a ZIP header that extend its fixed fields: the extra field
// blocks (id, length, data) that carry 64-bit sizes and UTF-8 names, and the
// decision of how an entry's name bytes become text.

#include <QByteArray>
#include <QString>

namespace velmar::archives {

// 64-bit values of an entry; a fixed field holding its largest value
// (0xFFFFFFFF) is replaced by the Zip64 extended information block (0x0001),
// which lists only the replaced fields, in this order.
struct ZipSizes {
    quint64 uncompressed = 0;
    quint64 compressed = 0;
    quint64 localHeaderOffset = 0;
};
void applyZip64Extra(const QByteArray& extra, ZipSizes& sizes);

// The entry's name: UTF-8 when flag bit 11 says so, or the Info-ZIP Unicode
// Path block (0x7075) when its CRC-32 matches the header's name bytes; else
// the shared guess on the bytes themselves.
QString zipEntryName(const QByteArray& name, quint16 flags, const QByteArray& extra);
// A comment: UTF-8 when flag bit 11 says so, else the shared guess.
QString zipText(const QByteArray& bytes, quint16 flags);

} // namespace velmar::archives
