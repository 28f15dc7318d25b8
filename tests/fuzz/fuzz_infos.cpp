// libFuzzer target: the information text of arbitrary bytes under every
// extension that has a probe (the first byte picks the extension), in both
// modes. Seeds: tests/data/fileinfo/infos (bitmap headers, wave chunks, page
// charsets, module titles, ID3v2.4 tags, arithmetic-coded JPEG).
//   build-fuzz/fuzz_infos -max_total_time=600 tests/data/fileinfo/infos

#include "fileinfo/file_infos.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstddef>
#include <cstdint>
#include <iterator>

namespace {

const char* const kExtensions[] = {"html", "htm", "s3m", "mod", "mtm", "it",  "xm",  "bmp",
                                   "gif",  "jpg", "pif", "wav", "mp3", "exe", "dll", "txt"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size == 0)
        return 0;
    const QString extension = QLatin1String(kExtensions[data[0] % std::size(kExtensions)]);
    const QString path = QDir::tempPath() +
                         QStringLiteral("/velmar-fuzz-infos-%1.").arg(QCoreApplication::applicationPid()) +
                         extension;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write(reinterpret_cast<const char*>(data + 1), static_cast<qint64>(size - 1));
    file.close();
    (void)velmar::RenvoieInfosFichier(path, QStringLiteral("AUTO"));
    (void)velmar::RenvoieInfosFichier(path, QStringLiteral("TEXTE"));
    QFile::remove(path);
    return 0;
}
