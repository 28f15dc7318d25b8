#include "support/byte_strings.h"

namespace velmar::test {

QByteArray le16(int value) {
    return QByteArray(1, char(value & 0xFF)) + char((value >> 8) & 0xFF);
}

QByteArray le32(quint32 value) {
    return le16(int(value & 0xFFFF)) + le16(int(value >> 16));
}

QByteArray be16(int value) {
    return QByteArray(1, char((value >> 8) & 0xFF)) + char(value & 0xFF);
}

QByteArray be32(quint32 value) {
    return be16(int(value >> 16)) + be16(int(value & 0xFFFF));
}

} // namespace velmar::test
