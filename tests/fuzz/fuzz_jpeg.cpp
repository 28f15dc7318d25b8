// libFuzzer target: the JPEG marker reader over arbitrary file contents.

#include "fileinfo/jpeg_reader.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const QString path =
        QDir::tempPath() + QStringLiteral("/velmar-fuzz-jpeg-%1.jpg").arg(QCoreApplication::applicationPid());
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    file.close();
    velmar::Cls_JPEG jpeg;
    if (jpeg.ReadInJPEGfile(path)) {
        for (int i = 0; i <= jpeg.HowManyComments() + 1; ++i)
            (void)jpeg.Comment(i);
    }
    return 0;
}
