// The size of a HEIF picture (HEIC, AVIF): the image spatial extents property
// of its primary item, found through the boxes of ISO/IEC 14496-12 and 23008-12.
//   box:      size (BE32) | type (4) | payload; size 0 runs to the parent's end
//   full box: box header | version (1) | flags (3) | payload
//   meta (full box) > pitm (full box): primary item id, BE16 (version 0) or BE32
//                   > iprp > ipco: the properties, numbered from 1 in order
//                          > ipma (full box): entry count (BE32), then per entry:
//                            item id (BE16, BE32 from version 1) | association count (1)
//                            | per association: essential bit and property number,
//                              7 bits in one byte, or 15 in a BE16 when flags bit 0 is set
//   ispe (full box): width (BE32) | height (BE32)

#include "app/byte_order.h"
#include "fileinfo/picture_headers.h"

#include <limits>
#include <vector>

namespace velmar::pictures {

namespace {

constexpr qint64 kBoxHeader = 8;
constexpr qint64 kFullBoxHeader = 4;
constexpr quint8 kWideIndexFlag = 0x01;
constexpr quint16 kWideIndexMask = 0x7FFF;
constexpr quint8 kNarrowIndexMask = 0x7F;

struct Box {
    QByteArray type;
    qint64 payload = 0;
    qint64 end = 0;
};

// The box at `offset`, which must end by `limit`. A 64-bit size (size 1)
// only serves media data boxes, which hold no metadata: it ends the walk.
bool readBox(const QByteArray& head, qint64 offset, qint64 limit, Box& box) {
    quint32 size = 0;
    if (!bytes::readBE32(head, offset, size) || !bytes::inRange(head, offset + 4, 4))
        return false;
    box.type = head.mid(offset + 4, 4);
    box.payload = offset + kBoxHeader;
    box.end = size == 0 ? limit : offset + qint64(size);
    return size == 0 || (size >= kBoxHeader && box.end <= limit);
}

// The first child of `type` between `from` and `to`.
bool findChild(const QByteArray& head, qint64 from, qint64 to, const char* type, Box& found) {
    Box box;
    for (qint64 offset = from; offset < to && readBox(head, offset, to, box); offset = box.end) {
        if (box.type == type) {
            found = box;
            return true;
        }
    }
    return false;
}

bool primaryItem(const QByteArray& head, const Box& pitm, quint32& item) {
    quint8 version = 0;
    if (!bytes::readU8(head, pitm.payload, version))
        return false;
    if (version != 0)
        return bytes::readBE32(head, pitm.payload + kFullBoxHeader, item);
    quint16 shortItem = 0;
    const bool read = bytes::readBE16(head, pitm.payload + kFullBoxHeader, shortItem);
    item = shortItem;
    return read;
}

// Reads one association of an ipma entry at `offset`, moving it on.
bool readAssociation(const QByteArray& head, qint64& offset, bool wide, quint16& property) {
    if (wide) {
        const bool read = bytes::readBE16(head, offset, property);
        property &= kWideIndexMask;
        offset += 2;
        return read;
    }
    quint8 narrow = 0;
    const bool read = bytes::readU8(head, offset, narrow);
    property = narrow & kNarrowIndexMask;
    offset += 1;
    return read;
}

// The property numbers associated with `item`, in their order.
std::vector<quint16> propertiesOf(const QByteArray& head, const Box& ipma, quint32 item) {
    quint8 version = 0;
    quint8 flags = 0;
    quint32 entries = 0;
    if (!bytes::readU8(head, ipma.payload, version) || !bytes::readU8(head, ipma.payload + 3, flags) ||
        !bytes::readBE32(head, ipma.payload + kFullBoxHeader, entries))
        return {};
    qint64 offset = ipma.payload + kFullBoxHeader + 4;
    for (quint32 e = 0; e < entries && offset < ipma.end; ++e) {
        quint32 id = 0;
        quint16 shortId = 0;
        const bool idRead =
            version < 1 ? bytes::readBE16(head, offset, shortId) : bytes::readBE32(head, offset, id);
        offset += version < 1 ? 2 : 4;
        quint8 count = 0;
        if (!idRead || !bytes::readU8(head, offset++, count))
            return {};
        std::vector<quint16> properties;
        for (quint8 a = 0; a < count; ++a) {
            quint16 property = 0;
            if (!readAssociation(head, offset, (flags & kWideIndexFlag) != 0, property))
                return {};
            properties.push_back(property);
        }
        if ((version < 1 ? quint32(shortId) : id) == item)
            return properties;
    }
    return {};
}

// The spatial extents among the properties numbered `properties` in ipco.
PictureSize extentsAmong(const QByteArray& head, const Box& ipco, const std::vector<quint16>& properties) {
    for (const quint16 wanted : properties) {
        Box box;
        quint16 number = 0;
        for (qint64 offset = ipco.payload; offset < ipco.end && readBox(head, offset, ipco.end, box);
             offset = box.end) {
            if (++number != wanted)
                continue;
            quint32 width = 0;
            quint32 height = 0;
            if (box.type == "ispe" && bytes::readBE32(head, box.payload + kFullBoxHeader, width) &&
                bytes::readBE32(head, box.payload + kFullBoxHeader + 4, height))
                return {width, height};
            break;
        }
    }
    return {};
}

// The top-level meta box after ftyp. Its end may lie past the bytes read:
// the box is then only a start.
bool findMeta(const QByteArray& head, Box& meta) {
    Box ftyp;
    const qint64 size = head.size();
    return readBox(head, 0, size, ftyp) && ftyp.type == "ftyp" &&
           readBox(head, ftyp.end, std::numeric_limits<qint64>::max(), meta) && meta.type == "meta";
}

} // namespace

qint64 heifHeaderLength(const QByteArray& first) {
    Box meta;
    return findMeta(first, meta) && meta.end <= kLargestHeifHeader ? meta.end : 0;
}

PictureSize heifSize(const QByteArray& head) {
    Box meta, pitm, iprp, ipco, ipma;
    if (!findMeta(head, meta) || meta.end > head.size())
        return {};
    const qint64 children = meta.payload + kFullBoxHeader;
    quint32 item = 0;
    if (!findChild(head, children, meta.end, "pitm", pitm) || !primaryItem(head, pitm, item) ||
        !findChild(head, children, meta.end, "iprp", iprp) ||
        !findChild(head, iprp.payload, iprp.end, "ipco", ipco) ||
        !findChild(head, iprp.payload, iprp.end, "ipma", ipma))
        return {};
    return extentsAmong(head, ipco, propertiesOf(head, ipma, item));
}

} // namespace velmar::pictures
