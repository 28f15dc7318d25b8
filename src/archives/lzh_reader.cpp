#include "archives/lzh_reader.h"

#include "app/byte_order.h"
#include "app/inner_text.h"
#include "archives/archive_constants.h"
#include "archives/byte_reader.h"
#include "archives/dos_datetime.h"

#include <algorithm>
#include <cstdint>
#include <optional>

namespace velmar::archives {

namespace {

using namespace constants;

// The first 22 bytes are common to the four header levels (+20 the level):
//   +0 size (level 0/1: 1 byte, then a checksum; level 2: 2 bytes, the whole
//   header; level 3: 2 bytes, the word size 4) | +2 "-" method (3) "-"
//   +7 packed (4) | +11 original (4) | +15 time (4: DOS time low, date high
//   at levels 0/1; Unix seconds at levels 2/3) | +19 attribute | +20 level
// Levels 0/1: +21 name length n | +22 name | crc-16 (2) | [level 1: os (1),
//   then extended headers, counted in the packed size]; the header is
//   size + 2 bytes long.
// Levels 2/3: +21 crc-16 (2) | +23 os (1) | level 2: +24 first extended size
//   (2) | level 3: +24 whole header size (4), +28 first extended size (4).
// Extended header: type (1) | data | size of the next one (2, or 4 at level 3).
constexpr size_t INITIAL_TABLE = 100;
constexpr int METHOD_LENGTH = 3;
constexpr int COMMON_SIZE = 22;
constexpr int LEVEL_OFFSET = 20;
constexpr quint8 EXT_FILE_NAME = 0x01;
constexpr quint8 EXT_DIRECTORY = 0x02;
constexpr quint8 EXT_SIZES = 0x42; // 64-bit packed and original sizes
constexpr char DIRECTORY_SEPARATOR = char(0xFF);

// What the extended headers say; the name and folder replace the base header's name.
struct Extended {
    std::optional<QByteArray> name;
    QByteArray directory;
    std::optional<quint64> packed;
    std::optional<quint64> original;
    qint64 bytes = 0; // their total size
};

// The chain of extended headers from the reader's position; false when it
// runs past the end of the file.
bool readExtendedHeaders(ByteReader& in, quint32 firstSize, int sizeLength, Extended& ext) {
    for (quint32 size = firstSize; size != 0;) {
        QByteArray h;
        if (size < quint32(1 + sizeLength) || !in.readBytes(size, h))
            return false;
        ext.bytes += size;
        const QByteArray data = h.mid(1, h.size() - 1 - sizeLength);
        if (h[0] == char(EXT_FILE_NAME))
            ext.name = data;
        else if (h[0] == char(EXT_DIRECTORY))
            ext.directory = QByteArray(data).replace(DIRECTORY_SEPARATOR, '/');
        else if (h[0] == char(EXT_SIZES) && data.size() >= 16) {
            ext.packed = bytes::le64(data, 0);
            ext.original = bytes::le64(data, 8);
        }
        size = quint32(bytes::le(h, h.size() - sizeLength, sizeLength));
    }
    return true;
}

// A Unix symbolic link is stored as "name|target": the entry is the name.
QString entryName(const QByteArray& bytes) {
    const qsizetype bar = bytes.indexOf('|');
    return innerText(bar >= 0 ? bytes.left(bar) : bytes);
}

bool readCommon(const QByteArray& h, LzhEntry& e) {
    e.headerSize = quint8(h[0]);
    e.checksum = quint8(h[1]);
    e.methodOpen = quint8(h[2]);
    e.methodCode = h.mid(3, METHOD_LENGTH);
    if (e.methodOpen != '-' || e.methodCode[0] != 'l')
        return false;
    e.methodClose = quint8(h[6]);
    e.packedSize = bytes::le32(h, 7);
    e.originalSize = bytes::le32(h, 11);
    e.timeStamp = bytes::le32(h, 15);
    e.attributeAndLevel = bytes::le16(h, 19);
    e.level = quint8(h[LEVEL_OFFSET]);
    return true;
}

// Levels 0 and 1, after the common bytes; the reader is left on the data.
bool readLowLevel(ByteReader& in, const QByteArray& h, qint64 start, LzhEntry& e) {
    if (e.headerSize < LZH_MIN_HEADER_SIZE)
        return false;
    e.nameLength = quint8(h[21]);
    QByteArray name;
    in.readBytes(e.nameLength, name);
    in.readU16(e.crc16);
    e.name = entryName(name);
    e.dosDate = static_cast<quint16>(e.timeStamp >> 16);
    e.dosTime = static_cast<quint16>(e.timeStamp & 0xFFFF);
    const qint64 headerEnd = start + e.headerSize + 2;
    if (headerEnd > in.size())
        return false;
    in.seek(e.level == 1 ? headerEnd - 2 : headerEnd);
    if (e.level == 0)
        return true;
    quint16 firstSize = 0;
    in.readU16(firstSize);
    Extended ext;
    if (!readExtendedHeaders(in, firstSize, 2, ext))
        return false;
    e.packedSize = quint64(std::max<qint64>(0, qint64(e.packedSize) - ext.bytes));
    if (ext.name || !ext.directory.isEmpty())
        e.name = entryName(ext.directory + ext.name.value_or(name));
    return true;
}

// Levels 2 and 3, after the common bytes; the reader is left on the data.
bool readHighLevel(ByteReader& in, const QByteArray& h, qint64 start, LzhEntry& e) {
    const int sizeLength = e.level == 2 ? 2 : 4;
    QByteArray rest;
    if (!in.readBytes(e.level == 2 ? 4 : 10, rest))
        return false;
    // The CRC's low byte ends the common bytes, its high byte starts the rest.
    const char crc[2] = {h[21], rest[0]};
    e.crc16 = bytes::le16(QByteArrayView(crc, 2));
    const qint64 headerSize = e.level == 2 ? qint64(bytes::le16(h, 0)) : qint64(bytes::le32(rest, 2));
    Extended ext;
    if (!readExtendedHeaders(in, quint32(bytes::le(rest, rest.size() - sizeLength, sizeLength)), sizeLength,
                             ext))
        return false;
    e.name = entryName(ext.directory + ext.name.value_or(QByteArray()));
    e.packedSize = ext.packed.value_or(e.packedSize);
    e.originalSize = ext.original.value_or(e.originalSize);
    const DosStamp stamp = dosStampFromUnix(qint32(e.timeStamp));
    e.dosDate = stamp.date;
    e.dosTime = stamp.time;
    // A level-2 header may end with a padding byte the extended headers do not count.
    in.seek(std::max(in.position(), start + headerSize));
    return in.position() <= in.size();
}

bool readHeader(ByteReader& in, LzhEntry& e) {
    const qint64 start = in.position();
    QByteArray h;
    if (!in.readBytes(COMMON_SIZE, h) || !readCommon(h, e))
        return false;
    if (e.level <= 1)
        return readLowLevel(in, h, start, e);
    if (e.level == 3 && bytes::le16(h, 0) != 4)
        return false;
    return e.level <= 3 && readHighLevel(in, h, start, e);
}

} // namespace

// Headers one after the other, each followed by its data, up to a 0 size
// byte, a header that is none or one that does not lie whole within the file.
qint16 Cls_LZH::readImpl(const QString&, ByteSource& source) {
    PackState& state = packState();
    m_entries.clear();
    // Grown past 100 entries like the tar table, so large archives list fully.
    m_entries.reserve(INITIAL_TABLE);
    ByteReader in(source);
    while (!in.atEnd()) {
        const qint64 start = in.position();
        LzhEntry e;
        if (!readHeader(in, e)) {
            in.seek(start);
            break;
        }
        e.dataPosition = in.position();
        if (qint64(std::min<quint64>(e.packedSize, quint64(INT64_MAX / 2))) > in.remaining())
            break;
        in.skip(qint64(e.packedSize));
        m_entries.push_back(std::move(e));
        state.PackFileCount = static_cast<qint32>(m_entries.size());
    }
    m_entries.shrink_to_fit();
    if (state.PackFileCount > 0)
        markLoaded();
    return 0;
}

QString Cls_LZH::methodName(const QByteArray& code) {
    struct Method {
        const char* code;
        const char* description;
    };
    static const Method methods[] = {
        {"lzs", "LZSS with 2kb window"},
        {"lz4", "no compression"},
        {"lz5", "LZSS with 4kb window"},
        {"lhd", "no compression (this is a directory, not a file!)"},
        {"lh0", "no compression (could be a directory or a file)"},
        {"lh1", "LZH with 4kb window, dynamic Huffman"},
        {"lh2", "LZH with 8kb window, dynamic Huffman"},
        {"lh3", "LZH with 8kb window, static Huffman"},
        {"lh4", "LZH with 4kb window, static canonical Huffman"},
        {"lh5", "LZH with 8kb window, static canonical Huffman"},
        {"lh6", "LZH with 32kb window, static canonical Huffman"},
        {"lh7", "LZH with 64kb window, static canonical Huffman"},
    };
    for (const Method& m : methods) {
        if (code == m.code)
            return QString::fromLatin1(m.description);
    }
    return QStringLiteral("Unknown");
}

EntryView Cls_LZH::view(qint32 index) const {
    const LzhEntry& e = m_entries[static_cast<size_t>(index)];
    EntryView v;
    v.name = e.name;
    v.comment = kNotSupported;
    v.isDir = e.methodCode == "lhd" || (e.originalSize == 0 && e.name.endsWith(QLatin1Char('/')));
    v.method = methodName(e.methodCode);
    v.crc = static_cast<qint16>(e.crc16);
    v.compressedSize = qint64(e.packedSize);
    v.uncompressedSize = qint64(e.originalSize);
    v.dosDate = e.dosDate;
    v.dosTime = e.dosTime;
    v.systemMadeBy = v.versionMadeBy = v.systemNeeded = v.versionNeeded = kUnKnown;
    return v;
}

} // namespace velmar::archives
