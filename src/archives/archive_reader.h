#pragma once

// The listing contract shared by the eight format readers. The public entry
// Get_Contents resets the shared state, opens the archive and calls the
// format's readImpl(); every per-entry operation checks its index (1-based)
// against the shared state before asking the format for the entry's view.

#include "archives/byte_source.h"
#include "archives/pack_state.h"
#include "explore/crc32.h"

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

// The "UnKnown" texts several formats give for fields they do not keep.
inline const QString kUnKnown = QStringLiteral("UnKnown");
inline const QString kUnknown = QStringLiteral("Unknown");
inline const QString kNotSupported = QStringLiteral("Not Supported");

class ArchiveReader {
public:
    virtual ~ArchiveReader() = default;

    // 0 when the walk ran; the archive is closed before returning.
    qint16 Get_Contents(const QString& path);
    // The same over bytes already at hand; `path` still names the archive.
    qint16 Get_Contents(const QString& path, ByteSource& source);

    qint32 FileCount() const;
    QString FileName(qint32 index) const;
    QString CommentsFile(qint32 index) const;
    QString CommentsPack() const;
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
    // Every answer about one entry at once, after the same index check.
    std::optional<EntryView> Entry(qint32 index) const { return checked(index); }

    // The byte-at-a-time CRC engine the archive classes carry.
    Cls_CRC32Init& crcEngine() { return m_crc; }

protected:
    virtual qint16 readImpl(const QString& path, ByteSource& source) = 0;
    virtual qint32 tableSize() const = 0;
    // `index` is 0-based and already checked.
    virtual EntryView view(qint32 index) const = 0;
    // A status returned for an empty path before anything is reset.
    virtual std::optional<qint16> emptyPathStatus() const { return std::nullopt; }

private:
    std::optional<EntryView> checked(qint32 index) const;
    // One field of the entry, or its empty value when the index names none.
    template <typename T> T fieldOf(qint32 index, T EntryView::*field) const {
        const auto entry = checked(index);
        return entry ? *entry.*field : T();
    }

    Cls_CRC32Init m_crc;
};

} // namespace velmar::archives
