#include "fileinfo/media_module.h"

#include <QFile>

#include <cstdarg>
#include <limits>

extern "C" {
#include <libavformat/avformat.h>
#include <libavutil/log.h>
}

namespace velmar::media {

namespace {

// Reads go through our own small buffer, so that a header read costs a few
// kilobytes rather than libavformat's default 32 KiB per seek.
constexpr int kIoBufferBytes = 8 * 1024;
// Bounds on the packets probed when the headers leave a parameter unknown
// (MPEG-TS has no header giving the picture size); the headers themselves are
// read whole, however long (an MP4's index of a long film takes megabytes).
constexpr int64_t kProbeBytes = 512 * 1024;
constexpr int64_t kProbeMicroseconds = 1'000'000;
// Frames timed to learn a frame rate the headers do not give (20 by default).
constexpr int kFrameRateFrames = 3;
// A stream without a duration in its headers (MPEG-TS) is timed by the last
// packet in the file's tail: first its last 64 KiB, then more, up to 256 KiB.
constexpr int64_t kTailBytes = 64 * 1024;
constexpr int64_t kTailBytesMax = 256 * 1024;

void quiet(void*, int, const char*, va_list) {}

void silenceFfmpeg() {
    static const bool once = (av_log_set_level(AV_LOG_QUIET), av_log_set_callback(quiet), true);
    (void)once;
}

// The file behind libavformat's reads, with a budget of bytes it may still
// read: libavformat's own bounds (probesize) do not hold for every demuxer
// (its MPEG-TS analysis reads up to seven seconds of packets).
struct BudgetedFile {
    QFile file;
    qint64 budget = std::numeric_limits<qint64>::max();
};

int readFile(void* opaque, uint8_t* buffer, int size) {
    auto* source = static_cast<BudgetedFile*>(opaque);
    const qint64 allowed = qMin<qint64>(size, source->budget);
    if (allowed <= 0)
        return AVERROR_EOF;
    const qint64 n = source->file.read(reinterpret_cast<char*>(buffer), allowed);
    if (n < 0)
        return AVERROR(EIO);
    source->budget -= n;
    return n == 0 ? AVERROR_EOF : static_cast<int>(n);
}

int64_t seekFile(void* opaque, int64_t offset, int whence) {
    QFile* file = &static_cast<BudgetedFile*>(opaque)->file;
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
    explicit Demuxer(const QString& path) { source_.file.setFileName(path); }
    ~Demuxer() {
        avformat_close_input(&context_);
        if (io_ != nullptr)
            av_freep(&io_->buffer);
        avio_context_free(&io_);
    }
    Demuxer(const Demuxer&) = delete;
    Demuxer& operator=(const Demuxer&) = delete;

    AVFormatContext* open();
    // Bytes libavformat may read from now on.
    void allowReading(qint64 bytes) { source_.budget = bytes; }

private:
    BudgetedFile source_;
    AVIOContext* io_ = nullptr;
    AVFormatContext* context_ = nullptr;
};

AVFormatContext* Demuxer::open() {
    if (!source_.file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        return nullptr;
    auto* buffer = static_cast<unsigned char*>(av_malloc(kIoBufferBytes));
    io_ = buffer == nullptr
              ? nullptr
              : avio_alloc_context(buffer, kIoBufferBytes, 0, &source_, readFile, nullptr, seekFile);
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
    context_->fps_probe_size = kFrameRateFrames;
    // libavformat would read 250 KiB or more of the tail, several times; see lastPacketEnd().
    context_->skip_estimate_duration_from_pts = 1;
    // The name only guides the format guess; the bytes come through io_.
    const QByteArray name = QFile::encodeName(source_.file.fileName());
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

// The end time of the last packet read from `position` to the end of the file,
// in AV_TIME_BASE units; AV_NOPTS_VALUE when no packet there has a time.
int64_t lastPacketEnd(AVFormatContext* context, AVPacket* packet, int64_t position) {
    avformat_flush(context);
    if (avio_seek(context->pb, position, SEEK_SET) < 0)
        return AV_NOPTS_VALUE;
    int64_t end = AV_NOPTS_VALUE;
    while (av_read_frame(context, packet) >= 0) {
        // Times near the ends of the range come only from damaged packets.
        if (packet->pts != AV_NOPTS_VALUE && packet->pts >= 0 && packet->duration >= 0 &&
            packet->pts <= std::numeric_limits<int64_t>::max() - packet->duration &&
            packet->stream_index < int(context->nb_streams)) {
            const AVRational base = context->streams[packet->stream_index]->time_base;
            end = qMax(end, av_rescale_q(packet->pts + packet->duration, base, AV_TIME_BASE_Q));
        }
        av_packet_unref(packet);
    }
    return end;
}

// The duration libavformat could only guess from the bit rate, measured from
// the first packet's time to the end of the last one instead.
qint64 timedByTail(AVFormatContext* context) {
    const int64_t size = avio_size(context->pb);
    AVPacket* packet = av_packet_alloc();
    int64_t end = AV_NOPTS_VALUE;
    for (int64_t window = kTailBytes; packet != nullptr && end == AV_NOPTS_VALUE && window <= kTailBytesMax;
         window *= 2) {
        end = lastPacketEnd(context, packet, qMax<int64_t>(0, size - window));
        if (window >= size)
            break;
    }
    av_packet_free(&packet);
    if (end == AV_NOPTS_VALUE || context->start_time == AV_NOPTS_VALUE || context->start_time < 0 ||
        end <= context->start_time)
        return 0;
    return av_rescale(end - context->start_time, 1000, AV_TIME_BASE);
}

// "" for a codec libavformat could not name (it would say "none").
QString codecName(const AVStream* stream) {
    const AVCodecID id = stream->codecpar->codec_id;
    return id == AV_CODEC_ID_NONE ? QString() : QString::fromLatin1(avcodec_get_name(id));
}

void describeVideo(const AVStream* video, VideoStreams& streams) {
    // A damaged header can give any size, negative ones too: those are unknown.
    if (video->codecpar->width > 0 && video->codecpar->height > 0) {
        streams.width = video->codecpar->width;
        streams.height = video->codecpar->height;
    }
    const AVRational rate = video->avg_frame_rate.num > 0 ? video->avg_frame_rate : video->r_frame_rate;
    if (rate.num > 0 && rate.den > 0)
        streams.frameRate = av_q2d(rate);
    streams.videoCodec = codecName(video);
}

bool analyse(Demuxer& demuxer, AVFormatContext* context) {
    if (headersSayAll(context))
        return true;
    demuxer.allowReading(kProbeBytes);
    return avformat_find_stream_info(context, nullptr) >= 0;
}

bool describe(Demuxer& demuxer, AVFormatContext* context, VideoStreams& streams) {
    if (!analyse(demuxer, context))
        return false;
    const AVStream* video = firstStream(context, AVMEDIA_TYPE_VIDEO);
    const AVStream* audio = firstStream(context, AVMEDIA_TYPE_AUDIO);
    if (video == nullptr && audio == nullptr)
        return false;
    if (video != nullptr)
        describeVideo(video, streams);
    if (audio != nullptr)
        streams.audioCodec = codecName(audio);
    if (context->duration_estimation_method != AVFMT_DURATION_FROM_BITRATE)
        streams.milliseconds = durationMilliseconds(context);
    if (streams.milliseconds == 0) {
        demuxer.allowReading(kTailBytes + 2 * kTailBytes + kTailBytesMax);
        streams.milliseconds = timedByTail(context);
    }
    return true;
}

} // namespace

bool readVideoStreams(const QString& path, VideoStreams& streams) {
    silenceFfmpeg();
    streams = {};
    try {
        Demuxer demuxer(path);
        AVFormatContext* context = demuxer.open();
        if (context != nullptr && describe(demuxer, context, streams))
            return true;
    } catch (...) {
        // libavformat is C, but Qt's allocations may throw: a refused file all the same.
    }
    streams = {};
    return false;
}

} // namespace velmar::media
