// libFuzzer target: the MP3 tag reader (ID3v2.2 to 2.4, ID3v1) over arbitrary
// file contents, and the ID3v2 text decoding over arbitrary frame bytes.
//   build-fuzz/fuzz_mp3 -max_total_time=600 tests/data/fileinfo/mp3

#include "fileinfo/id3v2_text.h"
#include "fileinfo/mp3_tags.h"

#include "fuzz_file.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path =
        velmar::fuzz::writeInputFile("mp3", QLatin1StringView("mp3"),
                                     QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (path.isEmpty())
        return 0;
    QString title, artist, album, comment, genre, genreName;
    int track = 0;
    velmar::LitTagsMP3(path, title, artist, album, comment, genre, genreName, track);
    if (track < 0 || track >= 100)
        __builtin_trap();
    if (size > 0) {
        const QByteArray frame(reinterpret_cast<const char*>(data) + 1, static_cast<qsizetype>(size - 1));
        if (velmar::id3v2Text(data[0] % 4, frame).size() > frame.size())
            __builtin_trap();
    }
    return 0;
}
