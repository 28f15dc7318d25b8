// The information text of the audio files read through TagLib: the lines of
// the MP3 text (title, artist, album, track), then the year, the duration, the
// rate, and the channels with the sample size, each line only when known.

#include "app/text.h"
#include "fileinfo/audio_tags.h"
#include "fileinfo/media_text.h"
#include "fileinfo/probes.h"

namespace velmar::probes {

namespace {

void addLine(QString& text, const QString& line) {
    if (line.isEmpty())
        return;
    if (!text.isEmpty())
        text += kLineBreak;
    text += line;
}

QString labelled(const char* label, unsigned number) {
    if (number == 0)
        return {};
    return QString::fromUtf8(label) + NombreEnTexte(qint64{number});
}

QString sampleLine(const AudioTags& tags) {
    QString line = channelsText(tags.channels);
    if (tags.bits > 0)
        line += (line.isEmpty() ? QString() : QStringLiteral(" ")) + NombreEnTexte(tags.bits) +
                QStringLiteral(" bits");
    return line;
}

} // namespace

QString audioSummary(const QString& path) {
    AudioTags tags;
    if (!LitTagsAudio(path, tags))
        return {};
    QString text;
    addLine(text, tags.title);
    addLine(text, tags.artist);
    if (!tags.album.isEmpty())
        addLine(text, QStringLiteral("Album : ") + tags.album);
    addLine(text, labelled("Piste : ", tags.track));
    addLine(text, labelled("Année : ", tags.year));
    addLine(text, durationText(tags.milliseconds));
    if (tags.rate > 0)
        addLine(text, NombreEnTexte(tags.rate) + QStringLiteral(" Hz"));
    addLine(text, sampleLine(tags));
    return text;
}

} // namespace velmar::probes
