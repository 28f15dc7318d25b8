// Dimensions of BMP, GIF and JPEG pictures.

#include "app/text.h"
#include "fileinfo/file_reading.h"
#include "fileinfo/jpeg_reader.h"
#include "fileinfo/probes.h"

namespace velmar::probes {

namespace {

// BITMAPFILEHEADER + BITMAPINFOHEADER: "BM" ... width (low word) | height (low word) | bit count
//                                      0        18                 22                  28
constexpr qint64 kBmpWidth = 18;
constexpr qint64 kBmpHeight = 22;
constexpr qint64 kBmpDepth = 28;
// GIF: "GIF89a" | width | height
//      0          6       8
constexpr qint64 kGifWidth = 6;
constexpr qint64 kGifHeight = 8;

int wordAtOffset(const QString& path, qint64 offset) {
    return ValeurMot(LitBlocFichier(path, offset + 1, 2));
}

} // namespace

QString bitmapDimensions(const QString& path) {
    if (LitBlocFichier(path, 1, 2).toUpper() != QByteArrayLiteral("BM"))
        return {};
    const int width = wordAtOffset(path, kBmpWidth);
    const int height = wordAtOffset(path, kBmpHeight);
    const int depth = ValeurOctet(LitBlocFichier(path, kBmpDepth + 1, 1));
    return NombreEnTexte(qint64(width)) + QStringLiteral(" x ") + NombreEnTexte(qint64(height)) +
           QStringLiteral(" - ") + NombreEnTexte(qint64(depth)) + QStringLiteral(" bits");
}

QString gifDimensions(const QString& path) {
    if (LitBlocFichier(path, 1, 3) != QByteArrayLiteral("GIF"))
        return {};
    return QString::number(wordAtOffset(path, kGifWidth)) + QStringLiteral(" x ") +
           QString::number(wordAtOffset(path, kGifHeight));
}

QString jpegSummary(const QString& path) {
    Cls_JPEG jpeg;
    if (!jpeg.ReadInJPEGfile(path))
        return {};
    QString text = QString::number(jpeg.XsizePicture()) + QStringLiteral(" x ") +
                   QString::number(jpeg.YsizePicture()) + kLineBreak + jpeg.ColorDepthAsText();
    for (int i = 1; i <= jpeg.HowManyComments(); ++i)
        text += kLineBreak + jpeg.Comment(i);
    return text;
}

} // namespace velmar::probes
