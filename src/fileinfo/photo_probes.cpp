// Photos: the size and metadata of TIFF, PNG, WebP, HEIF and camera raw
// pictures, and the EXIF lines that follow a JPEG's own summary.

#include "fileinfo/photo_details.h"
#include "fileinfo/picture_headers.h"
#include "fileinfo/probes.h"

#include <QFile>

namespace velmar::probes {

namespace {

// The first bytes of the file, and for a HEIF file its whole metadata box.
QByteArray pictureHead(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    QByteArray head = file.read(pictures::kFirstBytes);
    const qint64 heifLength = pictures::heifHeaderLength(head);
    if (heifLength > head.size())
        head += file.read(heifLength - head.size());
    return head;
}

// The size the file's own header gives (exiv2 takes a HEIF picture's first
// size property, which may be a tile's), else exiv2's.
pictures::PictureSize pictureSize(const QString& path, const photos::PhotoDetails& details) {
    const QByteArray head = pictureHead(path);
    for (const auto reader : {pictures::pngSize, pictures::webpSize, pictures::heifSize}) {
        const pictures::PictureSize size = reader(head);
        if (size.isKnown())
            return size;
    }
    return {details.width, details.height};
}

} // namespace

QString photoSummary(const QString& path) {
    const photos::PhotoDetails details = photos::readPhotoDetails(path);
    const pictures::PictureSize size = pictureSize(path, details);
    QStringList lines = photos::detailLines(details);
    if (size.isKnown())
        lines.prepend(QString::number(size.width) + QStringLiteral(" x ") + QString::number(size.height));
    return lines.join(kLineBreak);
}

QString jpegExifLines(const QString& path) {
    const QStringList lines = photos::detailLines(photos::readPhotoDetails(path));
    return lines.isEmpty() ? QString() : kLineBreak + lines.join(kLineBreak);
}

} // namespace velmar::probes
