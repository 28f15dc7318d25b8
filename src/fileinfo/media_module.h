#pragma once

// The readers that stand on the big media libraries (TagLib, FFmpeg's
// libavformat, exiv2, poppler) live in a module of their own, velmar_media.so,
// loaded the first time a file needs one: linked into the program, those
// libraries and the hundred more they pull in would cost every start of
// velmar-cli some 70 ms, ten times its own start. The module gives the
// program one table of its readers; the program formats what they read.

#include "fileinfo/audio_tags.h"
#include "fileinfo/photo_details.h"
#include "fileinfo/video_streams.h"

#include <QString>

namespace velmar::media {

struct PdfDetails {
    bool read = false; // poppler took the file
    QString title;
    QString author;
    int pages = 0;
};

bool readAudioTags(const QString& path, AudioTags& tags);
bool readVideoStreams(const QString& path, VideoStreams& streams);
photos::PhotoDetails readPhotoFile(const QString& path);
photos::PhotoDetails readPhotoBytes(const char* data, qint64 size);
PdfDetails readPdfFile(const QString& path);
PdfDetails readPdfBytes(const char* data, qint64 size);

// What the module hands the program. Program and module come from one build;
// the version guards against a module left from another.
constexpr int kModuleVersion = 1;
struct ModuleTable {
    int version;
    decltype(&readAudioTags) audio;
    decltype(&readVideoStreams) video;
    decltype(&readPhotoFile) photoFile;
    decltype(&readPhotoBytes) photoBytes;
    decltype(&readPdfFile) pdfFile;
    decltype(&readPdfBytes) pdfBytes;
};

} // namespace velmar::media

// The one symbol the module exports.
extern "C" const velmar::media::ModuleTable* velmar_media_table();
