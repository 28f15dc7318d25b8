#pragma once

// Cls_Arc: the entries of an ARC archive, from its chain of headers.

#include "archives/archive_reader.h"

#include <vector>

namespace velmar::archives {

struct ArcEntry {
    quint8 marker = 0;
    quint8 method = 0;
    QString name;
    quint32 compressedSize = 0;
    quint16 dosDate = 0;
    quint16 dosTime = 0;
    quint16 crc16 = 0;
    quint32 originalSize = 0;
    qint64 dataPosition = 0;
};

class Cls_Arc final : public ArchiveReader {
public:
    static QString methodName(int method);

protected:
    qint16 readImpl(const QString& path, ByteSource& source) override;
    qint32 tableSize() const override { return static_cast<qint32>(m_entries.size()); }
    EntryView view(qint32 index) const override;

private:
    std::vector<ArcEntry> m_entries;
};

} // namespace velmar::archives
