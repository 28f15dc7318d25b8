// libFuzzer target: the video information text read through libavformat. The
// first byte chooses the extension the file is given (MP4, MKV, AVI, TS), which
// only guides libavformat's guess; the rest is the file, written to a
// temporary file and read through our own I/O callbacks.
//   build-fuzz/fuzz_video -max_total_time=600 SEEDS

#include "fileinfo/file_infos.h"
#include "fileinfo/video_streams.h"

#include "fuzz_file.h"

#include <QFile>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const char* const extensions[] = {"mp4", "mkv", "avi", "ts"};
    const QString path = velmar::fuzz::writeInputFile("video", extensions, data, size);
    if (path.isEmpty())
        return 0;
    velmar::VideoStreams streams;
    if (velmar::LitFluxVideo(path, streams) && (streams.width < 0 || streams.milliseconds < 0))
        __builtin_trap();
    (void)velmar::AnalyseContenuFichier(path);
    QFile::remove(path);
    return 0;
}
