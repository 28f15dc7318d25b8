#pragma once

// The random-access work file of 968-byte file records, numbered from 1.

#include "explore/file_record.h"

#include <QFile>

namespace velmar {

class RecordFile {
public:
    explicit RecordFile(const QString& path) : m_file(path) {}

    bool openForWriting() { return m_file.open(QIODevice::ReadWrite); }
    bool openForReading() { return m_file.open(QIODevice::ReadOnly); }
    void close() { m_file.close(); }

    enum class WriteResult { Written, DoesNotFit, Failed };
    WriteResult write(qint64 recordNumber, const FileRecord& record);
    bool read(qint64 recordNumber, FileRecord& record);

private:
    bool moveTo(qint64 recordNumber);

    QFile m_file;
    QByteArray m_bytes; // one record's bytes, reused from record to record
};

} // namespace velmar
