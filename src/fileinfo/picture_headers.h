#pragma once

// Picture dimensions read from the first bytes of PNG, WebP and HEIF files
// (HEIC, AVIF), for pictures whose metadata library gives none (a damaged
// PNG, a HEIF whose first size property is a tile's). Every read is checked
// against the bytes given; a size that is not there is 0 x 0.

#include <QByteArray>

namespace velmar::pictures {

struct PictureSize {
    qint64 width = 0;
    qint64 height = 0;
    bool isKnown() const { return width > 0 && height > 0; }
};

// Leading bytes that hold a PNG or WebP size, or the start of a HEIF file.
constexpr qint64 kFirstBytes = 4096;
// The most of a HEIF file read for its metadata box.
constexpr qint64 kLargestHeifHeader = 1024 * 1024;

PictureSize pngSize(const QByteArray& head);
PictureSize webpSize(const QByteArray& head);
// The size property (ispe) of the primary item (pitm) of the meta box.
PictureSize heifSize(const QByteArray& head);
// How many leading bytes hold a HEIF file's metadata box, from its first
// bytes; 0 when they are no HEIF start or the box lies beyond them.
qint64 heifHeaderLength(const QByteArray& first);

} // namespace velmar::pictures
