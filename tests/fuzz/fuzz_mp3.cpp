// libFuzzer target: the MP3 tag reader over arbitrary file contents.

#include "fileinfo/mp3_tags.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QString path =
        QDir::tempPath() + QStringLiteral("/velmar-fuzz-mp3-%1.mp3").arg(QCoreApplication::applicationPid());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    file.close();
    QString title, artist, album, comment, genre, genreName;
    int track = 0;
    velmar::LitTagsMP3(path, title, artist, album, comment, genre, genreName, track);
    if (track < 0 || track >= 100)
        __builtin_trap();
    return 0;
}
