// libFuzzer target: the PE resource walk and the version block queries, both
// over arbitrary bytes (the second also over whatever the first finds).

#include "fileinfo/pe_resources.h"
#include "fileinfo/version_info.h"

#include <QBuffer>

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QBuffer buffer(&bytes);
    if (!buffer.open(QIODevice::ReadOnly))
        return 0;
    const QByteArray resource = velmar::pe::versionResource(buffer);
    (void)velmar::versionFromResource(resource);
    (void)velmar::versionFromResource(bytes);
    return 0;
}
