#pragma once

// The fuzz input written as a file, for the readers that take a path: one
// file per process in the temporary folder, named with `extension` (which
// guides the reader). Empty when the file cannot be written.

#include <QByteArrayView>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLatin1StringView>
#include <QString>

#include <cstddef>
#include <cstdint>

namespace velmar::fuzz {

inline QString writeInputFile(const char* target, QLatin1StringView extension, QByteArrayView bytes) {
    const QString path = QDir::tempPath() +
                         QStringLiteral("/velmar-fuzz-%1-%2.")
                             .arg(QLatin1String(target))
                             .arg(QCoreApplication::applicationPid()) +
                         extension;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
        file.write(bytes.data(), bytes.size()) != bytes.size())
        return QString();
    return path;
}

// The first byte of the input chooses the extension among `extensions`; the
// rest is the file.
template <std::size_t N>
QString writeInputFile(const char* target, const char* const (&extensions)[N], const uint8_t* data,
                       size_t size) {
    if (size == 0)
        return QString();
    const QByteArrayView rest(reinterpret_cast<const char*>(data) + 1, static_cast<qsizetype>(size - 1));
    return writeInputFile(target, QLatin1StringView(extensions[data[0] % N]), rest);
}

} // namespace velmar::fuzz
