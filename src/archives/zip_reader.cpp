#include "archives/zip_reader.h"

#include "app/byte_order.h"
#include "app/inner_text.h"
#include "archives/archive_constants.h"
#include "archives/byte_reader.h"
#include "archives/dos_datetime.h"
#include "archives/name_table.h"
#include "archives/zip_fields.h"

#include <algorithm>
#include <cstdint>

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

// Zip64 end of central directory locator (20 bytes, just before the end record):
//   +0 signature | +4 disk | +8 offset of the Zip64 end record (8) | +16 disks
// Zip64 end record: +0 signature | +4 size of the rest (8) | ... | +32 total
//   entries (8) | +40 cd size (8) | +48 cd offset (8)
constexpr quint32 ZIP64_END_RECORD = 0x06064B50;
constexpr quint32 ZIP64_LOCATOR = 0x07064B50;
constexpr int ZIP64_LOCATOR_SIZE = 20;
constexpr int ZIP64_LOCATOR_OFFSET = 8;
constexpr int ZIP64_END_SIZE = 56;
constexpr int ZIP64_END_ENTRIES = 32;
constexpr int ZIP64_END_CD_OFFSET = 48;
constexpr int ZIP64_END_FIXED = 12;
constexpr quint16 FLAG_DESCRIPTOR = 0x0008;
constexpr int CENTRAL_SIZE = 42;

quint32 signatureAt(ByteReader& in, qint64 position) {
    in.seek(position);
    quint32 signature = 0;
    in.readU32(signature);
    in.seek(position);
    return signature;
}

struct Directory {
    quint64 entries = 0;
    quint64 offset = 0;
};

// The Zip64 end record named by the locator before the end record at `endAt`.
void applyZip64End(ByteReader& in, qint64 endAt, Directory& directory) {
    QByteArray locator;
    in.seek(endAt - ZIP64_LOCATOR_SIZE);
    if (endAt < ZIP64_LOCATOR_SIZE || !in.readBytes(ZIP64_LOCATOR_SIZE, locator) ||
        bytes::le32(locator, 0) != ZIP64_LOCATOR)
        return;
    QByteArray record;
    const quint64 recordAt = bytes::le64(locator, ZIP64_LOCATOR_OFFSET);
    if (recordAt > quint64(in.size()))
        return;
    in.seek(qint64(recordAt));
    if (!in.readBytes(ZIP64_END_SIZE, record) || bytes::le32(record, 0) != ZIP64_END_RECORD)
        return;
    directory.entries = bytes::le64(record, ZIP64_END_ENTRIES);
    directory.offset = bytes::le64(record, ZIP64_END_CD_OFFSET);
}

// From the Zip64 end record and its locator, if the reader is on them, to what follows.
void skipZip64End(ByteReader& in) {
    const qint64 at = in.position();
    if (signatureAt(in, at) == ZIP64_END_RECORD) {
        QByteArray fixed;
        in.readBytes(ZIP64_END_FIXED, fixed);
        fixed.resize(ZIP64_END_FIXED, '\0');
        in.seek(at + ZIP64_END_FIXED + qint64(std::min<quint64>(bytes::le64(fixed, 4), quint64(in.size()))));
    }
    if (signatureAt(in, in.position()) == ZIP64_LOCATOR)
        in.skip(ZIP64_LOCATOR_SIZE);
}

