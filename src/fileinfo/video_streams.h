#pragma once

// Duration, picture and codecs of a video file (MP4, MOV, Matroska and WebM,
// AVI, MPEG-TS...), read through FFmpeg's libavformat. Only the container's
// headers are read when they say everything; otherwise at most 512 KiB of
// packets are probed, and a stream without a duration in its headers is timed
// by the last packet in at most the file's last 256 KiB. Nothing is decoded
// beyond what libavformat needs to learn a stream's parameters.

#include <QString>

namespace velmar {

struct VideoStreams {
    qint64 milliseconds = 0; // 0: unknown
    int width = 0, height = 0;
    double frameRate = 0; // images per second, 0: unknown
    QString videoCodec;   // FFmpeg's short names: "h264", "vp9", "aac"...; "" when none
    QString audioCodec;
};

// False when libavformat refuses the file or finds neither a video nor an
// audio stream; libavformat never logs and its errors never leave this function.
bool LitFluxVideo(const QString& path, VideoStreams& streams);

} // namespace velmar
