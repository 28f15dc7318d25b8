#pragma once

// Tags and stream properties of the audio formats read through TagLib: FLAC,
// Ogg Vorbis and Opus, MP4/M4A, WMA, APE, WavPack and AIFF. TagLib chooses the
// reader from the file's extension, then from its first bytes.

#include <QString>

namespace velmar {

struct AudioTags {
    QString title, artist, album;
    unsigned track = 0; // 0: none
    unsigned year = 0;  // 0: none
    qint64 milliseconds = 0;
    int rate = 0; // Hz
    int channels = 0;
    int bits = 0; // bits per sample, 0 for lossy codecs that have none
};

// False when TagLib refuses the file (unknown, damaged, unreadable); TagLib's
// exceptions and messages never leave this function.
bool LitTagsAudio(const QString& path, AudioTags& tags);

} // namespace velmar
