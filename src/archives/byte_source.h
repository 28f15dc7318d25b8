#pragma once

// Where an archive's bytes come from: a file read through a window buffer,
// 64 KiB at a time, so that a walk from header to header costs one read per
// window (a mapping of the file would fault on every page that a walk over
// small members touches); or a buffer already in memory. Reads past the end
// copy fewer bytes; callers fill the rest with zeros.

#include <QByteArray>
#include <QFile>
#include <QString>

#include <vector>

namespace velmar::archives {

class ByteSource {
public:
    virtual ~ByteSource() = default;
    virtual qint64 size() const = 0;
    // Copies up to `count` bytes from `position`; returns how many were copied.
    virtual qint64 readAt(qint64 position, char* destination, qint64 count) = 0;
};

// Up to `count` bytes from `position`: fewer past the end, none before the start.
QByteArray bytesAt(ByteSource& source, qint64 position, qint64 count);

class MemorySource final : public ByteSource {
public:
    MemorySource(const char* data, qint64 size) : m_data(data), m_size(size) {}
    qint64 size() const override { return m_size; }
    qint64 readAt(qint64 position, char* destination, qint64 count) override;

private:
    const char* m_data;
    qint64 m_size;
};

class FileSource final : public ByteSource {
public:
    explicit FileSource(const QString& path);
    bool isOpen() const { return m_file.isOpen(); }
    qint64 size() const override { return m_size; }
    qint64 readAt(qint64 position, char* destination, qint64 count) override;

private:
    bool fill(qint64 position);

    QFile m_file;
    qint64 m_size = 0;
    std::vector<char> m_window;
    qint64 m_windowStart = 0;
    qint64 m_windowLength = 0;
};

} // namespace velmar::archives
