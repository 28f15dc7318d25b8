#pragma once

// A read position over a ByteSource with little-endian helpers. Every helper
// reports whether all its bytes were there; missing bytes read as zero and the
// position still moves, so a walk over a truncated archive simply ends.

#include "archives/byte_source.h"

#include <QByteArray>

namespace velmar::archives {

class ByteReader {
public:
    explicit ByteReader(ByteSource& source) : m_source(source) {}

    qint64 position() const { return m_position; }
    qint64 size() const { return m_source.size(); }
    qint64 remaining() const { return m_source.size() - m_position; }
    bool atEnd() const { return m_position >= m_source.size(); }
    void seek(qint64 position) { m_position = position < 0 ? 0 : position; }
    void skip(qint64 count) { seek(m_position + count); }

    bool read(char* destination, qint64 count);
    bool readU8(quint8& value);
    bool readU16(quint16& value);
    bool readU32(quint32& value);
    bool readU64(quint64& value);
    // Up to `count` bytes; past the end the array is shorter.
    bool readBytes(qint64 count, QByteArray& bytes);
    // Bytes up to and excluding a 0 byte (or the end of the source).
    bool readCString(QByteArray& bytes);

private:
    template <typename T> bool readLittle(T& value);

    ByteSource& m_source;
    qint64 m_position = 0;
};

} // namespace velmar::archives
