// libFuzzer target: the video information text read through libavformat. The
// first byte chooses the extension the file is given (MP4, MKV, AVI, TS), which
// only guides libavformat's guess; the rest is the file, written to a
// temporary file and read through our own I/O callbacks.
//   build-fuzz/fuzz_video -max_total_time=600 SEEDS

#include "fileinfo/file_infos.h"
#include "fileinfo/video_streams.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const char* const extensions[] = {"mp4", "mkv", "avi", "ts"};
    if (size == 0)
        return 0;
    const QString path = QDir::tempPath() + QStringLiteral("/velmar-fuzz-video-%1.%2")
                                                .arg(QCoreApplication::applicationPid())
                                                .arg(QLatin1String(extensions[data[0] % 4]));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return 0;
    file.write(reinterpret_cast<const char*>(data) + 1, static_cast<qint64>(size - 1));
    file.close();
    velmar::VideoStreams streams;
    if (velmar::LitFluxVideo(path, streams) && (streams.width < 0 || streams.milliseconds < 0))
        __builtin_trap();
    (void)velmar::AnalyseContenuFichier(path);
    QFile::remove(path);
    return 0;
}
