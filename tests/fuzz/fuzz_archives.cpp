// Feeds any bytes to the archive dispatcher under each name rule (".tar",
// ".lzh", any other), then asks every question of every entry. The seeds
// cover Zip64, cut ZIP copies, pax and GNU tar (long names, sparse members),
// LZH levels 1 and 2, gzip members, UTF-8 cabinet names and RAR 3.x headers.
//   build-fuzz/fuzz_archives -jobs=1 -workers=1 -max_total_time=600 tests/data/archives

#include "archives/archive_dispatcher.h"
#include "archives/archive_listing.h"

#include <cstddef>
#include <cstdint>

using namespace velmar::archives;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const char* const names[] = {"fuzz.tar", "fuzz.lzh", "fuzz.bin.gz"};
    Cls_GetFileType dispatcher;
    for (const char* name : names) {
        MemorySource source(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
        dispatcher.Get_Contents(QString::fromLatin1(name), source);
        const qint32 count = dispatcher.FileCount();
        const qint32 asked = count < 300 ? count : 300;
        for (qint32 i = 0; i <= asked + 1; ++i) {
            (void)dispatcher.FileName(i);
            (void)dispatcher.CommentsFile(i);
            (void)dispatcher.IsDir(i);
            (void)dispatcher.Method(i);
            (void)dispatcher.CRC32(i);
            (void)dispatcher.Compressed_Size(i);
            (void)dispatcher.UnCompressed_Size(i);
            (void)dispatcher.Encrypted(i);
            (void)dispatcher.FileDateTime(i);
            (void)dispatcher.SystemMadeBy(i);
            (void)dispatcher.VersionMadeBy(i);
            (void)dispatcher.SystemNeeded(i);
            (void)dispatcher.VersionNeeded(i);
            (void)dispatcher.Entry(i);
        }
        (void)dispatcher.CommentsPack();
        (void)archiveListingText(dispatcher);
    }
    return 0;
}
