#include "fileinfo/id3v2_tag.h"

#include "fileinfo/id3v2_text.h"

namespace velmar {

namespace {

namespace id3 {
// Tag header:  "ID3" | major | revision | flags | size (4 x 7 bits, the tag without this header)
//              0       3       4          5       6
constexpr char kMagic[] = "ID3";
constexpr qint64 kHeaderSize = 10;
constexpr qint64 kMajor = 3;
constexpr qint64 kFlags = 5;
constexpr qint64 kSize = 6;
constexpr quint8 kUnsynchronised = 0x80;
constexpr quint8 kExtendedHeader = 0x40; // 2.3 and 2.4
constexpr quint8 kCompressedTag = 0x40;  // 2.2: no published compression scheme, the tag is unreadable
// Extended header, first in the tag: its size (2.3: 32 bits, without these 4 bytes;
// 2.4: syncsafe, with them).
constexpr qint64 kExtendedSizeField = 4;
// Frame header, 2.3 and 2.4:  id (4) | size (4) | status flags | format flags
//                             0        4          8              9
// Frame header, 2.2:          id (3) | size (3)
constexpr qint64 kFormatFlags = 9;
// 2.3 format flags.
constexpr quint8 kV23Compressed = 0x80;
constexpr quint8 kV23Encrypted = 0x40;
constexpr quint8 kV23Grouped = 0x20;
// 2.4 format flags.
constexpr quint8 kV24Grouped = 0x40;
constexpr quint8 kV24Compressed = 0x08;
constexpr quint8 kV24Encrypted = 0x04;
constexpr quint8 kV24Unsynchronised = 0x02;
constexpr quint8 kV24DataLength = 0x01;
constexpr qint64 kGroupSize = 1;
constexpr qint64 kDataLengthSize = 4;
constexpr qint64 kLanguageSize = 3; // COMM: encoding | language | description, 0 | text
// A whole-tag unsynchronisation is undone in memory; tags above this size stay unread.
constexpr qint64 kLargestUnsynchronisedTag = 16 * 1024 * 1024;
// Text frames above this size (lyrics, notes) are not read: they are no title.
constexpr qint64 kLargestTextFrame = 1024 * 1024;
} // namespace id3

struct FrameLayout {
    int version;
    int idLength;
    int sizeLength;
    qint64 headerSize;
    int bitsPerSizeByte;
};

FrameLayout layoutOf(int version) {
    if (version == 2)
        return {2, 3, 3, 6, 8};
    return {version, 4, 4, 10, version == 4 ? 7 : 8};
}

quint32 bigEndian(const QByteArray& bytes, qint64 offset, int count, int bitsPerByte) {
    quint32 value = 0;
    for (int i = 0; i < count && offset + i < bytes.size(); ++i)
        value = (value << bitsPerByte) | (static_cast<quint8>(bytes[offset + i]) & ((1u << bitsPerByte) - 1));
    return value;
}

// Undoes the unsynchronisation scheme: every FF 00 pair was written for a single FF.
QByteArray resynchronised(const QByteArray& bytes) {
    QByteArray out;
    out.reserve(bytes.size());
    for (qsizetype i = 0; i < bytes.size(); ++i) {
        out.append(bytes[i]);
        if (static_cast<quint8>(bytes[i]) == 0xFF && i + 1 < bytes.size() && bytes[i + 1] == '\0')
            ++i;
    }
    return out;
}

// The tag's bytes after its header: read from the file as needed, or from
// memory once a whole-tag unsynchronisation has been undone.
class TagBytes {
public:
    TagBytes(archives::ByteSource& file, qint64 size) : m_file(file), m_size(size) {}

    qint64 size() const { return m_size; }

    bool resynchronise() {
        if (m_size > id3::kLargestUnsynchronisedTag)
            return false;
        m_memory = resynchronised(read(0, m_size));
        m_inMemory = true;
        m_size = m_memory.size();
        return true;
    }

