#include "archives/tar_reader.h"

#include "app/windows1252.h"
#include "archives/archive_constants.h"
#include "archives/byte_reader.h"
#include "archives/dos_datetime.h"

#include <algorithm>
#include <cstring>

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
// returns how many were kept. Most fields are text ended by 0 bytes only.
int withoutZeros(const char* data, int length, char* out) {
    static constexpr char zeros[NAME_LENGTH] = {};
    const int text = int(strnlen(data, size_t(length)));
    std::memcpy(out, data, size_t(text));
    if (length <= NAME_LENGTH && std::memcmp(data + text, zeros, size_t(length - text)) == 0)
        return text;
    int kept = text;
    for (int i = text; i < length; ++i) {
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
    // The text is the field without its 0 bytes (its first 13 bytes at most),
    // without outer blanks and leading "0" digits. In one pass: leading
    // blanks and zeros leave the value at 0 anyway, and blanks count as 0
    // digits once a later character shows that they are not trailing.
    constexpr int maxText = MTIME_LENGTH + 1;
    quint32 value = 0;
    int pendingBlanks = 0;
    for (int i = 0, kept = 0; i < length && kept < maxText; ++i) {
        const char c = field[i];
        if (c == '\0')
            continue;
        ++kept;
        const quint32 digit = quint32(c - '0');
        if (digit > 9 && isBlank(c)) {
            ++pendingBlanks;
            continue;
        }
        // Kept within 32 bits at each step; an overlong field wraps.
        for (; pendingBlanks > 0; --pendingBlanks)
            value *= 8u;
        value = value * 8u + (digit <= 9 ? digit : 0);
    }
    return static_cast<qint32>(value);
}

namespace {

// One member's header: the fields up to the checksum, its size and where its
// data starts; the reader is left on the next header. False at the end of
// the archive (a header whose name holds only 0 bytes).
struct Header {
    char block[USED_HEADER_BYTES];
    qint32 size = 0;
    qint64 dataPosition = 0;
};

bool readHeader(ByteReader& in, Header& h) {
    // Only the fields up to the checksum are used: the rest of the block is skipped.
    in.read(h.block, USED_HEADER_BYTES);
    in.skip(TAR_BLOCK - USED_HEADER_BYTES);
    const char* name = h.block + NAME_OFFSET;
    if (std::all_of(name, name + NAME_LENGTH, [](char c) { return c == '\0'; }))
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
    for (ByteReader in(source); readHeader(in, h);) {
        char name[NAME_LENGTH];
        TarEntry e;
        e.name = fromWindows1252(name, withoutZeros(h.block + NAME_OFFSET, NAME_LENGTH, name));
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
    // Built in place: the texts are copied once, never assigned over defaults.
    return EntryView{.name = e.name,
                     .comment = kNotSupported,
                     .method = QStringLiteral("Stored"),
                     .systemMadeBy = kUnKnown,
                     .versionMadeBy = kUnKnown,
                     .systemNeeded = kUnKnown,
                     .versionNeeded = kUnKnown,
                     .isDir = e.size == 0 && e.name.endsWith(QLatin1Char('/')),
                     .compressedSize = e.size,
                     .uncompressedSize = e.size,
                     .dosDate = e.dosDate,
                     .dosTime = e.dosTime};
}

} // namespace velmar::archives