// Central directory header after its signature (42 bytes):
//   +0 made by | +2 needed | +4 flags | +6 method | +8 time | +10 date
//   +12 crc | +16 compressed | +20 uncompressed | +24 name len | +26 extra len
//   +28 comment len | +30 disk | +32 internal | +34 external | +38 local offset
// False when the header is not one or does not lie whole within the file.
bool readCentralHeader(ByteReader& in, ZipEntry& e) {
    quint32 signature = 0;
    QByteArray h;
    if (!in.readU32(signature) || signature != ZIP_CENTRAL_HEADER || !in.readBytes(CENTRAL_SIZE, h))
        return false;
    e.versionMadeBy = bytes::le16(h, 0);
    e.versionNeeded = bytes::le16(h, 2);
    e.flags = bytes::le16(h, 4);
    e.method = static_cast<qint16>(bytes::le16(h, 6));
    e.dosTime = bytes::le16(h, 8);
    e.dosDate = bytes::le16(h, 10);
    e.crc = static_cast<qint32>(bytes::le32(h, 12));
    ZipSizes sizes{bytes::le32(h, 20), bytes::le32(h, 16), bytes::le32(h, 38)};
    e.diskNumberStart = bytes::le16(h, 30);
    e.internalAttributes = bytes::le16(h, 32);
    e.externalAttributes = bytes::le32(h, 34);
    QByteArray name;
    QByteArray comment;
    const bool whole = in.readBytes(bytes::le16(h, 24), name) &&
                       in.readBytes(bytes::le16(h, 26), e.extraField) &&
                       in.readBytes(bytes::le16(h, 28), comment);
    applyZip64Extra(e.extraField, sizes);
    e.uncompressedSize = sizes.uncompressed;
    e.compressedSize = sizes.compressed;
    e.localHeaderOffset = sizes.localHeaderOffset;
    e.name = zipEntryName(name, e.flags, e.extraField);
    e.comment = zipText(comment, e.flags);
    return whole;
}

// Up to `count` central headers from the reader's position; true when all were read whole.
bool readCentralDirectory(ByteReader& in, quint64 count, std::vector<ZipEntry>& entries) {
    entries.clear();
    entries.reserve(
        size_t(std::min<quint64>(count, quint64(std::max<qint64>(in.remaining(), 0)) / CENTRAL_SIZE)));
    for (quint64 i = 0; i < count; ++i) {
        ZipEntry e;
        if (!readCentralHeader(in, e))
            return false;
        entries.push_back(std::move(e));
    }
    // Writers without Zip64 records keep only the low 16 bits of a larger
    // count: the headers that follow the counted ones are read while they last.
    for (ZipEntry e; signatureAt(in, in.position()) == ZIP_CENTRAL_HEADER && readCentralHeader(in, e);
         e = ZipEntry())
        entries.push_back(std::move(e));
    return true;
}

// Local header after its signature (26 bytes):
//   +0 version | +2 flags | +4 method | +6 time | +8 date | +10 crc
//   +14 compressed | +18 uncompressed | +22 name length | +24 extra length
ZipEntry localEntry(const QByteArray& h, const QByteArray& name, const QByteArray& extra) {
    ZipEntry e;
    e.versionNeeded = bytes::le16(h, 0);
    e.flags = bytes::le16(h, 2);
    e.method = static_cast<qint16>(bytes::le16(h, 4));
    e.dosTime = bytes::le16(h, 6);
    e.dosDate = bytes::le16(h, 8);
    e.crc = static_cast<qint32>(bytes::le32(h, 10));
    ZipSizes sizes{bytes::le32(h, 18), bytes::le32(h, LOCAL_COMPRESSED), 0};
    applyZip64Extra(extra, sizes);
    e.uncompressedSize = sizes.uncompressed;
    e.compressedSize = sizes.compressed;
    e.extraField = extra;
    e.name = zipEntryName(name, e.flags, extra);
    return e;
}

// A streamed entry's sizes and CRC sit in the descriptor after its data: the
// data ends where a descriptor signature is followed by the distance to it.
bool findDescriptor(ByteReader& in, ZipEntry& e) {
    const qint64 dataStart = in.position();
    QByteArray window;
    for (qint64 at = dataStart; at < in.size(); at += window.size() - 3) {
        in.seek(at);
        in.readBytes(64 * 1024, window);
        for (qsizetype i = window.indexOf("PK\x07\x08"); i >= 0; i = window.indexOf("PK\x07\x08", i + 1)) {
            QByteArray d;
            in.seek(at + i + 4);
            if (!in.readBytes(DESCRIPTOR_SIZE, d))
                return false;
            if (bytes::le32(d, 4) == quint64(at + i - dataStart)) {
                e.crc = static_cast<qint32>(bytes::le32(d, 0));
                e.compressedSize = bytes::le32(d, 4);
                e.uncompressedSize = bytes::le32(d, 8);
                return true;
            }
        }
        if (window.size() <= 3)
            break;
    }
    return false;
}

