#include "archives/zip_reader.h"

#include "app/windows1252.h"
#include "archives/archive_constants.h"
#include "archives/byte_reader.h"
#include "archives/dos_datetime.h"
#include "archives/name_table.h"

namespace velmar::archives {

namespace {

using namespace constants;

// End of central directory, the last 22 bytes of an archive without comment:
//
//   +0 signature | +4 disk | +6 cd disk | +8 entries here | +10 total
//   +12 cd size  | +16 cd offset        | +20 comment length
constexpr int END_RECORD_SIZE = 22;
constexpr int END_ENTRIES = 8;
constexpr int END_CD_OFFSET = 16;
constexpr int END_COMMENT_LENGTH = 20;

// Local header after its signature (26 bytes):
//   +0 version | +2 flags | +4 method | +6 time | +8 date | +10 crc
//   +14 compressed | +18 uncompressed | +22 name length | +24 extra length
constexpr int LOCAL_SIZE = 26;
constexpr int LOCAL_COMPRESSED = 14;
constexpr int LOCAL_NAME_LENGTH = 22;
constexpr int LOCAL_EXTRA_LENGTH = 24;
constexpr int DESCRIPTOR_SIZE = 12;

quint16 word(const QByteArray& b, int at) {
    return static_cast<quint16>(quint8(b[at]) | (quint8(b[at + 1]) << 8));
}
quint32 dword(const QByteArray& b, int at) {
    return quint32(word(b, at)) | (quint32(word(b, at + 2)) << 16);
}

enum class ScanResult { Found, UnknownSignature };

// Counts the local headers up to the central directory, leaving the reader on it.
ScanResult scanLocalHeaders(ByteReader& in, qint32& count) {
    count = 0;
    while (true) {
        quint32 signature = 0;
        in.readU32(signature);
        if (signature == ZIP_CENTRAL_HEADER) {
            in.skip(-4);
            return ScanResult::Found;
        }
        if (signature == ZIP_LOCAL_HEADER) {
            const qint64 start = in.position() - 4;
            QByteArray header;
            in.readBytes(LOCAL_SIZE, header);
            header.resize(LOCAL_SIZE, '\0');
            const qint64 compressed = dword(header, LOCAL_COMPRESSED);
            const qint16 nameLength = static_cast<qint16>(word(header, LOCAL_NAME_LENGTH));
            const qint16 extraLength = static_cast<qint16>(word(header, LOCAL_EXTRA_LENGTH));
            in.skip(compressed + nameLength + extraLength);
            // Negative name or extra lengths could step back into this header.
            if (in.position() <= start)
                return ScanResult::UnknownSignature;
            ++count;
        } else if (signature == ZIP_DATA_DESCRIPTOR) {
            in.skip(DESCRIPTOR_SIZE);
        } else {
            return ScanResult::UnknownSignature;
        }
    }
}

// Central directory header after its signature (42 bytes):
//   +0 made by | +2 needed | +4 flags | +6 method | +8 time | +10 date
//   +12 crc | +16 compressed | +20 uncompressed | +24 name len | +26 extra len
//   +28 comment len | +30 disk | +32 internal | +34 external | +38 local offset
constexpr int CENTRAL_SIZE = 42;

ZipEntry readCentralHeader(ByteReader& in) {
    in.skip(4);
    QByteArray h;
    in.readBytes(CENTRAL_SIZE, h);
    h.resize(CENTRAL_SIZE, '\0');
    ZipEntry e;
    e.versionMadeBy = word(h, 0);
    e.versionNeeded = word(h, 2);
    e.flags = word(h, 4);
    e.method = static_cast<qint16>(word(h, 6));
    e.dosTime = word(h, 8);
    e.dosDate = word(h, 10);
    e.crc = static_cast<qint32>(dword(h, 12));
    e.compressedSize = static_cast<qint32>(dword(h, 16));
    e.uncompressedSize = static_cast<qint32>(dword(h, 20));
    const quint16 nameLength = word(h, 24);
    const quint16 extraLength = word(h, 26);
    const quint16 commentLength = word(h, 28);
    e.diskNumberStart = word(h, 30);
    e.internalAttributes = word(h, 32);
    e.externalAttributes = dword(h, 34);
    e.localHeaderOffset = dword(h, 38);
    QByteArray bytes;
    in.readBytes(nameLength, bytes);
    e.name = fromWindows1252(bytes);
    in.readBytes(extraLength, bytes);
    e.extraField = fromWindows1252(bytes);
    in.readBytes(commentLength, bytes);
    e.comment = fromWindows1252(bytes);
    return e;
}

} // namespace

qint16 Cls_Zip::readImpl(const QString&, ByteSource& source) {
    PackState& state = packState();
    m_entries.clear();
    ByteReader in(source);
    QByteArray end;
    if (in.size() >= END_RECORD_SIZE) {
        in.seek(in.size() - END_RECORD_SIZE);
        in.readBytes(END_RECORD_SIZE, end);
    }
    end.resize(END_RECORD_SIZE, '\0');
    qint32 count = 0;
    if (dword(end, 0) == ZIP_END_OF_CENTRAL_DIR) {
        in.seek(dword(end, END_CD_OFFSET));
        // Read unsigned so that archives of 32768 to 65535 entries still list.
        count = word(end, END_ENTRIES);
    } else {
        in.seek(0);
        if (scanLocalHeaders(in, count) == ScanResult::UnknownSignature)
            return 1;
    }
    state.PackFileCount = count;
    if (count == 0)
        return 0;
    m_entries.reserve(static_cast<size_t>(count));
    state.PackLoaded = 1;
    for (qint32 i = 0; i < count; ++i) {
        // Headers announced past the end read as zeros: no need to read them.
        m_entries.push_back(in.atEnd() ? ZipEntry() : readCentralHeader(in));
    }

    QByteArray trailer;
    in.readBytes(END_RECORD_SIZE, trailer);
    trailer.resize(END_RECORD_SIZE, '\0');
    QByteArray comment;
    in.readBytes(word(trailer, END_COMMENT_LENGTH), comment);
    state.PackComments = fromWindows1252(comment);
    return 0;
}

QString Cls_Zip::methodName(int method) {
    static const char* const names[] = {"No Compression",
                                        "Shrunk",
                                        "Reduce Factor 1",
                                        "Reduce Factor 2",
                                        "Reduce Factor 3",
                                        "Reduce Factor 4",
                                        "Imploded",
                                        "Tokenized",
                                        "Deflated",
                                        "Enhanced Deflating",
                                        "PKWARE Imploding",
                                        "Reserved",
                                        "BZip2"};
    return nameAt(names, method, "Unknown");
}

QString Cls_Zip::systemName(int system) {
    static const char* const names[] = {"MS-DOS and OS/2 (FAT / VFAT / FAT32 file systems)",
                                        "Amiga",
                                        "2 - OpenVMS",
                                        "UNIX",
                                        "VM/CMS",
                                        "Atari ST",
                                        "OS/2 H.P.F.S.",
                                        "Macintosh",
                                        "Z-System",
                                        "CP/M",
                                        "Windows NTFS",
                                        "MVS (OS/390 - Z/OS)",
                                        "VSE",
                                        "Acorn Risc",
                                        "VFAT",
                                        "Alternate MVS",
                                        "BeOS",
                                        "Tandem",
                                        "OS/400"};
    return nameAt(names, system, "UnKnown");
}

EntryView Cls_Zip::view(qint32 index) const {
    const ZipEntry& e = m_entries[static_cast<size_t>(index)];
    EntryView v;
    v.name = e.name;
    v.comment = e.comment;
    v.isDir = e.compressedSize == 0 && e.name.endsWith(QLatin1Char('/'));
    v.method = methodName(e.method);
    v.crc = e.crc;
    v.compressedSize = e.compressedSize;
    v.uncompressedSize = e.uncompressedSize;
    v.encrypted = (e.flags & 1) != 0;
    v.dosDate = e.dosDate;
    v.dosTime = e.dosTime;
    v.systemMadeBy = systemName(e.versionMadeBy >> 8);
    v.versionMadeBy = versionText(static_cast<quint8>(e.versionMadeBy & 0xFF));
    v.systemNeeded = systemName(e.versionNeeded >> 8);
    v.versionNeeded = versionText(static_cast<quint8>(e.versionNeeded & 0xFF));
    return v;
}

} // namespace velmar::archives
