// Feeds any bytes to the OpenDocument and Office Open XML metadata reader:
// once as a ZIP file (libarchive finds and inflates the metadata member),
// once as the metadata XML itself.
// Seeds: odt and docx files zipped from small meta.xml and core.xml members.
//   build-fuzz/fuzz_office -jobs=1 -workers=1 -max_total_time=600 SEEDS

#include "fileinfo/office_document.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const char* bytes = reinterpret_cast<const char*>(data);
    (void)velmar::documents::officeText(bytes, static_cast<qint64>(size));
    (void)velmar::documents::metadataLines(QByteArray::fromRawData(bytes, static_cast<qsizetype>(size)));
    return 0;
}
