#include "explore/record_file.h"

namespace velmar {

using FileRecordLayout::kRecordSize;

bool RecordFile::write(qint64 recordNumber, const FileRecord& record) {
    if (recordNumber < 1 || !m_file.seek((recordNumber - 1) * kRecordSize))
        return false;
    const QByteArray bytes = record.encode();
    return m_file.write(bytes) == bytes.size();
}

bool RecordFile::read(qint64 recordNumber, FileRecord& record) {
    if (recordNumber < 1 || !m_file.seek((recordNumber - 1) * kRecordSize))
        return false;
    return FileRecord::decode(m_file.read(kRecordSize), record);
}

} // namespace velmar
