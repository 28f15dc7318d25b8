#include "archives/rar_reader.h"

#include "app/inner_text.h"
#include "archives/archive_constants.h"
#include "archives/byte_reader.h"
#include "archives/dos_datetime.h"
#include "archives/name_table.h"
#include "archives/rar_name.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace velmar::archives {

namespace {

using namespace constants;

constexpr quint8 BLOCK_ARCHIVE = 0x73;
constexpr quint8 BLOCK_FILE = 0x74;
constexpr quint8 BLOCK_SERVICE = 0x7A;
constexpr quint8 BLOCK_END = 0x7B;
constexpr int BLOCK_HEADER_SIZE = 7;

constexpr quint16 FLAG_COMMENT = 0x0002;
constexpr quint16 FLAG_ENCRYPTED = 0x0004;
constexpr quint16 MASK_DIRECTORY = 0x00E0;
constexpr quint16 FLAG_LARGE = 0x0100;      // 64-bit sizes: high halves before the name
constexpr quint16 FLAG_UNICODE = 0x0200;    // the name field also holds a UTF-16 form
constexpr quint16 FLAG_LONG_BLOCK = 0x8000; // data of ADD_SIZE bytes follows the header

RarBlockHeader readBlockHeader(ByteReader& in) {
    RarBlockHeader b;
    in.readU16(b.crc);
    in.readU8(b.type);
    in.readU16(b.flags);
    in.readU16(b.size);
    return b;
}

QString readComment(ByteReader& in) {
    QByteArray bytes;
    in.readCString(bytes);
    return innerText(bytes);
}

// A comment held in the header, between the name and the header's end.
QString commentWithin(ByteReader& in, qint64 headerEnd) {
    QByteArray bytes;
    in.readBytes(std::max<qint64>(0, headerEnd - in.position()), bytes);
    return innerText(bytes.left(bytes.indexOf('\0') < 0 ? bytes.size() : bytes.indexOf('\0')));
}

// File header after the block header:
//   packed (4) | unpacked (4) | host (1) | crc (4) | time (4) | version (1)
//   method (1) | name size (2) | attributes (4) | [high packed (4) | high
//   unpacked (4)] | name | [salt (8)] [extended time] ... up to the header size
RarEntry readFileHeader(ByteReader& in, const RarBlockHeader& b, qint64 headerEnd) {
    RarEntry e;
    e.headerCrc = b.crc;
    e.blockType = b.type;
    e.flags = b.flags;
    e.headerSize = b.size;
    quint32 packed = 0;
    quint32 unpacked = 0;
    in.readU32(packed);
    in.readU32(unpacked);
    in.readU8(e.hostSystem);
    in.readU32(e.fileCrc);
    in.readU32(e.fileTime);
    in.readU8(e.versionNeeded);
    in.readU8(e.method);
    in.readU16(e.nameSize);
    in.readU32(e.attributes);
    quint32 highPacked = 0;
    quint32 highUnpacked = 0;
    if (e.flags & FLAG_LARGE) {
        in.readU32(highPacked);
        in.readU32(highUnpacked);
    }
    e.packedSize = quint64(packed) | (quint64(highPacked) << 32);
    e.unpackedSize = quint64(unpacked) | (quint64(highUnpacked) << 32);
    QByteArray name;
    in.readBytes(e.nameSize, name);
    e.name = (e.flags & FLAG_UNICODE) ? rarUnicodeName(name) : innerText(name);
    if (e.flags & FLAG_COMMENT)
        e.comment = commentWithin(in, headerEnd);
    e.dataPosition = std::max(in.position(), headerEnd);
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

void Cls_Rar::readArchiveHeader(ByteReader& in, const RarBlockHeader& b) {
    m_archiveHeader.headerCrc = b.crc;
    m_archiveHeader.flags = b.flags;
    m_archiveHeader.headerSize = b.size;
    in.readU16(m_archiveHeader.reserved1);
    in.readU32(m_archiveHeader.reserved2);
    if (b.flags & FLAG_COMMENT) {
        m_archiveHeader.comment = readComment(in);
        packState().PackComments = m_archiveHeader.comment;
    }
}

// Every block is passed over by its own header size (plus, for a file, a
// service block or a block flagged as long, the data after it), whatever
// fields the header holds; only file blocks read whole are listed.
qint16 Cls_Rar::readImpl(const QString&, ByteSource& source) {
    PackState& state = packState();
    m_entries.clear();
    m_archiveHeader = RarArchiveHeader();
    ByteReader in(source);
    if (!hasMarker(in))
        return 0;
    markLoaded();
    while (in.remaining() >= BLOCK_HEADER_SIZE) {
        const qint64 start = in.position();
        const RarBlockHeader b = readBlockHeader(in);
        if (b.size < BLOCK_HEADER_SIZE || b.type == BLOCK_END)
            break;
        const qint64 headerEnd = start + b.size;
        if (b.type == BLOCK_ARCHIVE) {
            readArchiveHeader(in, b);
            in.seek(std::max(in.position(), headerEnd));
        } else if (b.type == BLOCK_FILE || b.type == BLOCK_SERVICE) {
            RarEntry e = readFileHeader(in, b, headerEnd);
            if (e.dataPosition + qint64(std::min<quint64>(e.packedSize, INT64_MAX / 2)) > in.size())
                break;
            in.seek(e.dataPosition + qint64(e.packedSize));
            if (b.type == BLOCK_FILE)
                m_entries.push_back(std::move(e));
        } else {
            quint32 added = 0;
            if (b.flags & FLAG_LONG_BLOCK)
                in.readU32(added);
            in.seek(headerEnd + ((b.flags & FLAG_LONG_BLOCK) ? qint64(added) : 0));
        }
        state.PackFileCount = static_cast<qint32>(m_entries.size());
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
    v.compressedSize = qint64(e.packedSize);
    v.uncompressedSize = qint64(e.unpackedSize);
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
