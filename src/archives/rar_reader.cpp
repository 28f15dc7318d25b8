#include "archives/rar_reader.h"

#include "app/windows1252.h"
#include "archives/archive_constants.h"
#include "archives/byte_reader.h"
#include "archives/dos_datetime.h"
#include "archives/name_table.h"

#include <cstring>

namespace velmar::archives {

namespace {

using namespace constants;

// Block header (7 bytes): +0 header crc (2) | +2 type (1) | +3 flags (2) | +5 size (2)
struct BlockHeader {
    quint16 crc = 0;
    quint8 type = 0;
    quint16 flags = 0;
    quint16 size = 0;
};

constexpr quint8 BLOCK_MARKER = 0x72;
constexpr quint8 BLOCK_ARCHIVE = 0x73;
constexpr quint8 BLOCK_FILE = 0x74;
constexpr quint8 BLOCK_COMMENT = 0x75;
constexpr quint8 BLOCK_EXTRA = 0x76;
constexpr quint8 BLOCK_SUB = 0x77;
constexpr int BLOCK_HEADER_SIZE = 7;

constexpr quint16 FLAG_COMMENT = 0x0002;
constexpr quint16 FLAG_ENCRYPTED = 0x0004;
constexpr quint16 MASK_DIRECTORY = 0x00E0;

BlockHeader readBlockHeader(ByteReader& in) {
    BlockHeader b;
    in.readU16(b.crc);
    in.readU8(b.type);
    in.readU16(b.flags);
    in.readU16(b.size);
    return b;
}

QString readComment(ByteReader& in) {
    QByteArray bytes;
    in.readCString(bytes);
    return fromWindows1252(bytes);
}

// File header after the block header:
//   packed (4) | unpacked (4) | host (1) | crc (4) | time (4) | version (1)
//   method (1) | name size (2) | attributes (4) | name | [comment\0]
RarEntry readFileHeader(ByteReader& in, const BlockHeader& b) {
    RarEntry e;
    e.headerCrc = b.crc;
    e.blockType = b.type;
    e.flags = b.flags;
    e.headerSize = b.size;
    in.readU32(e.packedSize);
    in.readU32(e.unpackedSize);
    in.readU8(e.hostSystem);
    in.readU32(e.fileCrc);
    in.readU32(e.fileTime);
    in.readU8(e.versionNeeded);
    in.readU8(e.method);
    in.readU16(e.nameSize);
    in.readU32(e.attributes);
    QByteArray name;
    in.readBytes(e.nameSize, name);
    e.name = fromWindows1252(name);
    if (e.flags & FLAG_COMMENT)
        e.comment = readComment(in);
    e.dataPosition = in.position();
    e.dosDate = static_cast<quint16>(e.fileTime >> 16);
    e.dosTime = static_cast<quint16>(e.fileTime & 0xFFFF);
    return e;
}

bool hasMarker(ByteReader& in) {
    char marker[sizeof RAR_MARKER];
    return in.size() >= qint64(sizeof RAR_MARKER) && in.read(marker, sizeof marker) &&
           std::memcmp(marker, RAR_MARKER, sizeof marker) == 0;
}

} // namespace

qint16 Cls_Rar::readImpl(const QString&, ByteSource& source) {
    PackState& state = packState();
    m_entries.clear();
    m_archiveHeader = RarArchiveHeader();
    ByteReader in(source);
    if (!hasMarker(in))
        return 0;
    state.PackLoaded = 1;
    while (in.remaining() >= 2) {
        const BlockHeader b = readBlockHeader(in);
        switch (b.type) {
        case BLOCK_ARCHIVE:
            m_archiveHeader.headerCrc = b.crc;
            m_archiveHeader.flags = b.flags;
            m_archiveHeader.headerSize = b.size;
            in.readU16(m_archiveHeader.reserved1);
            in.readU32(m_archiveHeader.reserved2);
            if (b.flags & FLAG_COMMENT) {
                m_archiveHeader.comment = readComment(in);
                state.PackComments = m_archiveHeader.comment;
            }
            break;
        case BLOCK_FILE:
            m_entries.push_back(readFileHeader(in, b));
            state.PackFileCount = static_cast<qint32>(m_entries.size());
            in.skip(m_entries.back().packedSize);
            break;
        case BLOCK_COMMENT:
            // unpacked size (2), version (1), method (1), comment crc (2), then the rest
            in.skip(6 + std::max(0, b.size - 13));
            break;
        case BLOCK_EXTRA:
            in.skip(std::max(0, b.size - BLOCK_HEADER_SIZE));
            break;
        case BLOCK_SUB:
            // data size (4), sub-type (2), level (1), then the rest of the header
            in.skip(7 + std::max(0, b.size - 14));
            break;
        case BLOCK_MARKER:
        default:
            break;
        }
    }
    return 0;
}

QString Cls_Rar::methodName(int method) {
    static const char* const names[] = {"No Compression", "Fastest", "Fast", "Normal", "Good", "Maximum"};
    return nameAt(names, method - 0x30, "Unknown");
}

QString Cls_Rar::systemName(int system) {
    static const char* const names[] = {"MS-DOS", "OS/2", "Win32", "UNIX"};
    return nameAt(names, system, "unKnown");
}

EntryView Cls_Rar::view(qint32 index) const {
    const RarEntry& e = m_entries[static_cast<size_t>(index)];
    EntryView v;
    v.name = e.name;
    v.comment = e.comment;
    v.isDir = (e.flags & MASK_DIRECTORY) == MASK_DIRECTORY;
    v.method = methodName(e.method);
    v.crc = static_cast<qint32>(e.fileCrc);
    v.compressedSize = static_cast<qint32>(e.packedSize);
    v.uncompressedSize = static_cast<qint32>(e.unpackedSize);
    v.encrypted = (e.flags & FLAG_ENCRYPTED) != 0;
    v.dosDate = e.dosDate;
    v.dosTime = e.dosTime;
    v.systemMadeBy = systemName(e.hostSystem);
    v.versionMadeBy = kUnknown;
    v.systemNeeded = kUnknown;
    v.versionNeeded = versionText(e.versionNeeded);
    return v;
}

} // namespace velmar::archives
