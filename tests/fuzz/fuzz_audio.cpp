// libFuzzer target: the audio information text read through TagLib. The first
// byte chooses the extension TagLib is given (FLAC, Ogg, Opus, M4A, WMA, APE,
// WavPack, AIFF); the rest is the file, written to a temporary file.
//   build-fuzz/fuzz_audio -max_total_time=600 SEEDS

#include "fileinfo/audio_tags.h"
#include "fileinfo/file_infos.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const char* const extensions[] = {"flac", "ogg", "opus", "m4a", "wma", "ape", "wv", "aiff"};
    if (size == 0)
        return 0;
    const QString path = QDir::tempPath() + QStringLiteral("/velmar-fuzz-audio-%1.%2")
                                                .arg(QCoreApplication::applicationPid())
                                                .arg(QLatin1String(extensions[data[0] % 8]));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write(reinterpret_cast<const char*>(data) + 1, static_cast<qint64>(size - 1));
    file.close();
    velmar::AudioTags tags;
    if (velmar::LitTagsAudio(path, tags) && (tags.channels < 0 || tags.rate < 0))
        __builtin_trap();
    (void)velmar::AnalyseContenuFichier(path);
    QFile::remove(path);
    return 0;
}
