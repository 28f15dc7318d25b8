#include "fileinfo/media_module.h"

extern "C" __attribute__((visibility("default"))) const velmar::media::ModuleTable* velmar_media_table() {
    using namespace velmar::media;
    static const ModuleTable table{kModuleVersion, readAudioTags, readVideoStreams, readPhotoFile,
                                   readPhotoBytes, readPdfFile,   readPdfBytes};
    return &table;
}
