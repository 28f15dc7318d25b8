// The information text of a video file: its duration, its picture (size and
// images per second), then its video and audio codecs, each line only when known.

#include "app/text.h"
#include "fileinfo/media_text.h"
#include "fileinfo/probes.h"
#include "fileinfo/video_streams.h"

#include <QLocale>

namespace velmar::probes {

namespace {

// "25", "29.97", "23.976": at most three decimals, the trailing zeros dropped.
QString frameRateText(double rate) {
    QString text = QLocale::c().toString(rate, 'f', 3);
    while (text.endsWith(QLatin1Char('0')))
        text.chop(1);
    if (text.endsWith(QLatin1Char('.')))
        text.chop(1);
    return text;
}

QString pictureLine(const VideoStreams& s) {
    if (s.width <= 0 || s.height <= 0)
        return {};
    QString line = NombreEnTexte(s.width) + QStringLiteral(" x ") + NombreEnTexte(s.height);
    if (s.frameRate > 0)
        line += QStringLiteral(" - ") + frameRateText(s.frameRate) + QStringLiteral(" images/s");
    return line;
}

} // namespace

QString videoSummary(const QString& path) {
    VideoStreams s;
    if (!LitFluxVideo(path, s))
        return {};
    QStringList lines;
    if (s.milliseconds > 0)
        lines << durationText(s.milliseconds);
    if (const QString picture = pictureLine(s); !picture.isEmpty())
        lines << picture;
    if (!s.videoCodec.isEmpty())
        lines << QStringLiteral("Vidéo : ") + s.videoCodec;
    if (!s.audioCodec.isEmpty())
        lines << QStringLiteral("Audio : ") + s.audioCodec;
    return lines.join(kLineBreak);
}

} // namespace velmar::probes
