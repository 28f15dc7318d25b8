#include "archives/byte_source.h"

#include <algorithm>
#include <cstring>

namespace velmar::archives {

namespace {
constexpr qint64 windowSize = 64 * 1024;
}

QByteArray bytesAt(ByteSource& source, qint64 position, qint64 count) {
    QByteArray bytes;
    if (position < 0 || count <= 0 || position >= source.size())
        return bytes;
    bytes.resize(std::min(count, source.size() - position));
    bytes.truncate(source.readAt(position, bytes.data(), bytes.size()));
    return bytes;
}

qint64 MemorySource::readAt(qint64 position, char* destination, qint64 count) {
    if (position < 0 || count <= 0 || position >= m_size)
        return 0;
    const qint64 available = std::min(count, m_size - position);
    std::memcpy(destination, m_data + position, static_cast<size_t>(available));
    return available;
}

FileSource::FileSource(const QString& path) : m_file(path) {
    if (!m_file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return;
    m_size = m_file.size();
}

bool FileSource::fill(qint64 position) {
    m_window.resize(windowSize);
    m_windowStart = position;
    m_windowLength = 0;
    if (!m_file.seek(position))
        return false;
    const qint64 got = m_file.read(m_window.data(), windowSize);
    m_windowLength = std::max<qint64>(got, 0);
    return m_windowLength > 0;
}

qint64 FileSource::readAt(qint64 position, char* destination, qint64 count) {
    if (!m_file.isOpen() || position < 0 || count <= 0 || position >= m_size)
        return 0;
    count = std::min(count, m_size - position);
    if (count > windowSize) {
        if (!m_file.seek(position))
            return 0;
        return std::max<qint64>(m_file.read(destination, count), 0);
    }
    const bool inWindow = position >= m_windowStart && position + count <= m_windowStart + m_windowLength;
    if (!inWindow && !fill(position))
        return 0;
    const qint64 available = std::min(count, m_windowStart + m_windowLength - position);
    std::memcpy(destination, m_window.data() + (position - m_windowStart), static_cast<size_t>(available));
    return available;
}

} // namespace velmar::archives
