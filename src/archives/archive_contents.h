#pragma once

// The questions a caller asks about the archive read last: every question about
// one entry is answered from that entry's view, so a reader and the dispatcher
// that forwards to it share one path (Entry) and answer alike.

#include <QDateTime>
#include <QString>

#include <optional>

namespace velmar::archives {

// What one entry answers, in the contract's own terms.
struct EntryView {
    QString name;
    QString comment;
    QString method;
    QString systemMadeBy;
    QString versionMadeBy;
    QString systemNeeded;
    QString versionNeeded;
    bool isDir = false;
    bool encrypted = false;
    qint32 crc = 0;
    // 64-bit: Zip64, tar and RAR members reach past 4 GiB.
    qint64 compressedSize = 0;
    qint64 uncompressedSize = 0;
    quint16 dosDate = 0;
    quint16 dosTime = 0;
};

class ArchiveContents {
public:
    virtual ~ArchiveContents() = default;

    virtual qint32 FileCount() const = 0;
    virtual QString CommentsPack() const = 0;
    // Every answer about one entry (1-based) at once, or nothing when the index
    // names no entry of a read archive.
    virtual std::optional<EntryView> Entry(qint32 index) const = 0;

    QString FileName(qint32 index) const;
    QString CommentsFile(qint32 index) const;
    bool IsDir(qint32 index) const;
    QString Method(qint32 index) const;
    qint32 CRC32(qint32 index) const;
    qint64 Compressed_Size(qint32 index) const;
    qint64 UnCompressed_Size(qint32 index) const;
    bool Encrypted(qint32 index) const;
    QDateTime FileDateTime(qint32 index) const;
    QString SystemMadeBy(qint32 index) const;
    QString VersionMadeBy(qint32 index) const;
    QString SystemNeeded(qint32 index) const;
    QString VersionNeeded(qint32 index) const;

private:
    // One field of the entry, or its empty value when the index names none.
    template <typename T> T fieldOf(qint32 index, T EntryView::*field) const {
        const auto entry = Entry(index);
        return entry ? *entry.*field : T();
    }
};

} // namespace velmar::archives
