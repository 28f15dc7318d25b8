#include "archives/arj_reader.h"

#include "app/inner_text.h"
#include "app/windows1252.h"
#include "archives/archive_constants.h"
#include "archives/byte_reader.h"
#include "archives/dos_datetime.h"
#include "archives/name_table.h"

namespace velmar::archives {

namespace {

using namespace constants;

constexpr quint8 FLAG_GARBLED = 0x01;
// File type byte of a directory entry (0 binary, 1 text, 2 comment header, 3 directory).
constexpr quint8 TYPE_DIRECTORY = 3;
constexpr quint8 FLAG_EXTENDED_POSITION = 0x08;
constexpr quint8 HOST_UNIX = 2;

// Skips a header's extended header and its CRC when its size is above 0.
void readExtendedHeader(ByteReader& in, ArjEntry& e) {
    in.readU16(e.extendedHeaderSize);
    if (e.extendedHeaderSize == 0)
        return;
    QByteArray bytes;
    in.readBytes(e.extendedHeaderSize, bytes);
    e.extendedHeader = fromWindows1252(bytes);
    in.readU32(e.extendedHeaderCrc);
}

// Local header after its id and basic header size:
//   first size, version, min version, host, flags, method, type, reserved (1 each)
//   time, date (2 each) | compressed, original, crc (4 each)
//   name position, access mode, host data (2 each) | [extended position (4)]
//   name\0 | comment\0 | basic header crc (4) | extended header size (2) ...
ArjEntry readLocalHeader(ByteReader& in, quint16 basicHeaderSize) {
    ArjEntry e;
    const qint64 start = in.position();
    e.headerId = ARJ_HEADER_ID;
    e.basicHeaderSize = basicHeaderSize;
    in.readU8(e.firstHeaderSize);
    in.readU8(e.versionMadeBy);
    in.readU8(e.versionNeeded);
    in.readU8(e.hostSystem);
    in.readU8(e.flags);
    in.readU8(e.method);
    in.readU8(e.fileType);
    in.readU8(e.reserved);
    in.readU16(e.dosTime);
    in.readU16(e.dosDate);
    if (e.hostSystem == HOST_UNIX) {
        // A UNIX host stores Unix seconds in the four bytes of the DOS stamp.
        const DosStamp stamp = dosStampFromUnix(qint32(quint32(e.dosDate) << 16 | e.dosTime));
        e.dosDate = stamp.date;
        e.dosTime = stamp.time;
    }
    in.readU32(e.compressedSize);
    in.readU32(e.originalSize);
    in.readU32(e.crc);
    in.readU16(e.entryNamePosition);
    in.readU16(e.fileAccessMode);
    in.readU16(e.hostData);
    if (e.flags & FLAG_EXTENDED_POSITION)
        in.readU32(e.extendedFilePosition);
    // ARJ 2.50 and later put more fields (access and creation times) before the
    // name; the first header size tells where the name starts in that case.
    const qint64 namePosition = start + e.firstHeaderSize;
    if (namePosition > in.position() && e.firstHeaderSize <= basicHeaderSize)
        in.seek(namePosition);
    QByteArray text;
    in.readCString(text);
    e.name = innerText(text);
    in.readCString(text);
    e.comment = innerText(text);
    in.readU32(e.basicHeaderCrc);
    readExtendedHeader(in, e);
    e.dataPosition = in.position();
    return e;
}

} // namespace

qint16 Cls_Arj::readImpl(const QString&, ByteSource& source) {
    PackState& state = packState();
    m_entries.clear();
    ByteReader in(source);
    quint16 id = 0;
    if (in.size() < 2 || !in.readU16(id) || id != ARJ_HEADER_ID)
        return 0;
    quint16 size = 0;
    in.readU16(size);
    in.skip(size);
    quint32 crc = 0;
    in.readU32(crc);
    ArjEntry mainHeader;
    readExtendedHeader(in, mainHeader);
    markLoaded();

    while (true) {
        if (!in.readU16(id) || id != ARJ_HEADER_ID)
            break;
        if (!in.readU16(size) || size == 0)
            break;
        m_entries.push_back(readLocalHeader(in, size));
        state.PackFileCount = static_cast<qint32>(m_entries.size());
        in.skip(m_entries.back().compressedSize);
    }
    return 0;
}

QString Cls_Arj::methodName(int method) {
    static const char* const names[] = {"No Compression", "Maximum", "Normal", "Small", "Fastest"};
    return nameAt(names, method, "Unknown");
}

QString Cls_Arj::systemName(int system) {
    static const char* const names[] = {"MS-DOS and OS/2 (FAT / VFAT / FAT32 file systems)",
                                        "Primos",
                                        "UNIX",
                                        "Amiga",
                                        "MAC-OS",
                                        "OS/2",
                                        "Apple GS",
                                        "Atari ST",
                                        "Next",
                                        "VAX VMS"};
    return nameAt(names, system, "unKnown");
}

EntryView Cls_Arj::view(qint32 index) const {
    const ArjEntry& e = m_entries[static_cast<size_t>(index)];
    EntryView v;
    v.name = e.name;
    v.comment = e.comment;
    v.isDir = e.fileType == TYPE_DIRECTORY;
    v.method = methodName(e.method);
    v.crc = static_cast<qint32>(e.crc);
    v.compressedSize = e.compressedSize;
    v.uncompressedSize = e.originalSize;
    v.encrypted = (e.flags & FLAG_GARBLED) != 0;
    v.dosDate = e.dosDate;
    v.dosTime = e.dosTime;
    v.systemMadeBy = systemName(e.hostSystem);
    v.versionMadeBy = versionText(e.versionMadeBy);
    v.systemNeeded = QStringLiteral("unKnown");
    v.versionNeeded = versionText(e.versionNeeded);
    return v;
}

} // namespace velmar::archives
