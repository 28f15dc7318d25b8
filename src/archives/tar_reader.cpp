#include "archives/tar_reader.h"

#include "app/windows1252.h"
#include "archives/archive_constants.h"
#include "archives/byte_reader.h"
#include "archives/dos_datetime.h"

namespace velmar::archives {

namespace {

using namespace constants;

// Header block (512 bytes), the fields the walk uses:
//   +0 name (100) | +100 mode (8) | +108 uid (8) | +116 gid (8)
//   +124 size (12, octal) | +136 mtime (12, octal) | +148 checksum (8, octal)
constexpr int NAME_OFFSET = 0;
constexpr int NAME_LENGTH = 100;
constexpr int SIZE_OFFSET = 124;
constexpr int SIZE_LENGTH = 12;
constexpr int MTIME_OFFSET = 136;
constexpr int MTIME_LENGTH = 12;
constexpr int CHECKSUM_OFFSET = 148;
constexpr int CHECKSUM_LENGTH = 8;
constexpr int USED_HEADER_BYTES = CHECKSUM_OFFSET + CHECKSUM_LENGTH;

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}

// The bytes of a field without its 0 bytes, into `out` (room for `length`);
// returns how many were kept.
int withoutZeros(const char* data, int length, char* out) {
    int kept = 0;
    for (int i = 0; i < length; ++i) {
        if (data[i] != '\0')
            out[kept++] = data[i];
    }
    return kept;
}

} // namespace

qint32 Cls_Tar::octalValue(const QByteArray& field) {
    return octalValue(field.constData(), int(field.size()));
}

qint32 Cls_Tar::octalValue(const char* field, int length) {
    // Without its 0 bytes and outer blanks, then without leading "0" digits.
    char text[MTIME_LENGTH + 1];
    int size = 0;
    for (int i = 0; i < length && size < int(sizeof text); ++i) {
        if (field[i] != '\0')
            text[size++] = field[i];
    }
    int first = 0;
    while (first < size && isBlank(text[first]))
        ++first;
    while (size > first && isBlank(text[size - 1]))
        --size;
    while (first < size && text[first] == '0')
        ++first;
    quint32 value = 0;
    for (int i = first; i < size; ++i) {
        const char c = text[i];
        const quint32 digit = (c >= '0' && c <= '9') ? quint32(c - '0') : 0;
        // Kept within 32 bits at each step; an overlong field wraps.
        value = value * 8u + digit;
    }
    return static_cast<qint32>(value);
}

namespace {

// One member's header: the fields up to the checksum, its name without 0
// bytes, its size and where its data starts; the reader is left on the next
// header. False at the end of the archive (a header without a name).
struct Header {
    char block[USED_HEADER_BYTES];
    char name[NAME_LENGTH];
    int nameLength = 0;
    qint32 size = 0;
    qint64 dataPosition = 0;
};

bool readHeader(ByteReader& in, Header& h) {
    // Only the fields up to the checksum are used: the rest of the block is skipped.
    in.read(h.block, USED_HEADER_BYTES);
    in.skip(TAR_BLOCK - USED_HEADER_BYTES);
    h.nameLength = withoutZeros(h.block + NAME_OFFSET, NAME_LENGTH, h.name);
    if (h.nameLength == 0)
        return false;
    h.size = Cls_Tar::octalValue(h.block + SIZE_OFFSET, SIZE_LENGTH);
    h.dataPosition = in.position();
    if (h.size > 0)
        in.skip((qint64(h.size) + TAR_BLOCK - 1) / TAR_BLOCK * TAR_BLOCK);
    return true;
}

} // namespace

qint16 Cls_Tar::readImpl(const QString&, ByteSource& source) {
    PackState& state = packState();
    m_entries.clear();
    Header h;
    // A first walk counts the members, so that the table is allocated once:
    // growing it by copies costs more than reading the headers twice.
    size_t members = 0;
    for (ByteReader counter(source); readHeader(counter, h);)
        ++members;
    m_entries.reserve(members);
    for (ByteReader in(source); readHeader(in, h);) {
        TarEntry e;
        e.name = fromWindows1252(h.name, h.nameLength);
        e.modificationTime = octalValue(h.block + MTIME_OFFSET, MTIME_LENGTH);
        e.checksum = octalValue(h.block + CHECKSUM_OFFSET, CHECKSUM_LENGTH);
        const DosStamp stamp = dosStampFromUnix(e.modificationTime);
        e.dosDate = stamp.date;
        e.dosTime = stamp.time;
        e.size = h.size;
        e.dataPosition = h.dataPosition;
        m_entries.push_back(std::move(e));
        state.PackFileCount = static_cast<qint32>(m_entries.size());
    }
    if (state.PackFileCount > 0)
        state.PackLoaded = 1;
    return 0;
}

EntryView Cls_Tar::view(qint32 index) const {
    const TarEntry& e = m_entries[static_cast<size_t>(index)];
    EntryView v;
    v.name = e.name;
    v.comment = kNotSupported;
    v.isDir = e.size == 0 && e.name.endsWith(QLatin1Char('/'));
    v.method = QStringLiteral("Stored");
    v.compressedSize = e.size;
    v.uncompressedSize = e.size;
    v.dosDate = e.dosDate;
    v.dosTime = e.dosTime;
    v.systemMadeBy = v.versionMadeBy = v.systemNeeded = v.versionNeeded = kUnKnown;
    return v;
}

} // namespace velmar::archives
