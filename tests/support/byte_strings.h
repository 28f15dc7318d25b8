#pragma once

// Bytes of hand-made test files: numbers in a given byte order, as strings to
// concatenate (le16) or appended to a header being built (put16).

#include <QByteArray>

namespace velmar::test {

QByteArray le16(int value);
QByteArray le32(quint32 value);
QByteArray be16(int value);
QByteArray be32(quint32 value);

inline void put16(QByteArray& bytes, int value) {
    bytes += le16(value);
}
inline void put32(QByteArray& bytes, quint32 value) {
    bytes += le32(value);
}

} // namespace velmar::test
