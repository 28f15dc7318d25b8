#include "fileinfo/picture_headers.h"

#include "app/byte_order.h"

namespace velmar::pictures {

namespace {

// PNG: signature | chunk length | "IHDR" | width (BE) | height (BE)
//      0           8              12       16           20
constexpr char kPngSignature[] = "\x89PNG\r\n\x1a\n";
constexpr qint64 kPngChunkType = 12;
constexpr qint64 kPngWidth = 16;
constexpr qint64 kPngHeight = 20;

// WebP: "RIFF" | size | "WEBP" | chunk type | chunk size | chunk data
//       0        4      8        12           16           20
// VP8X data: flags (4) | canvas width - 1 (LE24) | canvas height - 1 (LE24)
// VP8  data: frame tag (3) | start code 9D 01 2A | width (LE16, 14 bits) | height
// VP8L data: signature 2F | width - 1 (14 bits) | height - 1 (14 bits), LE
constexpr qint64 kWebpChunkType = 12;
constexpr qint64 kWebpChunkData = 20;
constexpr qint64 kVp8xWidth = kWebpChunkData + 4;
constexpr qint64 kVp8xHeight = kWebpChunkData + 7;
constexpr qint64 kVp8StartCode = kWebpChunkData + 3;
constexpr qint64 kVp8Width = kWebpChunkData + 6;
constexpr qint64 kVp8Height = kWebpChunkData + 8;
constexpr quint16 kVp8SizeMask = 0x3FFF;
constexpr qint64 kVp8lSignature = kWebpChunkData;
constexpr qint64 kVp8lSizes = kWebpChunkData + 1;
constexpr quint32 kVp8lFieldMask = 0x3FFF;
constexpr int kVp8lFieldBits = 14;

bool holdsAt(const QByteArray& head, qint64 offset, const char* text, qint64 length) {
    return bytes::inRange(head, offset, length) && head.mid(offset, length) == QByteArray(text, length);
}

PictureSize fromBigEndian(const QByteArray& head, qint64 widthOffset, qint64 heightOffset) {
    quint32 width = 0;
    quint32 height = 0;
    if (!bytes::readBE32(head, widthOffset, width) || !bytes::readBE32(head, heightOffset, height))
        return {};
    return {width, height};
}

PictureSize vp8xSize(const QByteArray& head) {
    quint32 width = 0;
    quint32 height = 0;
    if (!bytes::readLE24(head, kVp8xWidth, width) || !bytes::readLE24(head, kVp8xHeight, height))
        return {};
    return {qint64(width) + 1, qint64(height) + 1};
}

PictureSize vp8Size(const QByteArray& head) {
    quint16 width = 0;
    quint16 height = 0;
    if (!holdsAt(head, kVp8StartCode, "\x9d\x01\x2a", 3) || !bytes::readLE16(head, kVp8Width, width) ||
        !bytes::readLE16(head, kVp8Height, height))
        return {};
    return {width & kVp8SizeMask, height & kVp8SizeMask};
}

PictureSize vp8lSize(const QByteArray& head) {
    quint8 signature = 0;
    quint32 sizes = 0;
    if (!bytes::readU8(head, kVp8lSignature, signature) || signature != 0x2F ||
        !bytes::readLE32(head, kVp8lSizes, sizes))
        return {};
    return {qint64(sizes & kVp8lFieldMask) + 1, qint64((sizes >> kVp8lFieldBits) & kVp8lFieldMask) + 1};
}

} // namespace

PictureSize pngSize(const QByteArray& head) {
    if (!holdsAt(head, 0, kPngSignature, 8) || !holdsAt(head, kPngChunkType, "IHDR", 4))
        return {};
    return fromBigEndian(head, kPngWidth, kPngHeight);
}

PictureSize webpSize(const QByteArray& head) {
    if (!holdsAt(head, 0, "RIFF", 4) || !holdsAt(head, 8, "WEBP", 4))
        return {};
    if (holdsAt(head, kWebpChunkType, "VP8X", 4))
        return vp8xSize(head);
    if (holdsAt(head, kWebpChunkType, "VP8 ", 4))
        return vp8Size(head);
    if (holdsAt(head, kWebpChunkType, "VP8L", 4))
        return vp8lSize(head);
    return {};
}

} // namespace velmar::pictures