    QByteArray read(qint64 offset, qint64 count) {
        count = qMin(count, m_size - offset);
        if (offset < 0 || count <= 0)
            return {};
        if (m_inMemory)
            return m_memory.mid(offset, count);
        return archives::bytesAt(m_file, id3::kHeaderSize + offset, count);
    }

private:
    archives::ByteSource& m_file;
    qint64 m_size;
    QByteArray m_memory;
    bool m_inMemory = false;
};

QByteArray v23Id(const QByteArray& v22Id) {
    static const QList<QPair<QByteArray, QByteArray>> names = {
        {"TT2", "TIT2"}, {"TP1", "TPE1"}, {"TAL", "TALB"}, {"COM", "COMM"}, {"TRK", "TRCK"}, {"TCO", "TCON"}};
    for (const auto& [old, current] : names)
        if (old == v22Id)
            return current;
    return v22Id;
}

bool isWanted(const QByteArray& id) {
    return id.startsWith('T') || id == "COMM";
}

// The frame's content once its flags are applied: the group byte and data
// length dropped, the unsynchronisation undone. False for a frame that cannot
// be read without a key or a decompressor.
bool frameContent(const FrameLayout& layout, quint8 flags, bool tagUnsynchronised, QByteArray& data) {
    if (layout.version == 3) {
        if (flags & (id3::kV23Compressed | id3::kV23Encrypted))
            return false;
        if (flags & id3::kV23Grouped)
            data.remove(0, id3::kGroupSize);
    } else if (layout.version == 4) {
        if (flags & (id3::kV24Compressed | id3::kV24Encrypted))
            return false;
        if (flags & id3::kV24Grouped)
            data.remove(0, id3::kGroupSize);
        if (flags & id3::kV24DataLength)
            data.remove(0, id3::kDataLengthSize);
        if ((flags & id3::kV24Unsynchronised) || tagUnsynchronised)
            data = resynchronised(data);
    }
    return true;
}

QString frameText(const QByteArray& id, const QByteArray& data) {
    if (data.isEmpty())
        return {};
    const auto encoding = static_cast<quint8>(data[0]);
    if (id == "COMM")
        return id3v2Text(0, data.mid(1, id3::kLanguageSize)) +
               id3v2Text(encoding, data.mid(1 + id3::kLanguageSize));
    return id3v2Text(encoding, data.mid(1));
}

// Where the frames start: after the extended header, or -1 when its size does
// not fit in the tag.
qint64 firstFrame(TagBytes& tag, int version, quint8 tagFlags) {
    if (version == 2 || !(tagFlags & id3::kExtendedHeader))
        return 0;
    const QByteArray field = tag.read(0, id3::kExtendedSizeField);
    if (field.size() < id3::kExtendedSizeField)
        return -1;
    const qint64 size =
        version == 4 ? bigEndian(field, 0, 4, 7) : id3::kExtendedSizeField + bigEndian(field, 0, 4, 8);
    return size >= id3::kExtendedSizeField && size <= tag.size() ? size : -1;
}

// Some 2.4 writers store plain 32-bit frame sizes; a size byte with its high
// bit set cannot be syncsafe, so such a size is read as plain.
qint64 frameSize(const QByteArray& header, const FrameLayout& layout) {
    int bitsPerByte = layout.bitsPerSizeByte;
    for (int i = 0; i < layout.sizeLength; ++i)
        if (static_cast<quint8>(header[layout.idLength + i]) & 0x80)
            bitsPerByte = 8;
    return bigEndian(header, layout.idLength, layout.sizeLength, bitsPerByte);
}

void walkFrames(TagBytes& tag, const FrameLayout& layout, qint64 position, bool tagUnsynchronised,
                QList<Id3v2Frame>& frames) {
    while (position >= 0 && position + layout.headerSize <= tag.size()) {
        const QByteArray header = tag.read(position, layout.headerSize);
        if (header.size() < layout.headerSize || header[0] == '\0')
            return; // the padding, or the end of the file
        const qint64 size = frameSize(header, layout);
        const qint64 start = position + layout.headerSize;
        if (size < 1 || size > tag.size() - start)
            return;
        QByteArray id = header.left(layout.idLength);
        if (layout.version == 2)
            id = v23Id(id);
        if (isWanted(id) && size <= id3::kLargestTextFrame) {
            QByteArray data = tag.read(start, size);
            const quint8 flags = layout.version == 2 ? 0 : static_cast<quint8>(header[id3::kFormatFlags]);
            if (frameContent(layout, flags, tagUnsynchronised, data))
                frames.append({id, frameText(id, data)});
        }
        position = start + size;
    }
}

} // namespace

bool readId3v2Frames(archives::ByteSource& file, QList<Id3v2Frame>& frames) {
    const QByteArray header = archives::bytesAt(file, 0, id3::kHeaderSize);
    if (header.size() < id3::kHeaderSize || !header.startsWith(id3::kMagic))
        return false;
    const int version = header[id3::kMajor];
    const auto flags = static_cast<quint8>(header[id3::kFlags]);
    if (version < 2 || version > 4 || (version == 2 && (flags & id3::kCompressedTag)))
        return false;
    TagBytes tag(file, bigEndian(header, id3::kSize, 4, 7));
    const bool unsynchronised = flags & id3::kUnsynchronised;
    // Before 2.4 the unsynchronisation covers the whole tag and the sizes count
    // the bytes once it is undone; in 2.4 it is undone frame by frame.
    if (unsynchronised && version < 4 && !tag.resynchronise())
        return false;
    walkFrames(tag, layoutOf(version), firstFrame(tag, version, flags), unsynchronised && version == 4,
               frames);
    return true;
}

} // namespace velmar
