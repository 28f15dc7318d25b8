#pragma once

// The one conversion between bytes read from inside files (tags, titles,
// archive names, file records) and text: Windows-1252, with the five bytes that
// code page leaves undefined kept as the Latin-1 characters of the same value.

#include <QByteArray>
#include <QString>

namespace velmar {

QString fromWindows1252(const char* data, qsizetype size);
inline QString fromWindows1252(const QByteArray& bytes) {
    return fromWindows1252(bytes.constData(), bytes.size());
}

// Characters the code page cannot hold become '?'.
QByteArray toWindows1252(const QString& text);

} // namespace velmar
