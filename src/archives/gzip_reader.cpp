#include "archives/gzip_reader.h"

#include "app/inner_text.h"
#include "app/windows1252.h"
#include "archives/archive_constants.h"
#include "archives/byte_reader.h"
#include "archives/deflate_walk.h"
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
    return innerText(bytes);
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

namespace {

// One member from its header at the reader's position: the fields of the
// header, the end of its deflate stream and the trailer after it. When that
// stream does not end within the file, the trailer is the file's last 8 bytes.
GZipMember readMember(ByteSource& source, ByteReader& in, const QString& path) {
    GZipMember m;
    in.skip(2);
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
        m.name = Cls_GZip::nameFromArchivePath(path);
    m.dataPosition = in.position();
    const DeflateEnd stream =
        m.method == GZIP_DEFLATE && !(m.flags & FLAG_ENCRYPTED) && m.dataPosition < in.size()
            ? walkDeflate(source, m.dataPosition)
            : DeflateEnd();
    m.whole = stream.ended && m.dataPosition + stream.consumed + TRAILER_SIZE <= in.size();
    const qint64 trailer = m.whole ? m.dataPosition + stream.consumed : in.size() - TRAILER_SIZE;
    m.compressedSize = std::max<qint64>(0, trailer - m.dataPosition);
    in.seek(trailer);
    quint32 crc = 0;
    quint32 size = 0;
    in.readU32(crc);
    in.readU32(size);
    m.crc = static_cast<qint32>(crc);
    m.originalSize = m.whole ? stream.produced : qint64(size);
    // A time of 0 means the header holds none.
    const DosStamp stamp = mtime == 0 ? DosStamp() : dosStampFromUnix(m.modificationTime);
    m.dosDate = stamp.date;
    m.dosTime = stamp.time;
    return m;
}

} // namespace

// Every member of the file, one after the other: a member after the first
// is listed when it lies whole within the file; anything else after the last
// member (padding, another format) ends the walk.
qint16 Cls_GZip::readImpl(const QString& path, ByteSource& source) {
    PackState& state = packState();
    m_members.clear();
    ByteReader in(source);
    markLoaded();
    m_members.push_back(readMember(source, in, path));
    while (m_members.back().whole) {
        const qint64 next = in.position();
        quint16 id = 0;
        if (!in.readU16(id) || id != WORD_GZIP)
            break;
        in.seek(next);
        GZipMember m = readMember(source, in, path);
        if (!m.whole)
            break;
        m_members.push_back(std::move(m));
    }
    state.PackFileCount = static_cast<qint32>(m_members.size());
    state.PackComments = m_members.front().comment;
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

EntryView Cls_GZip::view(qint32 index) const {
    const GZipMember& m = m_members[static_cast<size_t>(index)];
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
