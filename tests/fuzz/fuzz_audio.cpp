// libFuzzer target: the audio information text read through TagLib. The first
// byte chooses the extension TagLib is given (FLAC, Ogg, Opus, M4A, WMA, APE,
// WavPack, AIFF); the rest is the file, written to a temporary file.
//   build-fuzz/fuzz_audio -max_total_time=600 SEEDS

#include "fileinfo/audio_tags.h"
#include "fileinfo/file_infos.h"

#include "fuzz_file.h"

#include <QFile>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const char* const extensions[] = {"flac", "ogg", "opus", "m4a", "wma", "ape", "wv", "aiff"};
    const QString path = velmar::fuzz::writeInputFile("audio", extensions, data, size);
    if (path.isEmpty())
        return 0;
    velmar::AudioTags tags;
    if (velmar::LitTagsAudio(path, tags) && (tags.channels < 0 || tags.rate < 0))
        __builtin_trap();
    (void)velmar::AnalyseContenuFichier(path);
    QFile::remove(path);
    return 0;
}
