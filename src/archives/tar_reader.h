#pragma once

// Cls_Tar: the members of an uncompressed tar archive, header block by block.

#include "archives/archive_reader.h"

#include <QByteArray>

#include <deque>

namespace velmar::archives {

struct TarEntry {
    QString name;
    qint32 modificationTime = 0;
    quint16 dosDate = 0;
    quint16 dosTime = 0;
    qint32 size = 0;
    qint64 dataPosition = 0;
    qint32 checksum = 0;
};

class Cls_Tar final : public ArchiveReader {
public:
    // Octal text of a header field: 0 bytes removed, blanks trimmed, leading
    // "0" digits dropped; a non-digit counts as 0, 8 and 9 as themselves.
    static qint32 octalValue(const QByteArray& field);
    static qint32 octalValue(const char* field, int length);

protected:
    qint16 readImpl(const QString& path, ByteSource& source) override;
    qint32 tableSize() const override { return static_cast<qint32>(m_entries.size()); }
    EntryView view(qint32 index) const override;

private:
    // A deque grows without moving the members already read: a walk over tens
    // of thousands of members reads each header once and copies no table.
    std::deque<TarEntry> m_entries;
};

} // namespace velmar::archives
