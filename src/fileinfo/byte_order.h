#pragma once

// Endian-explicit reads from a byte buffer. Each reports whether the bytes were
// there; on failure the output is left at 0.

#include <QByteArray>

#include <cstdint>

namespace velmar::bytes {

inline bool inRange(const QByteArray& data, qint64 offset, qint64 count) {
    return offset >= 0 && count >= 0 && offset <= data.size() && count <= data.size() - offset;
}

inline quint8 at(const QByteArray& data, qint64 offset) {
    return static_cast<quint8>(data.at(static_cast<qsizetype>(offset)));
}

inline bool readU8(const QByteArray& data, qint64 offset, quint8& value) {
    value = 0;
    if (!inRange(data, offset, 1))
        return false;
    value = at(data, offset);
    return true;
}

inline bool readLE16(const QByteArray& data, qint64 offset, quint16& value) {
    value = 0;
    if (!inRange(data, offset, 2))
        return false;
    value = static_cast<quint16>(at(data, offset) | (at(data, offset + 1) << 8));
    return true;
}

inline bool readBE16(const QByteArray& data, qint64 offset, quint16& value) {
    value = 0;
    if (!inRange(data, offset, 2))
        return false;
    value = static_cast<quint16>((at(data, offset) << 8) | at(data, offset + 1));
    return true;
}

inline bool readLE32(const QByteArray& data, qint64 offset, quint32& value) {
    value = 0;
    if (!inRange(data, offset, 4))
        return false;
    value = static_cast<quint32>(at(data, offset)) | (static_cast<quint32>(at(data, offset + 1)) << 8) |
            (static_cast<quint32>(at(data, offset + 2)) << 16) |
            (static_cast<quint32>(at(data, offset + 3)) << 24);
    return true;
}

inline bool readBE32(const QByteArray& data, qint64 offset, quint32& value) {
    value = 0;
    if (!inRange(data, offset, 4))
        return false;
    value = (static_cast<quint32>(at(data, offset)) << 24) |
            (static_cast<quint32>(at(data, offset + 1)) << 16) |
            (static_cast<quint32>(at(data, offset + 2)) << 8) | static_cast<quint32>(at(data, offset + 3));
    return true;
}

inline bool readLE24(const QByteArray& data, qint64 offset, quint32& value) {
    value = 0;
    if (!inRange(data, offset, 3))
        return false;
    value = static_cast<quint32>(at(data, offset)) | (static_cast<quint32>(at(data, offset + 1)) << 8) |
            (static_cast<quint32>(at(data, offset + 2)) << 16);
    return true;
}

} // namespace velmar::bytes
