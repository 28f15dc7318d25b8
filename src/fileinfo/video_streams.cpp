#include "fileinfo/video_streams.h"

#include <QFile>

#include <cstdarg>

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/log.h>
}

namespace velmar {

namespace {

// Reads go through our own small buffer, so that a header read costs a few
// kilobytes rather than libavformat's default 32 KiB per seek.
constexpr int kIoBufferBytes = 8 * 1024;
// Bounds on the packets probed when the headers leave a parameter unknown
// (MPEG-TS has no header giving the picture size).
constexpr int64_t kProbeBytes = 256 * 1024;
constexpr int64_t kProbeMicroseconds = 1'000'000;

void quiet(void*, int, const char*, va_list) {}

void silenceFfmpeg() {
    static const bool once = (av_log_set_level(AV_LOG_QUIET), av_log_set_callback(quiet), true);
    (void)once;
}

int readFile(void* opaque, uint8_t* buffer, int size) {
    const qint64 n = static_cast<QFile*>(opaque)->read(reinterpret_cast<char*>(buffer), size);
    if (n < 0)
        return AVERROR(EIO);
    return n == 0 ? AVERROR_EOF : static_cast<int>(n);
}

int64_t seekFile(void* opaque, int64_t offset, int whence) {
    auto* file = static_cast<QFile*>(opaque);
    if (whence & AVSEEK_SIZE)
        return file->size();
    qint64 target = offset;
    switch (whence & ~AVSEEK_FORCE) {
    case SEEK_CUR:
        target += file->pos();
        break;
    case SEEK_END:
        target += file->size();
        break;
    default:
        break;
    }
    if (target < 0 || !file->seek(target))
        return AVERROR(EIO);
    return target;
}

// One open demuxer over one file; closes everything it opened.
class Demuxer {
public:
    explicit Demuxer(const QString& path) : file_(path) {}
    ~Demuxer() {
        avformat_close_input(&context_);
        if (io_ != nullptr)
            av_freep(&io_->buffer);
        avio_context_free(&io_);
    }
    Demuxer(const Demuxer&) = delete;
    Demuxer& operator=(const Demuxer&) = delete;

    AVFormatContext* open();

private:
    QFile file_;
    AVIOContext* io_ = nullptr;
    AVFormatContext* context_ = nullptr;
};

AVFormatContext* Demuxer::open() {
    if (!file_.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return nullptr;
    auto* buffer = static_cast<unsigned char*>(av_malloc(kIoBufferBytes));
    io_ = buffer == nullptr
              ? nullptr
              : avio_alloc_context(buffer, kIoBufferBytes, 0, &file_, readFile, nullptr, seekFile);
    if (io_ == nullptr) {
        av_free(buffer);
        return nullptr;
    }
    context_ = avformat_alloc_context();
    if (context_ == nullptr)
        return nullptr;
    context_->pb = io_;
    context_->probesize = kProbeBytes;
    context_->max_analyze_duration = kProbeMicroseconds;
    // The name only guides the format guess; the bytes come through io_.
    const QByteArray name = QFile::encodeName(file_.fileName());
    if (avformat_open_input(&context_, name.constData(), nullptr, nullptr) < 0)
        return nullptr; // libavformat has freed the context
    return context_;
}

const AVStream* firstStream(const AVFormatContext* context, AVMediaType type) {
    for (unsigned i = 0; i < context->nb_streams; ++i)
        if (context->streams[i]->codecpar->codec_type == type)
            return context->streams[i];
    return nullptr;
}

// The headers of MP4, Matroska and AVI give every parameter shown; MPEG-TS and
// elementary streams leave some to the packets.
bool headersSayAll(const AVFormatContext* context) {
    const AVStream* video = firstStream(context, AVMEDIA_TYPE_VIDEO);
    for (unsigned i = 0; i < context->nb_streams; ++i)
        if (context->streams[i]->codecpar->codec_id == AV_CODEC_ID_NONE)
            return false;
    return video != nullptr && video->codecpar->width > 0 &&
           (video->avg_frame_rate.num > 0 || video->r_frame_rate.num > 0);
}

qint64 durationMilliseconds(const AVFormatContext* context) {
    if (context->duration != AV_NOPTS_VALUE && context->duration > 0)
        return av_rescale(context->duration, 1000, AV_TIME_BASE);
    qint64 longest = 0; // AVI gives its streams' lengths only
    for (unsigned i = 0; i < context->nb_streams; ++i) {
        const AVStream* s = context->streams[i];
        if (s->duration != AV_NOPTS_VALUE && s->duration > 0)
            longest = qMax<qint64>(longest, av_rescale_q(s->duration, s->time_base, AVRational{1, 1000}));
    }
    return longest;
}

void describeVideo(const AVStream* video, VideoStreams& streams) {
    streams.width = video->codecpar->width;
    streams.height = video->codecpar->height;
    const AVRational rate = video->avg_frame_rate.num > 0 ? video->avg_frame_rate : video->r_frame_rate;
    if (rate.num > 0 && rate.den > 0)
        streams.frameRate = av_q2d(rate);
    streams.videoCodec = QString::fromLatin1(avcodec_get_name(video->codecpar->codec_id));
}

bool describe(AVFormatContext* context, VideoStreams& streams) {
    if (!headersSayAll(context) && avformat_find_stream_info(context, nullptr) < 0)
        return false;
    const AVStream* video = firstStream(context, AVMEDIA_TYPE_VIDEO);
    const AVStream* audio = firstStream(context, AVMEDIA_TYPE_AUDIO);
    if (video == nullptr && audio == nullptr)
        return false;
    if (video != nullptr)
        describeVideo(video, streams);
    if (audio != nullptr)
        streams.audioCodec = QString::fromLatin1(avcodec_get_name(audio->codecpar->codec_id));
    streams.milliseconds = durationMilliseconds(context);
    return true;
}

} // namespace

bool LitFluxVideo(const QString& path, VideoStreams& streams) {
    silenceFfmpeg();
    streams = {};
    try {
        Demuxer demuxer(path);
        AVFormatContext* context = demuxer.open();
        if (context != nullptr && describe(context, streams))
            return true;
    } catch (...) {
        // libavformat is C, but Qt's allocations may throw: a refused file all the same.
    }
    streams = {};
    return false;
}

} // namespace velmar
