#include "archives/tar_reader.h"

#include "app/inner_text.h"
#include "archives/archive_constants.h"
#include "archives/byte_reader.h"
#include "archives/dos_datetime.h"
#include "archives/tar_pax.h"

#include <algorithm>
#include <cstring>

namespace velmar::archives {

namespace {

using namespace constants;

// Header block (512 bytes), its first fields:
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
    return static_cast<qint32>(static_cast<quint32>(octalValue64(field, length)));
}

quint64 Cls_Tar::octalValue64(const char* field, int length) {
    // The text is the field without its 0 bytes (its first 13 bytes at most),
    // without outer blanks and leading "0" digits. In one pass: leading
    // blanks and zeros leave the value at 0 anyway, and blanks count as 0
    // digits once a later character shows that they are not trailing.
    constexpr int maxText = MTIME_LENGTH + 1;
    quint64 value = 0;
    int pendingBlanks = 0;
    for (int i = 0, kept = 0; i < length && kept < maxText; ++i) {
        const char c = field[i];
        if (c == '\0')
            continue;
        ++kept;
        const quint64 digit = quint64(c - '0');
        if (digit > 9 && isBlank(c)) {
            ++pendingBlanks;
            continue;
        }
        // 13 characters at most: the value stays within 40 bits.
        for (; pendingBlanks > 0; --pendingBlanks)
            value *= 8u;
        value = value * 8u + (digit <= 9 ? digit : 0);
    }
    return value;
}

qint64 Cls_Tar::numberValue(const char* field, int length) {
    // Base-256 (GNU, star): the first byte's high bit set, the value big-endian
    // in the remaining bits; a negative one (0xFF first) names no size.
    const auto first = static_cast<unsigned char>(field[0]);
    if (length == 0 || !(first & 0x80))
        return qint64(octalValue64(field, length));
    if (first == 0xFF)
        return 0;
    quint64 value = first & 0x7F;
    for (int i = 1; i < length; ++i) {
        if (value >> 55)
            return 0; // past 63 bits: no real size
        value = (value << 8) | static_cast<unsigned char>(field[i]);
    }
    return qint64(value);
}

namespace {

// The rest of the header block past the checksum:
//   +156 type (1) | +157 link name (100) | +257 magic (6) | +263 version (2)
//   +265 user, group names | +329 device numbers | +345 ustar prefix (155)
//   old GNU form ("ustar  " magic): +386 sparse map | +482 extended | +483 real size (12)
constexpr int TYPE_OFFSET = 156;
constexpr int MAGIC_OFFSET = 257;
constexpr int PREFIX_OFFSET = 345;
constexpr int PREFIX_LENGTH = 155;
constexpr int GNU_EXTENDED_OFFSET = 482;
constexpr int GNU_REAL_SIZE_OFFSET = 483;
constexpr int SPARSE_EXTENSION_FLAG = 504;
constexpr char USTAR_MAGIC[] = "ustar"; // followed by a 0 byte in ustar and pax

// Types whose members carry no data whatever their size field says.
bool carriesNoData(char type) {
    return type >= '1' && type <= '6';
}

// Headers that describe the member after them rather than one of their own.
bool isExtension(char type) {
    return type == 'x' || type == 'g' || type == 'L' || type == 'K';
}

bool allZero(const char* data, int length) {
    return std::all_of(data, data + length, [](char c) { return c == '\0'; });
}

// The header's checksum: the sum of its bytes, the checksum field counted as blanks.
bool checksumMatches(const char* block) {
    qint64 unsignedSum = 0;
    qint64 signedSum = 0;
    for (int i = 0; i < TAR_BLOCK; ++i) {
        const char c = (i >= CHECKSUM_OFFSET && i < CHECKSUM_OFFSET + CHECKSUM_LENGTH) ? ' ' : block[i];
        unsignedSum += static_cast<unsigned char>(c);
        signedSum += static_cast<signed char>(c);
    }
    const qint64 stored = Cls_Tar::numberValue(block + CHECKSUM_OFFSET, CHECKSUM_LENGTH);
    return stored == unsignedSum || stored == signedSum;
}

// A field's text up to its first 0 byte.
QByteArray cString(const char* field, int length) {
    return QByteArray(field, qsizetype(strnlen(field, size_t(length))));
}

// One header block and the data it announces, read whole.
struct Member {
    char block[TAR_BLOCK];
    char type = 0;
    qint64 size = 0;
    qint64 dataPosition = 0;
};

// Reads the member at the reader's position and leaves the reader on the next
// one; a pax size given before the header replaces the header's own. False at
// the end: a block of 0 bytes (or an empty name without a valid checksum), or
// a header or data that does not lie whole within the file.
bool readMember(ByteReader& in, Member& m, bool& endBlock, std::optional<qint64> paxSize) {
    endBlock = false;
    if (!in.read(m.block, TAR_BLOCK))
        return false;
    endBlock = allZero(m.block, TAR_BLOCK);
    if (endBlock || (allZero(m.block + NAME_OFFSET, NAME_LENGTH) && !checksumMatches(m.block)))
        return false;
    m.type = m.block[TYPE_OFFSET];
    m.size = Cls_Tar::numberValue(m.block + SIZE_OFFSET, SIZE_LENGTH);
    if (paxSize && !isExtension(m.type))
        m.size = *paxSize;
    m.size = std::max<qint64>(0, m.size);
    if (m.type == 'S' && m.block[GNU_EXTENDED_OFFSET] != '\0') {
        // Old GNU sparse member: more map blocks follow the header.
        char extension[TAR_BLOCK];
        do {
            if (!in.read(extension, TAR_BLOCK))
                return false;
        } while (extension[SPARSE_EXTENSION_FLAG] != '\0');
    }
    m.dataPosition = in.position();
    const qint64 data = carriesNoData(m.type) ? 0 : m.size;
    if (data > in.remaining())
        return false;
    in.skip(std::min((data + TAR_BLOCK - 1) / TAR_BLOCK * TAR_BLOCK, in.remaining()));
    return true;
}

// The data of a long name or pax member; past a mebibyte it holds no real name.
QByteArray memberData(ByteReader& in, const Member& m) {
    constexpr qint64 longest = 1 << 20;
    const qint64 after = in.position();
    QByteArray data;
    in.seek(m.dataPosition);
    in.readBytes(std::min(m.size, longest), data);
    in.seek(after);
    return data;
}

// The name of the header itself: ustar and pax put the folders in the prefix field.
QByteArray headerName(const Member& m) {
    char name[NAME_LENGTH];
    QByteArray own(name, withoutZeros(m.block + NAME_OFFSET, NAME_LENGTH, name));
    const bool ustar = std::memcmp(m.block + MAGIC_OFFSET, USTAR_MAGIC, sizeof USTAR_MAGIC) == 0;
    const QByteArray prefix = ustar ? cString(m.block + PREFIX_OFFSET, PREFIX_LENGTH) : QByteArray();
    return prefix.isEmpty() ? own : prefix + '/' + own;
}

// What the headers before a member (GNU long name, pax) say about it.
struct Pending {
    std::optional<QByteArray> longName;
    PaxValues pax;
    PaxValues global;
};

TarEntry entryOf(const Member& m, const Pending& pending) {
    const PaxValues pax = mergedPax(pending.pax, pending.global);
    TarEntry e;
    if (pax.sparseName)
        e.name = innerText(*pax.sparseName, DeclaredEncoding::Utf8);
    else if (pax.path)
        e.name = innerText(*pax.path, DeclaredEncoding::Utf8);
    else
        e.name = innerText(pending.longName ? *pending.longName : headerName(m));
    e.modificationTime =
        pax.mtime ? qint32(*pax.mtime) : Cls_Tar::octalValue(m.block + MTIME_OFFSET, MTIME_LENGTH);
    e.checksum = Cls_Tar::octalValue(m.block + CHECKSUM_OFFSET, CHECKSUM_LENGTH);
    const DosStamp stamp = dosStampFromUnix(e.modificationTime);
    e.dosDate = stamp.date;
    e.dosTime = stamp.time;
    e.storedSize = carriesNoData(m.type) ? 0 : m.size;
    e.size = e.storedSize;
    if (m.type == 'S')
        e.size = Cls_Tar::numberValue(m.block + GNU_REAL_SIZE_OFFSET, SIZE_LENGTH);
    if (pax.realSize)
        e.size = *pax.realSize;
    e.isDirectory = m.type == '5';
    e.dataPosition = m.dataPosition;
    return e;
}

} // namespace

qint16 Cls_Tar::readImpl(const QString&, ByteSource& source) {
    PackState& state = packState();
    m_entries.clear();
    Member m;
    Pending pending;
    bool endBlock = false;
    bool anyHeader = false;
    for (ByteReader in(source); readMember(in, m, endBlock, mergedPax(pending.pax, pending.global).size);) {
        anyHeader = true;
        if (m.type == 'L' || m.type == 'K') {
            if (m.type == 'L') {
                const QByteArray name = memberData(in, m);
                pending.longName = name.left(name.indexOf('\0') < 0 ? name.size() : name.indexOf('\0'));
            }
            continue;
        }
        if (m.type == 'x' || m.type == 'g') {
            readPaxRecords(memberData(in, m), m.type == 'x' ? pending.pax : pending.global);
            continue;
        }
        m_entries.push_back(entryOf(m, pending));
        pending.longName.reset();
        pending.pax = PaxValues();
        state.PackFileCount = static_cast<qint32>(m_entries.size());
    }
    // A first block of 0 bytes is an archive with no member, as tar writes it.
    if (state.PackFileCount > 0 || (endBlock && !anyHeader))
        markLoaded();
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
                     .isDir = e.isDirectory || (e.size == 0 && e.name.endsWith(QLatin1Char('/'))),
                     .compressedSize = e.storedSize,
                     .uncompressedSize = e.size,
                     .dosDate = e.dosDate,
                     .dosTime = e.dosTime};
}

} // namespace velmar::archives
