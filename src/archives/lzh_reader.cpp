#include "archives/lzh_reader.h"

#include "app/windows1252.h"
#include "archives/archive_constants.h"
#include "archives/byte_reader.h"

namespace velmar::archives {

namespace {

using namespace constants;

// Header (level 0/1 layout as walked):
//   +0 header size | +1 checksum | +2 "-" | +3 method (3) | +6 "-"
//   +7 packed (4) | +11 original (4) | +15 time stamp (4, time low, date high)
//   +19 attribute + level (2) | +21 name length n | +22 name (n) | crc-16 (2)
// The data starts after header size + 2 bytes; the next header follows it.
constexpr size_t INITIAL_TABLE = 100;
constexpr int METHOD_LENGTH = 3;

bool readHeader(ByteReader& in, quint8 size, LzhEntry& e) {
    e.headerSize = size;
    in.readU8(e.checksum);
    in.readU8(e.methodOpen);
    if (e.methodOpen != '-')
        return false;
    in.readBytes(METHOD_LENGTH, e.methodCode);
    if (e.methodCode.isEmpty() || e.methodCode[0] != 'l')
        return false;
    in.readU8(e.methodClose);
    in.readU32(e.packedSize);
    in.readU32(e.originalSize);
    in.readU32(e.timeStamp);
    in.readU16(e.attributeAndLevel);
    in.readU8(e.nameLength);
    QByteArray name;
    in.readBytes(e.nameLength, name);
    e.name = fromWindows1252(name);
    in.readU16(e.crc16);
    e.dataPosition = in.position();
    e.dosDate = static_cast<quint16>(e.timeStamp >> 16);
    e.dosTime = static_cast<quint16>(e.timeStamp & 0xFFFF);
    return true;
}

} // namespace

qint16 Cls_LZH::readImpl(const QString&, ByteSource& source) {
    PackState& state = packState();
    m_entries.clear();
    // Grown past 100 entries like the tar table, so large archives list fully.
    m_entries.reserve(INITIAL_TABLE);
    ByteReader in(source);
    while (true) {
        quint8 size = 0;
        if (!in.readU8(size) || size < LZH_MIN_HEADER_SIZE)
            break;
        const qint64 base = in.position();
        LzhEntry e;
        if (!readHeader(in, size, e))
            break;
        in.seek(base + size + 1 + qint64(e.packedSize));
        m_entries.push_back(std::move(e));
        state.PackFileCount = static_cast<qint32>(m_entries.size());
    }
    m_entries.shrink_to_fit();
    if (state.PackFileCount > 0)
        state.PackLoaded = 1;
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
    v.compressedSize = static_cast<qint32>(e.packedSize);
    v.uncompressedSize = static_cast<qint32>(e.originalSize);
    v.dosDate = e.dosDate;
    v.dosTime = e.dosTime;
    v.systemMadeBy = v.versionMadeBy = v.systemNeeded = v.versionNeeded = kUnKnown;
    return v;
}

} // namespace velmar::archives
