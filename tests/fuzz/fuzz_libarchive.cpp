// Feeds any bytes to the archives listed through libarchive: once under a
// name that hands them to libarchive straight away (".7z"), once under a name
// that leaves the choice to the first bytes, then asks every question of every
// entry. Seeds: 7z (plain and encrypted), compressed tars, ISO, cpio, xar.
//   build-fuzz/fuzz_libarchive -jobs=1 -workers=1 -max_total_time=600 SEEDS

#include "archives/archive_dispatcher.h"
#include "archives/archive_listing.h"

#include <cstddef>
#include <cstdint>

using namespace velmar::archives;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const char* const names[] = {"fuzz.7z", "fuzz.bin"};
    Cls_GetFileType dispatcher;
    for (const char* name : names) {
        MemorySource source(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
        dispatcher.Get_Contents(QString::fromLatin1(name), source);
        const qint32 count = dispatcher.FileCount();
        const qint32 asked = count < 300 ? count : 300;
        for (qint32 i = 0; i <= asked + 1; ++i) {
            (void)dispatcher.Entry(i);
            (void)dispatcher.FileDateTime(i);
        }
        (void)archiveListingText(dispatcher);
    }
    return 0;
}
