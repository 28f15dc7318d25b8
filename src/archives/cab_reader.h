#pragma once

// Cls_Cab: the files of a Microsoft cabinet, from its header and file table.

#include "archives/archive_reader.h"

#include <vector>

namespace velmar::archives {

struct CabHeader {
    quint32 signature = 0;
    quint32 cabinetSize = 0;
    quint32 firstFileOffset = 0;
    quint8 versionMinor = 0;
    quint8 versionMajor = 0;
    quint16 folderCount = 0;
    quint16 fileCount = 0;
    quint16 flags = 0;
    quint16 setId = 0;
    quint16 cabinetIndex = 0;
};

struct CabEntry {
    quint32 uncompressedSize = 0;
    quint32 folderOffset = 0;
    quint16 folderIndex = 0;
    quint16 dosDate = 0;
    quint16 dosTime = 0;
    quint16 attributes = 0;
    QString name;
    quint16 compressionType = 0;
};

class Cls_Cab final : public ArchiveReader {
public:
    static QString methodName(int compressionType);

protected:
    qint16 readImpl(const QString& path, ByteSource& source) override;
    qint32 tableSize() const override { return static_cast<qint32>(m_entries.size()); }
    EntryView view(qint32 index) const override;

private:
    CabHeader m_header;
    std::vector<CabEntry> m_entries;
};

} // namespace velmar::archives
