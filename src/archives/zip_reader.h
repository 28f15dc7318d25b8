#pragma once

// Cls_Zip: the entries of a ZIP archive, from its central directory (Zip64
// included), or from the local headers when that directory is cut short or
// lies outside the file.

#include "archives/archive_reader.h"

#include <vector>

namespace velmar::archives {

struct ZipEntry {
    quint16 versionMadeBy = 0;
    quint16 versionNeeded = 0;
    quint16 flags = 0;
    qint16 method = 0;
    quint16 dosTime = 0;
    quint16 dosDate = 0;
    qint32 crc = 0;
    quint64 compressedSize = 0;
    quint64 uncompressedSize = 0;
    quint16 diskNumberStart = 0;
    quint16 internalAttributes = 0;
    quint32 externalAttributes = 0;
    quint64 localHeaderOffset = 0;
    QString name;
    QByteArray extraField;
    QString comment;
};

class Cls_Zip final : public ArchiveReader {
public:
    static QString methodName(int method);
    static QString systemName(int system);

protected:
    qint16 readImpl(const QString& path, ByteSource& source) override;
    qint32 tableSize() const override { return static_cast<qint32>(m_entries.size()); }
    EntryView view(qint32 index) const override;

private:
    std::vector<ZipEntry> m_entries;
};

} // namespace velmar::archives
