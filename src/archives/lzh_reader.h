#pragma once

// Cls_LZH: the entries of an LHA/LZH archive, header after header (levels 0
// to 3, with their extended headers).

#include "archives/archive_reader.h"

#include <QByteArray>

#include <vector>

namespace velmar::archives {

struct LzhEntry {
    quint8 headerSize = 0;
    quint8 checksum = 0;
    quint8 methodOpen = 0;
    QByteArray methodCode; // three characters: "lh5", "lhd", "lzs"...
    quint8 methodClose = 0;
    quint64 packedSize = 0; // of the data alone
    quint64 originalSize = 0;
    quint32 timeStamp = 0;
    quint16 dosTime = 0;
    quint16 dosDate = 0;
    quint16 attributeAndLevel = 0;
    quint8 level = 0; // header level, 0 to 3
    quint8 nameLength = 0;
    QString name;
    quint16 crc16 = 0;
    qint64 dataPosition = 0;
};

class Cls_LZH final : public ArchiveReader {
public:
    static QString methodName(const QByteArray& code);

protected:
    qint16 readImpl(const QString& path, ByteSource& source) override;
    qint32 tableSize() const override { return static_cast<qint32>(m_entries.size()); }
    EntryView view(qint32 index) const override;

private:
    std::vector<LzhEntry> m_entries;
};

} // namespace velmar::archives
