#pragma once

// The random-access work file of 968-byte file records, numbered from 1.

#include "explore/file_record.h"

#include <QFile>

namespace velmar {

class RecordFile {
public:
    explicit RecordFile(const QString& path) : m_file(path) {}

    bool openForWriting() { return m_file.open(QIODevice::ReadWrite | QIODevice::Truncate); }
    bool openForReading() { return m_file.open(QIODevice::ReadOnly); }
    // False when the records still buffered could not be written.
    bool close() {
        const bool flushed = !m_file.isWritable() || m_file.flush();
        m_file.close();
        return flushed;
    }
    // The system's reason for the last failure; a record missing at the end
    // of the file is no system error.
    QString failureReason() const {
        return m_file.error() == QFileDevice::NoError ? QStringLiteral("fin de fichier inattendue")
                                                      : m_file.errorString();
    }

    enum class WriteResult { Written, DoesNotFit, Failed };
    WriteResult write(qint64 recordNumber, const FileRecord& record);
    bool read(qint64 recordNumber, FileRecord& record);

private:
    bool moveTo(qint64 recordNumber);

    QFile m_file;
    QByteArray m_bytes; // one record's bytes, reused from record to record
};

} // namespace velmar
