#include "fileinfo/media_module.h"

#include <QFile>

#include <algorithm>

#include <taglib/aifffile.h>
#include <taglib/apefile.h>
#include <taglib/asffile.h>
#include <taglib/fileref.h>
#include <taglib/flacfile.h>
#include <taglib/mp4file.h>
#include <taglib/tdebuglistener.h>
#include <taglib/tfilestream.h>
#include <taglib/wavpackfile.h>

namespace velmar::media {

namespace {

// TagLib writes its complaints about a damaged file to standard error unless
// given a listener; the catalogue only wants to know whether the file was read.
class SilentListener : public TagLib::DebugListener {
public:
    void printMessage(const TagLib::String&) override {}
};

void silenceTagLib() {
    static SilentListener listener;
    static const bool once = (TagLib::setDebugListener(&listener), true);
    (void)once;
}

// The properties classes share no accessor for the sample size.
template <typename Properties> bool bitsOf(const TagLib::AudioProperties* properties, int& bits) {
    const auto* p = dynamic_cast<const Properties*>(properties);
    if (p != nullptr)
        bits = p->bitsPerSample();
    return p != nullptr;
}

// MP4 and ASF files state a nominal 16 bits even for AAC and WMA, which keep
// no samples: only their lossless codecs have a sample size.
bool isLossy(const TagLib::AudioProperties* properties) {
    if (const auto* mp4 = dynamic_cast<const TagLib::MP4::Properties*>(properties))
        return mp4->codec() != TagLib::MP4::Properties::ALAC;
    if (const auto* asf = dynamic_cast<const TagLib::ASF::Properties*>(properties))
        return asf->codec() != TagLib::ASF::Properties::WMA9Lossless;
    return false;
}

int bitsPerSample(const TagLib::AudioProperties* p) {
    int bits = 0;
    if (isLossy(p))
        return 0;
    if (bitsOf<TagLib::FLAC::Properties>(p, bits) || bitsOf<TagLib::MP4::Properties>(p, bits) ||
        bitsOf<TagLib::APE::Properties>(p, bits) || bitsOf<TagLib::WavPack::Properties>(p, bits) ||
        bitsOf<TagLib::RIFF::AIFF::Properties>(p, bits) || bitsOf<TagLib::ASF::Properties>(p, bits))
        return bits;
    return 0; // Vorbis and Opus
}

QString fromTagLib(const TagLib::String& text) {
    return QString::fromStdString(text.to8Bit(true)).trimmed();
}

bool readWithTagLib(const QString& path, AudioTags& tags) {
    const QByteArray name = QFile::encodeName(path);
    // Read-only: TagLib opens its files for writing when it can.
    TagLib::FileStream stream(name.constData(), true);
    if (!stream.isOpen())
        return false;
    const TagLib::FileRef file(&stream, true, TagLib::AudioProperties::Fast);
    if (file.isNull())
        return false;
    if (const TagLib::Tag* tag = file.tag()) {
        tags.title = fromTagLib(tag->title());
        tags.artist = fromTagLib(tag->artist());
        tags.album = fromTagLib(tag->album());
        tags.track = tag->track();
        tags.year = tag->year();
    }
    if (const TagLib::AudioProperties* p = file.audioProperties()) {
        // A damaged header can give TagLib negative values (an ASF stream's
        // fields read as signed): they are unknown, like a missing field.
        tags.milliseconds = std::max(0, p->lengthInMilliseconds());
        tags.rate = std::max(0, p->sampleRate());
        tags.channels = std::max(0, p->channels());
        tags.bits = std::max(0, bitsPerSample(p));
    }
    // Some readers take any bytes and find nothing in them: not an audio file.
    return tags.rate > 0 || !tags.title.isEmpty() || !tags.artist.isEmpty() || !tags.album.isEmpty();
}

} // namespace

bool readAudioTags(const QString& path, AudioTags& tags) {
    silenceTagLib();
    tags = {};
    try {
        if (readWithTagLib(path, tags))
            return true;
    } catch (...) {
        // A refused file has no information text, whatever TagLib threw.
    }
    tags = {};
    return false;
}

} // namespace velmar::media
