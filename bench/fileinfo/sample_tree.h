#pragma once

// A folder of mixed sample files for the information text benchmark, built
// byte by byte: web pages with and without a title, tracker and extended
// modules, BMP, GIF and JPEG pictures, waves, tagged MP3s, PE programs with a
// version record and plain text.

#include <QString>
#include <QStringList>

namespace velmar::bench {

struct SampleTree {
    QStringList files;
    qint64 totalBytes = 0;
};

// Writes `count` files into `folder`, cycling through the kinds.
SampleTree makeSampleTree(const QString& folder, int count);

// A minimal 32-bit PE program whose resources hold one version record.
QByteArray peWithVersion(const QString& description, const QString& version);

} // namespace velmar::bench
