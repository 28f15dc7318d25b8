#pragma once

// Cls_Rar: the entries of a RAR archive (block format), walked block by block.

#include "archives/archive_reader.h"

#include <vector>

namespace velmar::archives {

class ByteReader;

struct RarEntry {
    quint16 headerCrc = 0;
    quint8 blockType = 0;
    quint16 flags = 0;
    quint32 headerSize = 0;
    quint64 packedSize = 0;
    quint64 unpackedSize = 0;
    quint8 hostSystem = 0;
    quint32 fileCrc = 0;
    quint32 fileTime = 0;
    quint16 dosDate = 0;
    quint16 dosTime = 0;
    quint8 versionNeeded = 0;
    quint8 method = 0;
    quint16 nameSize = 0;
    quint32 attributes = 0;
    QString name;
    QString comment;
    qint64 dataPosition = 0;
};

// Block header (7 bytes): +0 header crc (2) | +2 type (1) | +3 flags (2) | +5 size (2)
struct RarBlockHeader {
    quint16 crc = 0;
    quint8 type = 0;
    quint16 flags = 0;
    quint16 size = 0;
};

struct RarArchiveHeader {
    quint16 headerCrc = 0;
    quint16 flags = 0;
    quint16 headerSize = 0;
    quint16 reserved1 = 0;
    quint32 reserved2 = 0;
    QString comment;
};

class Cls_Rar final : public ArchiveReader {
public:
    static QString methodName(int method);
    static QString systemName(int system);

protected:
    qint16 readImpl(const QString& path, ByteSource& source) override;
    qint32 tableSize() const override { return static_cast<qint32>(m_entries.size()); }
    EntryView view(qint32 index) const override;

private:
    void readArchiveHeader(ByteReader& in, const RarBlockHeader& b);

    RarArchiveHeader m_archiveHeader;
    std::vector<RarEntry> m_entries;
};

} // namespace velmar::archives
