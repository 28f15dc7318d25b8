#pragma once

// What exiv2 reads of a picture's metadata (EXIF of JPEG, TIFF, PNG, WebP,
// HEIF and camera raw files): the date it was taken, the camera, the size and
// the orientation. exiv2 throws on damaged files and logs to standard error:
// both are kept in here, and a file it refuses gives empty details.

#include <QString>
#include <QStringList>

namespace velmar::photos {

struct PhotoDetails {
    qint64 width = 0;
    qint64 height = 0;
    QString taken; // "01/05/2023 14:03:22", "" when absent or not a date
    QString make;
    QString model;
    int orientation = 0; // EXIF orientation 1 to 8, 0 when absent or out of range
};

PhotoDetails readPhotoDetails(const QString& path);
PhotoDetails readPhotoDetails(const char* data, qint64 size);

// The lines after a picture's size: date taken, make, model, orientation,
// each only when known.
QStringList detailLines(const PhotoDetails& details);

} // namespace velmar::photos
