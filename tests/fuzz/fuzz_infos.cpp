// libFuzzer target: the information text of arbitrary bytes under every
// extension that has a probe (the first byte picks the extension), in both
// modes. Seeds: tests/data/fileinfo/infos (bitmap headers, wave chunks, page
// charsets, module titles, ID3v2.4 tags, arithmetic-coded JPEG).
//   build-fuzz/fuzz_infos -max_total_time=600 tests/data/fileinfo/infos

#include "fileinfo/file_infos.h"

#include "fuzz_file.h"

#include <QFile>

#include <cstddef>
#include <cstdint>
#include <iterator>

namespace {

const char* const kExtensions[] = {"html", "htm", "s3m", "mod", "mtm", "it",  "xm",  "bmp",
                                   "gif",  "jpg", "pif", "wav", "mp3", "exe", "dll", "txt"};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path = velmar::fuzz::writeInputFile("infos", kExtensions, data, size);
    if (path.isEmpty())
        return 0;
    (void)velmar::RenvoieInfosFichier(path, QStringLiteral("AUTO"));
    (void)velmar::RenvoieInfosFichier(path, QStringLiteral("TEXTE"));
    QFile::remove(path);
    return 0;
}
