// libFuzzer target: the PE resource walk and the version block queries, both
// over arbitrary bytes (the second also over whatever the first finds).

#include "fileinfo/pe_resources.h"
#include "fileinfo/version_info.h"

#include <cstddef>
#include <cstdint>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QByteArray bytes(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    velmar::archives::MemorySource source(bytes.constData(), bytes.size());
    const QByteArray resource = velmar::pe::versionResource(source);
    (void)velmar::versionFromResource(resource);
    (void)velmar::versionFromResource(bytes);
    return 0;
}
