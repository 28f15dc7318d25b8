// libFuzzer target: the JPEG marker reader over arbitrary file contents, of any
// size and with any start-of-frame marker.
//   build-fuzz/fuzz_jpeg -max_total_time=600 tests/data/fileinfo/jpeg

#include "fileinfo/jpeg_reader.h"

#include "fuzz_file.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString path =
        velmar::fuzz::writeInputFile("jpeg", QLatin1StringView("jpg"),
                                     QByteArrayView(reinterpret_cast<const char*>(data), qsizetype(size)));
    if (path.isEmpty())
        return 0;
    velmar::Cls_JPEG jpeg;
    if (jpeg.ReadInJPEGfile(path)) {
        for (int i = 0; i <= jpeg.HowManyComments() + 1; ++i)
            (void)jpeg.Comment(i);
        // Sizes are 16-bit fields of the frame header.
        if (jpeg.XsizePicture() < 0 || jpeg.XsizePicture() > 0xFFFF || jpeg.YsizePicture() < 0 ||
            jpeg.YsizePicture() > 0xFFFF)
            __builtin_trap();
    }
    return 0;
}
