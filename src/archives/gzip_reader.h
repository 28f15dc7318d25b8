#pragma once

// Cls_GZip: the members of a gzip file, each from its header, the end of its
// deflate stream and its trailer.

#include "archives/archive_reader.h"

#include <QByteArray>

#include <vector>

namespace velmar::archives {

struct GZipMember {
    quint8 method = 0;
    quint8 flags = 0;
    qint32 modificationTime = 0;
    quint8 extraFlags = 0;
    quint8 system = 0;
    QString extraField;
    QString name;
    QString comment;
    quint16 headerCrc = 0;
    QByteArray encryptionHeader;
    qint32 crc = 0;
    qint64 compressedSize = 0;
    qint64 originalSize = 0;
    bool whole = false; // its deflate stream and trailer lie within the file
    qint64 dataPosition = 0;
    quint16 dosDate = 0;
    quint16 dosTime = 0;
};

class Cls_GZip final : public ArchiveReader {
public:
    static QString systemName(int system);
    // The member's name guessed from the archive's file name when the header
    // holds none: "notes.txt.gz" gives "notes.txt", "backup.tgz" "backup.tar".
    static QString nameFromArchivePath(const QString& path);

protected:
    qint16 readImpl(const QString& path, ByteSource& source) override;
    qint32 tableSize() const override { return static_cast<qint32>(m_members.size()); }
    EntryView view(qint32 index) const override;
    std::optional<qint16> emptyPathStatus() const override { return -1; }

private:
    std::vector<GZipMember> m_members;
};

} // namespace velmar::archives
