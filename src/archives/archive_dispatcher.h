#pragma once

// Cls_GetFileType: picks the reader of an archive (by ".TAR", ".LHA", ".LZH"
// names first, then by the first bytes) and forwards every question to it
// through Entry, so that it answers exactly as the reader read last.
// Names of formats our readers do not know (".7z", ".tar.xz", ".iso"...), a
// RAR 5 signature and first bytes no reader knows go to libarchive.

#include "archives/archive_reader.h"

#include <memory>

namespace velmar::archives {

class Cls_Zip;
class Cls_Arj;
class Cls_Cab;
class Cls_Rar;
class Cls_Tar;
class Cls_Arc;
class Cls_GZip;
class Cls_LZH;
class Cls_Libarchive;

class Cls_GetFileType : public ArchiveContents {
public:
    Cls_GetFileType();
    ~Cls_GetFileType() override;
    Cls_GetFileType(const Cls_GetFileType&) = delete;
    Cls_GetFileType& operator=(const Cls_GetFileType&) = delete;

    // 0 when a reader's walk ran, 1 for an empty path (or the ZIP reader's
    // unknown local signature), 2 when no reader knows the first bytes.
    qint16 Get_Contents(const QString& path);
    // The same over bytes in memory; `path` still decides by its extension.
    qint16 Get_Contents(const QString& path, ByteSource& source);

    qint32 FileCount() const override;
    QString CommentsPack() const override;
    std::optional<EntryView> Entry(qint32 index) const override;

private:
    template <class Reader> ArchiveReader& use(std::unique_ptr<Reader>& slot);
    ArchiveReader* readerForWord(quint16 word);
    qint16 readByFirstBytes(const QString& path, ByteSource& source, bool tryLibarchive);
    // Reads with one reader and keeps it chosen only when its walk read the archive.
    qint16 readWith(ArchiveReader& reader, const QString& path, ByteSource& source);

    std::unique_ptr<Cls_Zip> m_zip;
    std::unique_ptr<Cls_Arj> m_arj;
    std::unique_ptr<Cls_Cab> m_cab;
    std::unique_ptr<Cls_Rar> m_rar;
    std::unique_ptr<Cls_Tar> m_tar;
    std::unique_ptr<Cls_Arc> m_arc;
    std::unique_ptr<Cls_GZip> m_gzip;
    std::unique_ptr<Cls_LZH> m_lzh;
    std::unique_ptr<Cls_Libarchive> m_libarchive;
    ArchiveReader* m_chosen = nullptr;
};

} // namespace velmar::archives
