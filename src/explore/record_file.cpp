#include "explore/record_file.h"

namespace velmar {

using FileRecordLayout::kRecordSize;

// The phases read and write the records in turn: seeking only when the file
// is elsewhere keeps QFile's buffer, where every seek would flush it and cost
// a system call per record.
bool RecordFile::moveTo(qint64 recordNumber) {
    if (recordNumber < 1)
        return false;
    const qint64 offset = (recordNumber - 1) * kRecordSize;
    return m_file.pos() == offset || m_file.seek(offset);
}

RecordFile::WriteResult RecordFile::write(qint64 recordNumber, const FileRecord& record) {
    if (!record.encode(m_bytes))
        return WriteResult::DoesNotFit;
    if (!moveTo(recordNumber) || m_file.write(m_bytes) != m_bytes.size())
        return WriteResult::Failed;
    return WriteResult::Written;
}

bool RecordFile::read(qint64 recordNumber, FileRecord& record) {
    return moveTo(recordNumber) && FileRecord::decode(m_file.read(kRecordSize), record);
}

} // namespace velmar
