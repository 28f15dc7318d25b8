// Dimensions of BMP, GIF and JPEG pictures.

#include "app/byte_order.h"
#include "app/text.h"
#include "fileinfo/file_reading.h"
#include "fileinfo/jpeg_reader.h"
#include "fileinfo/probes.h"

namespace velmar::probes {

namespace {

// BITMAPFILEHEADER, then the bitmap header, whose size tells its layout:
//   "BM" ... | header size | width | height | planes | bit count
//   0          14            18      22       26       28          BITMAPINFOHEADER and its
//                                                                  successors (16 to 124 bytes)
//   0          14            18 (16) 20 (16)  22       24          BITMAPCOREHEADER (12 bytes, OS/2)
constexpr qint64 kBmpHeaderSize = 14;
constexpr qint64 kBmpWidth = 18;
constexpr qint64 kBmpHeight = 22;
constexpr qint64 kBmpDepth = 28;
constexpr quint32 kCoreHeaderSize = 12;
constexpr qint64 kCoreHeight = 20;
constexpr qint64 kCoreDepth = 24;
// OS/2 2.x (16 or 64 bytes, or any length between) and Windows (40, 52, 56, 108, 124).
constexpr quint32 kSmallestInfoHeader = 16;
constexpr quint32 kLargestInfoHeader = 124;
// GIF: "GIF89a" | width | height
//      0          6       8
constexpr qint64 kGifWidth = 6;
constexpr qint64 kGifHeight = 8;

int wordAtOffset(archives::ByteSource& file, qint64 offset) {
    return ValeurMot(LitBlocFichier(file, offset + 1, 2));
}

qint32 longAtOffset(archives::ByteSource& file, qint64 offset) {
    quint32 value = 0;
    bytes::readLE32(LitBlocFichier(file, offset + 1, 4), 0, value);
    return static_cast<qint32>(value);
}

struct BitmapSize {
    qint64 width;
    qint64 height;
    int depth;
};

// A header of a size no layout has (or a file too short to hold one, whose
// missing bytes read as blanks) is read by the low words of the
// BITMAPINFOHEADER fields, as it always was.
BitmapSize bitmapSize(archives::ByteSource& file) {
    const auto headerSize = static_cast<quint32>(longAtOffset(file, kBmpHeaderSize));
    if (headerSize == kCoreHeaderSize)
        return {wordAtOffset(file, kBmpWidth), wordAtOffset(file, kCoreHeight),
                wordAtOffset(file, kCoreDepth)};
    if (headerSize >= kSmallestInfoHeader && headerSize <= kLargestInfoHeader)
        // A negative height is a picture stored top row first.
        return {longAtOffset(file, kBmpWidth), qAbs(qint64(longAtOffset(file, kBmpHeight))),
                wordAtOffset(file, kBmpDepth)};
    return {wordAtOffset(file, kBmpWidth), wordAtOffset(file, kBmpHeight),
            ValeurOctet(LitBlocFichier(file, kBmpDepth + 1, 1))};
}

} // namespace

QString bitmapDimensions(const QString& path) {
    archives::FileSource file(path);
    if (LitBlocFichier(file, 1, 2).toUpper() != QByteArrayLiteral("BM"))
        return {};
    const BitmapSize size = bitmapSize(file);
    return NombreEnTexte(size.width) + QStringLiteral(" x ") + NombreEnTexte(size.height) +
           QStringLiteral(" - ") + NombreEnTexte(qint64(size.depth)) + QStringLiteral(" bits");
}

QString gifDimensions(const QString& path) {
    archives::FileSource file(path);
    if (LitBlocFichier(file, 1, 3) != QByteArrayLiteral("GIF"))
        return {};
    return QString::number(wordAtOffset(file, kGifWidth)) + QStringLiteral(" x ") +
           QString::number(wordAtOffset(file, kGifHeight));
}

QString jpegSummary(const QString& path) {
    Cls_JPEG jpeg;
    if (!jpeg.ReadInJPEGfile(path))
        return {};
    QString text = QString::number(jpeg.XsizePicture()) + QStringLiteral(" x ") +
                   QString::number(jpeg.YsizePicture()) + kLineBreak + jpeg.ColorDepthAsText();
    for (int i = 1; i <= jpeg.HowManyComments(); ++i)
        text += kLineBreak + jpeg.Comment(i);
    // Without an APP1 segment there is no EXIF for exiv2 to read.
    return jpeg.HasEXIFHeader() ? text + jpegExifLines(path) : text;
}

} // namespace velmar::probes
