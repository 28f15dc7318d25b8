// Feeds any bytes to poppler through our PDF glue: title, author, page count.
// Seeds: PDF files written by img2pdf and ps2pdf.
//   build-fuzz/fuzz_pdf -jobs=1 -workers=1 -max_total_time=600 SEEDS

#include "fileinfo/pdf_document.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    (void)velmar::documents::pdfText(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    return 0;
}
