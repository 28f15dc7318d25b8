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
    m_chosen = slot.get();
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
    PackState& state = packState();
    state.PackLoaded = 0;
    const QString suffix = path.right(4).toUpper();
    // Tar and LZH archives carry no signature at their start: their names decide.
    const bool tarName = suffix == QLatin1String(".TAR");
    const bool lzhName = suffix == QLatin1String(".LHA") || suffix == QLatin1String(".LZH");
    if (tarName)
        use(m_tar).Get_Contents(path, source);
    if (lzhName)
        use(m_lzh).Get_Contents(path, source);
    const bool libarchiveNamed = state.PackLoaded == 0 && Cls_Libarchive::namesFormat(path);
    if (libarchiveNamed)
        readThroughLibarchive(path, source);
    if (state.PackLoaded != 0)
        return 0;
    // A file named for one of our readers stays with it, read or not.
    return readByFirstBytes(path, source, !tarName && !lzhName && !libarchiveNamed);
}

qint16 Cls_GetFileType::readByFirstBytes(const QString& path, ByteSource& source, bool tryLibarchive) {
    PackState& state = packState();
    ByteReader in(source);
    quint16 word = 0;
    in.readU16(word);
    if ((word & 0xFF) == constants::ARC_MARKER) {
        use(m_arc).Get_Contents(path, source);
        if (state.PackLoaded != 0)
            return 0;
    }
    ArchiveReader* reader = Cls_Libarchive::isRar5(source) ? nullptr : readerForWord(word);
    if (!reader) {
        if (tryLibarchive && readThroughLibarchive(path, source) == 0)
            return 0;
        state.PackLoaded = 0;
        state.PackFileCount = 0;
        m_chosen = nullptr;
        return 2;
    }
    const qint16 status = reader->Get_Contents(path, source);
    if (state.PackLoaded == 0)
        m_chosen = nullptr;
    return status;
}

qint16 Cls_GetFileType::readThroughLibarchive(const QString& path, ByteSource& source) {
    const qint16 status = use(m_libarchive).Get_Contents(path, source);
    if (packState().PackLoaded == 0)
        m_chosen = nullptr;
    return status;
}

const ArchiveReader* Cls_GetFileType::active() const {
    return packState().PackLoaded != 0 ? m_chosen : nullptr;
}

qint32 Cls_GetFileType::FileCount() const {
    return packState().PackLoaded != 0 ? packState().PackFileCount : 0;
}

QString Cls_GetFileType::FileName(qint32 index) const {
    return active() ? active()->FileName(index) : QString();
}

QString Cls_GetFileType::CommentsFile(qint32 index) const {
    return active() ? active()->CommentsFile(index) : QString();
}

QString Cls_GetFileType::CommentsPack() const {
    return active() ? active()->CommentsPack() : QString();
}

bool Cls_GetFileType::IsDir(qint32 index) const {
    return active() && active()->IsDir(index);
}

QString Cls_GetFileType::Method(qint32 index) const {
    return active() ? active()->Method(index) : QString();
}

qint32 Cls_GetFileType::CRC32(qint32 index) const {
    return active() ? active()->CRC32(index) : 0;
}

qint64 Cls_GetFileType::Compressed_Size(qint32 index) const {
    return active() ? active()->Compressed_Size(index) : 0;
}

qint64 Cls_GetFileType::UnCompressed_Size(qint32 index) const {
    return active() ? active()->UnCompressed_Size(index) : 0;
}

bool Cls_GetFileType::Encrypted(qint32 index) const {
    return active() && active()->Encrypted(index);
}

QDateTime Cls_GetFileType::FileDateTime(qint32 index) const {
    return active() ? active()->FileDateTime(index) : zeroDateTime();
}

QString Cls_GetFileType::SystemMadeBy(qint32 index) const {
    return active() ? active()->SystemMadeBy(index) : QString();
}

QString Cls_GetFileType::VersionMadeBy(qint32 index) const {
    return active() ? active()->VersionMadeBy(index) : QString();
}

QString Cls_GetFileType::SystemNeeded(qint32 index) const {
    return active() ? active()->SystemNeeded(index) : QString();
}

QString Cls_GetFileType::VersionNeeded(qint32 index) const {
    return active() ? active()->VersionNeeded(index) : QString();
}

std::optional<EntryView> Cls_GetFileType::Entry(qint32 index) const {
    return active() ? active()->Entry(index) : std::nullopt;
}

} // namespace velmar::archives
