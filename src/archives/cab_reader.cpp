#include "archives/cab_reader.h"

#include "app/byte_order.h"
#include "app/inner_text.h"
#include "archives/archive_constants.h"
#include "archives/byte_reader.h"
#include "archives/name_table.h"

#include <algorithm>

namespace velmar::archives {

namespace {

using namespace constants;

// Cabinet header (36 bytes):
//   +0 "MSCF" | +4 reserved | +8 cabinet size | +12 reserved
//   +16 first file entry offset | +20 reserved | +24 minor | +25 major
//   +26 folders | +28 files | +30 flags | +32 set id | +34 cabinet index
constexpr int HEADER_SIZE = 36;
constexpr quint16 FLAG_PREVIOUS = 0x0001;
constexpr quint16 FLAG_NEXT = 0x0002;
constexpr quint16 FLAG_RESERVE = 0x0004;
constexpr quint16 ATTRIBUTE_DIRECTORY = 0x10;
constexpr quint16 ATTRIBUTE_NAME_IS_UTF8 = 0x80;
constexpr int FILE_ENTRY_FIXED = 16;
constexpr int FOLDER_ENTRY_SIZE = 8;
constexpr int FOLDER_COMPRESSION = 6;

CabHeader readHeader(ByteReader& in) {
    CabHeader h;
    quint32 reserved = 0;
    in.readU32(h.signature);
    in.readU32(reserved);
    in.readU32(h.cabinetSize);
    in.readU32(reserved);
    in.readU32(h.firstFileOffset);
    in.readU32(reserved);
    in.readU8(h.versionMinor);
    in.readU8(h.versionMajor);
    in.readU16(h.folderCount);
    in.readU16(h.fileCount);
    in.readU16(h.flags);
    in.readU16(h.setId);
    in.readU16(h.cabinetIndex);
    return h;
}

// The reserve sizes and the previous/next cabinet names; returns the folder reserve.
quint8 skipOptionalParts(ByteReader& in, quint16 flags) {
    quint8 folderReserve = 0;
    if (flags & FLAG_RESERVE) {
        quint16 headerReserve = 0;
        quint8 dataReserve = 0;
        in.readU16(headerReserve);
        in.readU8(folderReserve);
        in.readU8(dataReserve);
        in.skip(headerReserve);
    }
    QByteArray name;
    for (const quint16 flag : {FLAG_PREVIOUS, FLAG_NEXT}) {
        if (flags & flag) {
            in.readCString(name); // cabinet name
            in.readCString(name); // disk name
        }
    }
    return folderReserve;
}

// Compression type of the first folder; the rest of the table is passed over.
quint16 readFolders(ByteReader& in, quint16 folderCount, quint8 folderReserve) {
    quint16 firstType = 0;
    for (int i = 0; i < folderCount && !in.atEnd(); ++i) {
        QByteArray folder;
        in.readBytes(FOLDER_ENTRY_SIZE, folder);
        folder.resize(FOLDER_ENTRY_SIZE, '\0');
        if (i == 0)
            firstType = bytes::le16(folder, FOLDER_COMPRESSION);
        in.skip(folderReserve);
    }
    return firstType;
}

} // namespace

qint16 Cls_Cab::readImpl(const QString&, ByteSource& source) {
    PackState& state = packState();
    m_entries.clear();
    m_header = CabHeader();
    ByteReader in(source);
    if (in.size() < HEADER_SIZE)
        return 0;
    m_header = readHeader(in);
    if (m_header.signature != CAB_SIGNATURE)
        return 0;
    markLoaded();
    const quint8 folderReserve = skipOptionalParts(in, m_header.flags);
    const quint16 compressionType = readFolders(in, m_header.folderCount, folderReserve);
    in.seek(m_header.firstFileOffset);
    // Only the entries read whole are listed: a count announcing more than
    // the file holds (a cabinet cut short) is not trusted.
    m_entries.reserve(
        std::min<qint64>(m_header.fileCount, std::max<qint64>(in.remaining(), 0) / FILE_ENTRY_FIXED));
    for (int i = 0; i < m_header.fileCount; ++i) {
        CabEntry e;
        e.compressionType = compressionType;
        QByteArray name;
        if (in.remaining() < FILE_ENTRY_FIXED)
            break;
        in.readU32(e.uncompressedSize);
        in.readU32(e.folderOffset);
        in.readU16(e.folderIndex);
        in.readU16(e.dosDate);
        in.readU16(e.dosTime);
        in.readU16(e.attributes);
        if (!in.readCString(name))
            break;
        e.name = innerText(name, (e.attributes & ATTRIBUTE_NAME_IS_UTF8) ? DeclaredEncoding::Utf8
                                                                         : DeclaredEncoding::Unknown);
        m_entries.push_back(std::move(e));
    }
    state.PackFileCount = static_cast<qint32>(m_entries.size());
    return 0;
}

QString Cls_Cab::methodName(int compressionType) {
    static const char* const names[] = {"No Compression", "MsZip", "Quantum", "Lzx"};
    return nameAt(names, compressionType & 0x0F, "Unknown");
}

EntryView Cls_Cab::view(qint32 index) const {
    const CabEntry& e = m_entries[static_cast<size_t>(index)];
    EntryView v;
    v.name = e.name;
    v.isDir = (e.attributes & ATTRIBUTE_DIRECTORY) != 0;
    v.method = methodName(e.compressionType);
    v.uncompressedSize = e.uncompressedSize;
    v.dosDate = e.dosDate;
    v.dosTime = e.dosTime;
    v.systemMadeBy = kUnKnown;
    v.versionMadeBy = kUnknown;
    v.systemNeeded = kUnknown;
    v.versionNeeded =
        QString::number(m_header.versionMajor) + QLatin1Char('.') + QString::number(m_header.versionMinor);
    return v;
}

} // namespace velmar::archives