// One local header and its data, the reader left after them; false when
// they do not lie whole within the file.
bool readLocalEntry(ByteReader& in, ZipEntry& e) {
    QByteArray header;
    QByteArray name;
    QByteArray extra;
    if (!in.readBytes(LOCAL_SIZE, header) || !in.readBytes(bytes::le16(header, LOCAL_NAME_LENGTH), name) ||
        !in.readBytes(bytes::le16(header, LOCAL_EXTRA_LENGTH), extra))
        return false;
    e = localEntry(header, name, extra);
    if ((e.flags & FLAG_DESCRIPTOR) && e.compressedSize == 0 && !findDescriptor(in, e))
        return false;
    if (e.compressedSize > quint64(in.remaining()))
        return false;
    in.skip(qint64(e.compressedSize));
    return true;
}

enum class ScanResult { CentralFound, Ended, UnknownSignature };

// The entries of the local headers read whole, up to the central directory
// (the reader is left on it), an unknown signature or the end of the file.
ScanResult scanLocalHeaders(ByteReader& in, std::vector<ZipEntry>& entries) {
    entries.clear();
    while (true) {
        quint32 signature = 0;
        if (!in.readU32(signature))
            return ScanResult::Ended;
        if (signature == ZIP_CENTRAL_HEADER) {
            in.skip(-4);
            return ScanResult::CentralFound;
        }
        if (signature == ZIP_DATA_DESCRIPTOR) {
            in.skip(DESCRIPTOR_SIZE);
            continue;
        }
        ZipEntry e;
        if (signature != ZIP_LOCAL_HEADER)
            return ScanResult::UnknownSignature;
        if (!readLocalEntry(in, e))
            return ScanResult::Ended;
        entries.push_back(std::move(e));
    }
}

// The comment of the end record that follows the central directory.
QString readArchiveComment(ByteReader& in) {
    skipZip64End(in);
    QByteArray trailer;
    in.readBytes(END_RECORD_SIZE, trailer);
    trailer.resize(END_RECORD_SIZE, '\0');
    QByteArray comment;
    in.readBytes(bytes::le16(trailer, END_COMMENT_LENGTH), comment);
    return innerText(comment);
}

} // namespace

// The end record at the very end names the central directory; without it,
// the local headers are walked up to the directory. A directory that is cut
// short or lies outside the file gives way to the local headers read whole.
qint16 Cls_Zip::readImpl(const QString&, ByteSource& source) {
    PackState& state = packState();
    m_entries.clear();
    ByteReader in(source);
    const qint64 endAt = in.size() - END_RECORD_SIZE;
    QByteArray end;
    if (endAt >= 0) {
        in.seek(endAt);
        in.readBytes(END_RECORD_SIZE, end);
    }
    end.resize(END_RECORD_SIZE, '\0');
    std::vector<ZipEntry> local;
    bool directoryWhole = false;
    if (bytes::le32(end, 0) == ZIP_END_OF_CENTRAL_DIR) {
        // Read unsigned so that archives of 32768 to 65535 entries still list.
        Directory directory{bytes::le16(end, END_ENTRIES), bytes::le32(end, END_CD_OFFSET)};
        applyZip64End(in, endAt, directory);
        if (directory.entries == 0)
            return 0;
        in.seek(qint64(std::min<quint64>(directory.offset, quint64(in.size()))));
        directoryWhole = readCentralDirectory(in, directory.entries, m_entries);
        if (!directoryWhole) {
            in.seek(0);
            scanLocalHeaders(in, local);
        }
    } else {
        in.seek(0);
        const ScanResult scan = scanLocalHeaders(in, local);
        if (scan == ScanResult::UnknownSignature && local.empty())
            return 1;
        directoryWhole =
            scan == ScanResult::CentralFound && readCentralDirectory(in, local.size(), m_entries);
    }
    if (!directoryWhole && local.size() >= m_entries.size())
        m_entries = std::move(local);
    state.PackFileCount = static_cast<qint32>(std::min<size_t>(m_entries.size(), INT32_MAX));
    if (m_entries.empty())
        return 0;
    markLoaded();
    if (directoryWhole)
        state.PackComments = readArchiveComment(in);
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
