#include "archives/archive_dispatcher.h"

#include "archives/arc_reader.h"
#include "archives/archive_constants.h"
#include "archives/arj_reader.h"
#include "archives/byte_reader.h"
#include "archives/cab_reader.h"
#include "archives/dos_datetime.h"
#include "archives/gzip_reader.h"
#include "archives/libarchive_reader.h"
#include "archives/lzh_reader.h"
#include "archives/rar_reader.h"
#include "archives/tar_reader.h"
#include "archives/zip_reader.h"

namespace velmar::archives {

Cls_GetFileType::Cls_GetFileType() = default;
Cls_GetFileType::~Cls_GetFileType() = default;

template <class Reader> ArchiveReader& Cls_GetFileType::use(std::unique_ptr<Reader>& slot) {
    if (!slot)
        slot = std::make_unique<Reader>();
    return *slot;
}

ArchiveReader* Cls_GetFileType::readerForWord(quint16 word) {
    using namespace constants;
    switch (word) {
    case WORD_ZIP:
        return &use(m_zip);
    case WORD_CAB:
        return &use(m_cab);
    case WORD_RAR:
        return &use(m_rar);
    case WORD_GZIP:
        return &use(m_gzip);
    case WORD_ARJ:
        return &use(m_arj);
    default:
        return nullptr;
    }
}

qint16 Cls_GetFileType::Get_Contents(const QString& path) {
    if (path.isEmpty())
        return 1;
    FileSource source(path);
    return Get_Contents(path, source);
}

qint16 Cls_GetFileType::Get_Contents(const QString& path, ByteSource& source) {
    if (path.isEmpty())
        return 1;
    packState().PackLoaded = 0;
    m_chosen = nullptr;
    const QString suffix = path.right(4).toUpper();
    // Tar and LZH archives carry no signature at their start: their names decide.
    const bool tarName = suffix == QLatin1String(".TAR");
    const bool lzhName = suffix == QLatin1String(".LHA") || suffix == QLatin1String(".LZH");
    if (tarName)
        readWith(use(m_tar), path, source);
    if (lzhName)
        readWith(use(m_lzh), path, source);
    const bool libarchiveNamed = !m_chosen && Cls_Libarchive::namesFormat(path);
    if (libarchiveNamed)
        readWith(use(m_libarchive), path, source);
    if (m_chosen)
        return 0;
    // A file named for one of our readers stays with it, read or not.
    return readByFirstBytes(path, source, !tarName && !lzhName && !libarchiveNamed);
}

qint16 Cls_GetFileType::readByFirstBytes(const QString& path, ByteSource& source, bool tryLibarchive) {
    ByteReader in(source);
    quint16 word = 0;
    in.readU16(word);
    if ((word & 0xFF) == constants::ARC_MARKER) {
        readWith(use(m_arc), path, source);
        if (m_chosen)
            return 0;
    }
    ArchiveReader* reader = Cls_Libarchive::isRar5(source) ? nullptr : readerForWord(word);
    if (reader)
        return readWith(*reader, path, source);
    if (tryLibarchive) {
        readWith(use(m_libarchive), path, source);
        if (m_chosen)
            return 0;
    }
    PackState& state = packState();
    state.PackLoaded = 0;
    state.PackFileCount = 0;
    return 2;
}

qint16 Cls_GetFileType::readWith(ArchiveReader& reader, const QString& path, ByteSource& source) {
    const qint16 status = reader.Get_Contents(path, source);
    m_chosen = reader.loaded() ? &reader : nullptr;
    return status;
}

qint32 Cls_GetFileType::FileCount() const {
    return m_chosen ? m_chosen->FileCount() : 0;
}

QString Cls_GetFileType::CommentsPack() const {
    return m_chosen ? m_chosen->CommentsPack() : QString();
}

std::optional<EntryView> Cls_GetFileType::Entry(qint32 index) const {
    return m_chosen ? m_chosen->Entry(index) : std::nullopt;
}

} // namespace velmar::archives
