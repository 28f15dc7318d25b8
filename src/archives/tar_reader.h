#pragma once

// Cls_Tar: the members of an uncompressed tar archive, header block by block:
// ustar, pax and GNU headers, with their long names, sizes and sparse members.

#include "archives/archive_reader.h"

#include <QByteArray>

#include <deque>

namespace velmar::archives {

struct TarEntry {
    QString name;
    qint32 modificationTime = 0;
    quint16 dosDate = 0;
    quint16 dosTime = 0;
    qint64 size = 0;       // the member's own size (a sparse one's real size)
    qint64 storedSize = 0; // the bytes it takes in the archive
    bool isDirectory = false;
    qint64 dataPosition = 0;
    qint32 checksum = 0;
};

class Cls_Tar final : public ArchiveReader {
public:
    // Octal text of a header field: 0 bytes removed, blanks trimmed, leading
    // "0" digits dropped; a non-digit counts as 0, 8 and 9 as themselves.
    static qint32 octalValue(const QByteArray& field);
    static qint32 octalValue(const char* field, int length);
    // The same text read without wrapping (13 octal digits fit).
    static quint64 octalValue64(const char* field, int length);
    // A numeric field: octal text, or base-256 when its first byte has the
    // high bit set (sizes of 8 GiB and more).
    static qint64 numberValue(const char* field, int length);

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
