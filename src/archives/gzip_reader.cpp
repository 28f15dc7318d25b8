#include "archives/gzip_reader.h"

#include "app/windows1252.h"
#include "archives/archive_constants.h"
#include "archives/byte_reader.h"
#include "archives/dos_datetime.h"
#include "archives/name_table.h"

namespace velmar::archives {

namespace {

using namespace constants;

// Member header: id (2) | method (1) | flags (1) | mtime (4) | xfl (1) | os (1)
//   [extra: length (2) + bytes] [name\0] [comment\0] [header crc (2)]
//   [encryption header (12)] ... data ... | trailer: crc-32 (4) | size (4)
constexpr quint8 FLAG_HEADER_CRC = 0x02;
constexpr quint8 FLAG_EXTRA = 0x04;
constexpr quint8 FLAG_NAME = 0x08;
constexpr quint8 FLAG_COMMENT = 0x10;
constexpr quint8 FLAG_ENCRYPTED = 0x20;
constexpr int ENCRYPTION_HEADER_SIZE = 12;
constexpr int TRAILER_SIZE = 8;

QString readText(ByteReader& in) {
    QByteArray bytes;
    in.readCString(bytes);
    return fromWindows1252(bytes);
}

void readOptionalFields(ByteReader& in, GZipMember& m) {
    if (m.flags & FLAG_EXTRA) {
        quint16 length = 0;
        in.readU16(length);
        QByteArray extra;
        in.readBytes(length, extra);
        m.extraField = fromWindows1252(extra);
    }
    if (m.flags & FLAG_NAME)
        m.name = readText(in);
    if (m.flags & FLAG_COMMENT)
        m.comment = readText(in);
    if (m.flags & FLAG_HEADER_CRC)
        in.readU16(m.headerCrc);
    if (m.flags & FLAG_ENCRYPTED)
        in.readBytes(ENCRYPTION_HEADER_SIZE, m.encryptionHeader);
}

} // namespace

QString Cls_GZip::nameFromArchivePath(const QString& path) {
    QString file = path;
    const qsizetype slash = std::max(path.lastIndexOf(QLatin1Char('\\')), path.lastIndexOf(QLatin1Char('/')));
    if (slash >= 0)
        file = path.mid(slash + 1);
    else if (path.size() >= 2 && path[1] == QLatin1Char(':'))
        file = path.mid(2);
    const QString upper = file.toUpper();
    struct Suffix {
        const char* find;
        const char* append;
    };
    static const Suffix suffixes[] = {{".GZ", ""}, {".Z", ""}, {".TGZ", ".tar"}, {".TAZ", ".tar"}};
    for (const Suffix& s : suffixes) {
        const qsizetype at = upper.indexOf(QLatin1String(s.find));
        if (at >= 0)
            return file.left(at) + QLatin1String(s.append);
    }
    return QString();
}

qint16 Cls_GZip::readImpl(const QString& path, ByteSource& source) {
    PackState& state = packState();
    m_member = GZipMember();
    ByteReader in(source);
    const qint64 length = in.size();
    in.skip(2);
    state.PackLoaded = 1;
    state.PackFileCount = 1;
    GZipMember& m = m_member;
    in.readU8(m.method);
    if (m.method != GZIP_DEFLATE)
        m.method = GZIP_UNKNOWN_METHOD;
    in.readU8(m.flags);
    quint32 mtime = 0;
    in.readU32(mtime);
    m.modificationTime = static_cast<qint32>(mtime);
    in.readU8(m.extraFlags);
    in.readU8(m.system);
    readOptionalFields(in, m);
    if (m.name.isEmpty() && !(m.flags & FLAG_NAME))
        m.name = nameFromArchivePath(path);
    m.dataPosition = in.position();
    m.compressedSize = static_cast<qint32>(length - TRAILER_SIZE - m.dataPosition);
    in.seek(length - TRAILER_SIZE);
    quint32 crc = 0;
    quint32 size = 0;
    in.readU32(crc);
    in.readU32(size);
    m.crc = static_cast<qint32>(crc);
    m.originalSize = static_cast<qint32>(size);
    const DosStamp stamp = dosStampFromUnix(m.modificationTime);
    m.dosDate = stamp.date;
    m.dosTime = stamp.time;
    state.PackComments = m.comment;
    return 0;
}

QString Cls_GZip::systemName(int system) {
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
                                        "Tops-20",
                                        "NTFS filesystem",
                                        "QDos",
                                        "Acorn Risc"};
    return nameAt(names, system, "UnKnown");
}

EntryView Cls_GZip::view(qint32) const {
    const GZipMember& m = m_member;
    EntryView v;
    v.name = m.name;
    v.comment = m.comment;
    v.method = m.method == GZIP_DEFLATE ? QStringLiteral("Deflate") : kUnknown;
    v.crc = m.crc;
    v.compressedSize = m.compressedSize;
    v.uncompressedSize = m.originalSize;
    v.encrypted = (m.flags & FLAG_ENCRYPTED) != 0;
    v.dosDate = m.dosDate;
    v.dosTime = m.dosTime;
    v.systemMadeBy = systemName(m.system);
    v.versionMadeBy = v.systemNeeded = v.versionNeeded = kUnKnown;
    return v;
}

} // namespace velmar::archives
