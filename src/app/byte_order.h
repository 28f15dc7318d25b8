#pragma once

// Endian-explicit reads of unsigned values from a span of bytes: the one place
// where bytes are assembled into numbers. Every read checks its bytes against
// the span first; a read that would pass the end is reported (false) and never
// performed, and its output is left at 0. The value forms (le16, be32...) give
// that 0 without telling, for spans whose length the caller has checked.
//
// A fixed buffer is passed as QByteArrayView(buffer, size): a bare char array
// would be taken as a NUL-terminated string.

#include <QByteArrayView>

#include <cstdint>
#include <type_traits>

namespace velmar::bytes {

inline bool inRange(QByteArrayView data, qint64 offset, qint64 count) {
    return offset >= 0 && count >= 0 && offset <= data.size() && count <= data.size() - offset;
}

inline quint8 at(QByteArrayView data, qint64 offset) {
    return static_cast<quint8>(data[static_cast<qsizetype>(offset)]);
}

// `width` bytes (1 to 8), lowest first or highest first.
inline bool readLittle(QByteArrayView data, qint64 offset, int width, quint64& value) {
    value = 0;
    if (width < 1 || width > 8 || !inRange(data, offset, width))
        return false;
    for (int i = width - 1; i >= 0; --i)
        value = (value << 8) | at(data, offset + i);
    return true;
}

inline bool readBig(QByteArrayView data, qint64 offset, int width, quint64& value) {
    value = 0;
    if (width < 1 || width > 8 || !inRange(data, offset, width))
        return false;
    for (int i = 0; i < width; ++i)
        value = (value << 8) | at(data, offset + i);
    return true;
}

template <typename T> bool readLittle(QByteArrayView data, qint64 offset, T& value) {
    static_assert(std::is_unsigned_v<T>);
    quint64 wide = 0;
    const bool ok = readLittle(data, offset, int(sizeof(T)), wide);
    value = static_cast<T>(wide);
    return ok;
}

template <typename T> bool readBig(QByteArrayView data, qint64 offset, T& value) {
    static_assert(std::is_unsigned_v<T>);
    quint64 wide = 0;
    const bool ok = readBig(data, offset, int(sizeof(T)), wide);
    value = static_cast<T>(wide);
    return ok;
}

inline bool readU8(QByteArrayView data, qint64 offset, quint8& value) {
    return readLittle(data, offset, value);
}
inline bool readLE16(QByteArrayView data, qint64 offset, quint16& value) {
    return readLittle(data, offset, value);
}
// Three bytes, as WebP stores its canvas size.
inline bool readLE24(QByteArrayView data, qint64 offset, quint32& value) {
    quint64 wide = 0;
    const bool read = readLittle(data, offset, 3, wide);
    value = static_cast<quint32>(wide);
    return read;
}
inline bool readLE32(QByteArrayView data, qint64 offset, quint32& value) {
    return readLittle(data, offset, value);
}
inline bool readLE64(QByteArrayView data, qint64 offset, quint64& value) {
    return readLittle(data, offset, value);
}
inline bool readBE16(QByteArrayView data, qint64 offset, quint16& value) {
    return readBig(data, offset, value);
}
inline bool readBE32(QByteArrayView data, qint64 offset, quint32& value) {
    return readBig(data, offset, value);
}
inline bool readBE64(QByteArrayView data, qint64 offset, quint64& value) {
    return readBig(data, offset, value);
}

template <typename T> T littleAt(QByteArrayView data, qint64 offset) {
    T value = 0;
    readLittle(data, offset, value);
    return value;
}

template <typename T> T bigAt(QByteArrayView data, qint64 offset) {
    T value = 0;
    readBig(data, offset, value);
    return value;
}

// `width` bytes (1 to 8), lowest first.
inline quint64 le(QByteArrayView data, qint64 offset, int width) {
    quint64 value = 0;
    readLittle(data, offset, width, value);
    return value;
}
inline quint16 le16(QByteArrayView data, qint64 offset = 0) {
    return littleAt<quint16>(data, offset);
}
inline quint32 le32(QByteArrayView data, qint64 offset = 0) {
    return littleAt<quint32>(data, offset);
}
inline quint64 le64(QByteArrayView data, qint64 offset = 0) {
    return littleAt<quint64>(data, offset);
}
inline quint16 be16(QByteArrayView data, qint64 offset = 0) {
    return bigAt<quint16>(data, offset);
}
inline quint32 be32(QByteArrayView data, qint64 offset = 0) {
    return bigAt<quint32>(data, offset);
}

} // namespace velmar::bytes
