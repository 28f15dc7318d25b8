// Feeds any bytes to exiv2 through our photo glue (every exception caught,
// the log kept quiet) and to the PNG, WebP and HEIF header readers.
// Seeds: JPEG, TIFF, PNG, WebP and HEIC files carrying EXIF.
//   build-fuzz/fuzz_photos -jobs=1 -workers=1 -max_total_time=600 SEEDS

#include "fileinfo/photo_details.h"
#include "fileinfo/picture_headers.h"

#include <cstddef>
#include <cstdint>

using namespace velmar;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* bytes = reinterpret_cast<const char*>(data);
    (void)photos::detailLines(photos::readPhotoDetails(bytes, static_cast<qint64>(size)));
    const QByteArray head = QByteArray::fromRawData(bytes, static_cast<qsizetype>(size));
    (void)pictures::pngSize(head);
    (void)pictures::webpSize(head);
    (void)pictures::heifSize(head);
    (void)pictures::heifHeaderLength(head);
    return 0;
}
