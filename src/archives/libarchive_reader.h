#pragma once

// Cls_Libarchive: the archives our own readers do not know (7z, RAR 5, tar
// compressed with gzip, bzip2, xz, zstd or lz4, ISO 9660 images, cpio, xar),
// listed through libarchive from their headers alone: no member is extracted.

#include "archives/archive_reader.h"

#include <deque>

namespace velmar::archives {

class Cls_Libarchive final : public ArchiveReader {
public:
    // True when the name's ending names one of these formats (".7z",
    // ".tar.xz", ".tgz", ".iso"...), in any case.
    static bool namesFormat(const QString& path);
    // True when the first bytes are a RAR 5 signature, which our RAR reader
    // does not read.
    static bool isRar5(ByteSource& source);

protected:
    // 0 when libarchive read the archive's headers (all of them, or those
    // before damage); 2 when it refuses the file.
    qint16 readImpl(const QString& path, ByteSource& source) override;
    qint32 tableSize() const override { return static_cast<qint32>(m_entries.size()); }
    EntryView view(qint32 index) const override { return m_entries[static_cast<size_t>(index)]; }

private:
    std::deque<EntryView> m_entries;
};

} // namespace velmar::archives
