#include "archives/byte_reader.h"

#include "app/byte_order.h"

#include <cstring>

namespace velmar::archives {

bool ByteReader::read(char* destination, qint64 count) {
    if (count <= 0)
        return true;
    const qint64 got = m_source.readAt(m_position, destination, count);
    if (got < count)
        std::memset(destination + got, 0, static_cast<size_t>(count - got));
    m_position += count;
    return got == count;
}

bool ByteReader::readU8(quint8& value) {
    char byte = 0;
    const bool ok = read(&byte, 1);
    value = static_cast<quint8>(byte);
    return ok;
}

// Missing bytes read as zero (read() fills them), so the value is decoded
// from the whole buffer whether or not they were there.
template <typename T> bool ByteReader::readLittle(T& value) {
    char b[sizeof(T)];
    const bool ok = read(b, sizeof(T));
    bytes::readLittle(QByteArrayView(b, sizeof(T)), 0, value);
    return ok;
}

bool ByteReader::readU16(quint16& value) {
    return readLittle(value);
}

bool ByteReader::readU32(quint32& value) {
    return readLittle(value);
}

bool ByteReader::readU64(quint64& value) {
    return readLittle(value);
}

bool ByteReader::readBytes(qint64 count, QByteArray& bytes) {
    bytes.clear();
    if (count <= 0)
        return true;
    const qint64 available = std::max<qint64>(0, std::min(count, remaining()));
    bytes.resize(available);
    const qint64 got = m_source.readAt(m_position, bytes.data(), available);
    bytes.truncate(got);
    m_position += count;
    return got == count;
}

bool ByteReader::readCString(QByteArray& bytes) {
    bytes.clear();
    char chunk[256];
    while (!atEnd()) {
        const qint64 got = m_source.readAt(m_position, chunk, sizeof chunk);
        if (got <= 0)
            break;
        const void* zero = std::memchr(chunk, 0, static_cast<size_t>(got));
        if (zero) {
            const qint64 length = static_cast<const char*>(zero) - chunk;
            bytes.append(chunk, length);
            m_position += length + 1;
            return true;
        }
        bytes.append(chunk, got);
        m_position += got;
    }
    return false;
}

} // namespace velmar::archives
