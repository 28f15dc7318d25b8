#include "archives/arc_reader.h"

#include "app/inner_text.h"
#include "archives/archive_constants.h"
#include "archives/byte_reader.h"
#include "archives/name_table.h"

#include <algorithm>

namespace velmar::archives {

namespace {

using namespace constants;

// Header (29 bytes):
//   +0 0x1A | +1 type = method (1..9; 0 ends) | +2 name (13, 0-padded)
//   +15 compressed size (4) | +19 date (2) | +21 time (2) | +23 crc-16 (2)
//   +25 original size (4)
constexpr int NAME_LENGTH = 13;
constexpr quint8 LAST_METHOD = 9;

// An archive of no entry: the end mark alone, perhaps padded with more end
// marks or 0 bytes to a record's length.
bool isEmptyArchive(ByteSource& source) {
    constexpr qint64 longestPadding = 1024;
    char bytes[longestPadding];
    const qint64 size = source.size();
    if (size < 2 || size > longestPadding || source.readAt(0, bytes, size) != size)
        return false;
    if (bytes[0] != char(ARC_MARKER) || bytes[1] != '\0')
        return false;
    return std::all_of(bytes + 2, bytes + size, [](char c) { return c == '\0' || c == char(ARC_MARKER); });
}

} // namespace

qint16 Cls_Arc::readImpl(const QString&, ByteSource& source) {
    PackState& state = packState();
    m_entries.clear();
    ByteReader in(source);
    while (true) {
        ArcEntry e;
        if (!in.readU8(e.marker) || e.marker != ARC_MARKER)
            break;
        if (!in.readU8(e.method) || e.method == 0 || e.method > LAST_METHOD)
            break;
        QByteArray name;
        in.readBytes(NAME_LENGTH, name);
        e.name = innerText(name.left(name.indexOf('\0') < 0 ? name.size() : name.indexOf('\0'))).trimmed();
        in.readU32(e.compressedSize);
        in.readU16(e.dosDate);
        in.readU16(e.dosTime);
        in.readU16(e.crc16);
        in.readU32(e.originalSize);
        e.dataPosition = in.position();
        in.seek(e.dataPosition + e.compressedSize);
        m_entries.push_back(std::move(e));
        state.PackFileCount = static_cast<qint32>(m_entries.size());
    }
    m_entries.shrink_to_fit();
    if (state.PackFileCount > 0 || isEmptyArchive(source))
        markLoaded();
    return 0;
}

QString Cls_Arc::methodName(int method) {
    static const char* const names[] = {"Unknown",
                                        "unpacked (obsolete)",
                                        "unpacked",
                                        "packed",
                                        "squeezed (after packing)",
                                        "crunched (obsolete)",
                                        "crunched (after packing) (obsolete)",
                                        "crunched (after packing, using faster hash algorithm)",
                                        "crunched (after packing, using dynamic LZW variations)",
                                        "Squashed c/o Quorvand (no packing) (var. on crunching)"};
    return nameAt(names, method, "Unknown");
}

EntryView Cls_Arc::view(qint32 index) const {
    const ArcEntry& e = m_entries[static_cast<size_t>(index)];
    EntryView v;
    v.name = e.name;
    v.comment = kNotSupported;
    v.isDir = e.originalSize == 0 && e.name.endsWith(QLatin1Char('/'));
    v.method = methodName(e.method);
    v.crc = static_cast<qint16>(e.crc16);
    v.compressedSize = e.compressedSize;
    v.uncompressedSize = e.originalSize;
    v.dosDate = e.dosDate;
    v.dosTime = e.dosTime;
    v.systemMadeBy = v.versionMadeBy = v.systemNeeded = v.versionNeeded = kUnKnown;
    return v;
}

} // namespace velmar::archives
