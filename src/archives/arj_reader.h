#pragma once

// Cls_Arj: the entries of an ARJ archive, from its chain of local headers.

#include "archives/archive_reader.h"

#include <vector>

namespace velmar::archives {

struct ArjEntry {
    quint16 headerId = 0;
    quint16 basicHeaderSize = 0;
    quint8 firstHeaderSize = 0;
    quint8 versionMadeBy = 0;
    quint8 versionNeeded = 0;
    quint8 hostSystem = 0;
    quint8 flags = 0;
    quint8 method = 0;
    quint8 fileType = 0;
    quint8 reserved = 0;
    quint16 dosTime = 0;
    quint16 dosDate = 0;
    quint32 compressedSize = 0;
    quint32 originalSize = 0;
    quint32 crc = 0;
    quint16 entryNamePosition = 0;
    quint16 fileAccessMode = 0;
    quint16 hostData = 0;
    quint32 extendedFilePosition = 0;
    QString name;
    QString comment;
    quint32 basicHeaderCrc = 0;
    quint16 extendedHeaderSize = 0;
    QString extendedHeader;
    quint32 extendedHeaderCrc = 0;
    qint64 dataPosition = 0;
};

class Cls_Arj final : public ArchiveReader {
public:
    static QString methodName(int method);
    static QString systemName(int system);

protected:
    qint16 readImpl(const QString& path, ByteSource& source) override;
    qint32 tableSize() const override { return static_cast<qint32>(m_entries.size()); }
    EntryView view(qint32 index) const override;

private:
    std::vector<ArjEntry> m_entries;
};

} // namespace velmar::archives
