// Audio and video files written at test time by Debian's encoders (flac, oggenc,
// opusenc, wavpack, ffmpeg), read through TagLib and libavformat and compared
// with what ffprobe and metaflac list for the same files.

#include "fileinfo/audio_tags.h"
#include "fileinfo/file_infos.h"
#include "fileinfo/video_streams.h"

#include <QFile>
#include <QMap>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cmath>

using namespace velmar;

namespace {

class MediaTools : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString path(const QString& name) const { return m_dir.filePath(name); }

    // The tool's standard output; null when it is missing or fails.
    QByteArray output(const QString& tool, const QStringList& arguments) const {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            return {};
        QProcess p;
        p.setWorkingDirectory(m_dir.path());
        p.start(tool, arguments);
        if (!p.waitForFinished(300000) || p.exitStatus() != QProcess::NormalExit || p.exitCode() != 0)
            return {};
        return p.readAllStandardOutput() + "\n"; // never null once the tool ran
    }

    bool run(const QString& tool, const QStringList& arguments) const {
        return !output(tool, arguments).isNull();
    }

    // A 3.5 s stereo tone at 44.1 kHz, 16 bits: the source of every audio file.
    bool makeTone() const {
        return run("ffmpeg", {"-v", "error", "-y", "-f", "lavfi", "-i", "sine=frequency=440:duration=3.5",
                              "-ac", "2", "-ar", "44100", "-c:a", "pcm_s16le", "tone.wav"});
    }

    // ffprobe's "key=value" lines for the `streams` chosen ("v:0", "a:0"; all when
    // empty), keys in lower case without "TAG:", the first value kept when repeated.
    QMap<QString, QString> probe(const QString& name, const QString& entries,
                                 const QString& streams = {}) const {
        QMap<QString, QString> values;
        QStringList arguments = {"-v", "error", "-show_entries", entries, "-of", "default=nw=1", name};
        if (!streams.isEmpty())
            arguments << "-select_streams" << streams;
        const QByteArray text = output("ffprobe", arguments);
        for (const QString& line : QString::fromUtf8(text).split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
            const qsizetype equals = line.indexOf(QLatin1Char('='));
            QString key = line.left(equals).toLower();
            key.remove(QStringLiteral("tag:"));
            if (equals > 0 && !values.contains(key))
                values.insert(key, line.mid(equals + 1));
        }
        return values;
    }

    QTemporaryDir m_dir;
};

#define REQUIRE_TOOL(ok, tool)                                                                               \
    if (!(ok))                                                                                               \
    GTEST_SKIP() << tool << " is missing or failed"

struct AudioCase {
    const char* name;
    const char* tool;
    QStringList arguments;
    bool lossless;
};

TEST_F(MediaTools, AudioTagsAndPropertiesMatchFfprobe) {
    REQUIRE_TOOL(makeTone() && !output("ffprobe", {"-version"}).isNull(), "ffmpeg");
    const QStringList tags = {"-metadata",    "title=Été", "-metadata", "artist=Moi", "-metadata",
                              "album=Disque", "-metadata", "track=3",   "-metadata",  "date=2019"};
    // ffmpeg writes "date" to ASF under its own name, which Windows Media players do not read.
    QStringList wmaTags = tags;
    wmaTags.last() = QStringLiteral("WM/Year=2019");
    const AudioCase cases[] = {
        {"a.flac",
         "flac",
         {"-s", "-f", "-T", "TITLE=Été", "-T", "ARTIST=Moi", "-T", "ALBUM=Disque", "-T", "TRACKNUMBER=3",
          "-T", "DATE=2019", "tone.wav", "-o", "a.flac"},
         true},
        {"a.ogg",
         "oggenc",
         {"-Q", "-t", "Été", "-a", "Moi", "-l", "Disque", "-N", "3", "-d", "2019", "tone.wav", "-o", "a.ogg"},
         false},
        {"a.opus",
         "opusenc",
         {"--quiet", "--title", "Été", "--artist", "Moi", "--album", "Disque", "--comment", "TRACKNUMBER=3",
          "--date", "2019", "tone.wav", "a.opus"},
         false},
        {"a.wv", "wavpack", {"-q", "-y", "tone.wav", "-o", "a.wv"}, true},
        {"a.m4a", "ffmpeg",
         QStringList{"-v", "error", "-y", "-i", "tone.wav", "-c:a", "aac"} + tags + QStringList{"a.m4a"},
         false},
        {"b.m4a", "ffmpeg",
         QStringList{"-v", "error", "-y", "-i", "tone.wav", "-c:a", "alac"} + tags + QStringList{"b.m4a"},
         true},
        {"a.wma", "ffmpeg",
         QStringList{"-v", "error", "-y", "-i", "tone.wav", "-c:a", "wmav2"} + wmaTags + QStringList{"a.wma"},
         false},
        {"a.aiff", "ffmpeg",
         QStringList{"-v", "error", "-y", "-i", "tone.wav", "-write_id3v2", "1"} + tags +
             QStringList{"a.aiff"},
         true},
    };
    for (const AudioCase& c : cases) {
        SCOPED_TRACE(c.name);
        if (!run(c.tool, c.arguments)) {
            ADD_FAILURE() << c.tool << " failed"; // the tool's package is in the bootstrap's test set
            continue;
        }
        const auto listed =
            probe(c.name, "format=duration:format_tags:stream=sample_rate,channels,bits_per_sample,"
                          "bits_per_raw_sample:stream_tags");
        AudioTags read;
        ASSERT_TRUE(LitTagsAudio(path(c.name), read));
        EXPECT_EQ(read.title, listed.value("title"));
        EXPECT_EQ(read.artist, listed.value("artist"));
        EXPECT_EQ(read.album, listed.value("album"));
        EXPECT_EQ(QString::number(read.track), listed.value("track", "0"));
        EXPECT_EQ(QString::number(read.year), listed.value("date", listed.value("wm/year", "0")));
        EXPECT_EQ(QString::number(read.rate), listed.value("sample_rate"));
        EXPECT_EQ(QString::number(read.channels), listed.value("channels"));
        // Encoder delay and padding: AAC and Opus streams are a few tens of ms longer than their samples.
        EXPECT_NEAR(double(read.milliseconds), listed.value("duration").toDouble() * 1000, 30);
        const int listedBits =
            qMax(listed.value("bits_per_sample").toInt(), listed.value("bits_per_raw_sample").toInt());
        EXPECT_EQ(read.bits, c.lossless ? listedBits : 0);
    }
}

TEST_F(MediaTools, FlacTextMatchesMetaflac) {
    REQUIRE_TOOL(makeTone() &&
                     run("flac", {"-s", "-f", "-T", "TITLE=Été", "-T", "ARTIST=Moi", "-T", "ALBUM=Disque",
                                  "-T", "TRACKNUMBER=3", "-T", "DATE=2019", "tone.wav", "-o", "a.flac"}),
                 "flac");
    const QStringList listed =
        QString::fromUtf8(output("metaflac", {"--show-sample-rate", "--show-channels", "--show-bps",
                                              "--show-total-samples", "--export-tags-to=-", "a.flac"}))
            .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    REQUIRE_TOOL(listed.size() == 9, "metaflac");
    EXPECT_EQ(listed.mid(0, 4), QStringList({"44100", "2", "16", "154350"}));
    EXPECT_EQ(listed.mid(4),
              QStringList({"TITLE=Été", "ARTIST=Moi", "ALBUM=Disque", "TRACKNUMBER=3", "DATE=2019"}));
    // 154350 samples at 44100 Hz: 3.5 s.
    EXPECT_EQ(
        AnalyseContenuFichier(path("a.flac")),
        QStringLiteral("Été\r\nMoi\r\nAlbum : Disque\r\nPiste : 3\r\nAnnée : 2019\r\n0 min 3 sec 500 ms\r\n"
                       "44100 Hz\r\nStéréo 16 bits"));
}

struct VideoCase {
    const char* name;
    const char* size;
    const char* rate;
    QStringList codecs;
    // MPEG-TS is timed by its last packets: we end at the last audio frame,
    // ffprobe at the last packet, which holds several.
    int toleranceMs = 0;
};

TEST_F(MediaTools, VideoStreamsMatchFfprobe) {
    const VideoCase cases[] = {
        {"v.mp4", "320x240", "25", {"-c:v", "libx264", "-c:a", "aac"}},
        {"v.mov", "320x240", "24000/1001", {"-c:v", "libx264", "-c:a", "aac"}},
        {"v.mkv", "640x480", "24", {"-c:v", "libx264", "-c:a", "libopus"}},
        {"v.webm", "320x240", "30000/1001", {"-c:v", "libvpx", "-c:a", "libvorbis"}},
        {"v.avi", "320x240", "25", {"-c:v", "mpeg4", "-c:a", "libmp3lame"}},
        {"v.ts", "720x576", "25", {"-c:v", "mpeg2video", "-c:a", "mp2"}, 50},
        {"silent.mp4", "160x120", "30", {"-c:v", "libx264", "-an"}},
    };
    for (const VideoCase& c : cases) {
        SCOPED_TRACE(c.name);
        const QString source = QStringLiteral("testsrc=duration=4:size=%1:rate=%2").arg(c.size, c.rate);
        REQUIRE_TOOL(run("ffmpeg", QStringList{"-v", "error", "-y", "-f", "lavfi", "-i", source, "-f",
                                               "lavfi", "-i", "sine=duration=4", "-shortest"} +
                                       c.codecs + QStringList{c.name}),
                     "ffmpeg");
        const auto video =
            probe(c.name, "format=duration:stream=codec_name,width,height,avg_frame_rate", "v:0");
        const auto audio = probe(c.name, "stream=codec_name", "a:0");
        VideoStreams read;
        ASSERT_TRUE(LitFluxVideo(path(c.name), read));
        EXPECT_EQ(QString::number(read.width), video.value("width"));
        EXPECT_EQ(QString::number(read.height), video.value("height"));
        const QStringList rate = video.value("avg_frame_rate").split(QLatin1Char('/'));
        ASSERT_EQ(rate.size(), 2);
        EXPECT_NEAR(read.frameRate, rate[0].toDouble() / rate[1].toDouble(), 1e-9);
        EXPECT_NEAR(read.milliseconds, std::llround(video.value("duration").toDouble() * 1000),
                    c.toleranceMs);
        EXPECT_EQ(read.videoCodec, video.value("codec_name"));
        EXPECT_EQ(read.audioCodec, audio.value("codec_name"));
    }
    const QString text = AnalyseContenuFichier(path("v.mp4"));
    EXPECT_TRUE(text.startsWith(QStringLiteral("0 min 4 sec "))) << text.toStdString();
    EXPECT_TRUE(
        text.endsWith(QStringLiteral(" ms\r\n320 x 240 - 25 images/s\r\nVidéo : h264\r\nAudio : aac")))
        << text.toStdString();
}

} // namespace

namespace {

// Bytes no library takes for its format, under each extension handed to TagLib
// or libavformat: the file keeps an empty information text.
TEST(MediaProbes, RefusedFilesGiveNoText) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const QByteArray noise = QByteArray("not a media file\n").repeated(64);
    for (const char* name : {"x.flac", "x.ogg", "x.opus", "x.m4a", "x.wma", "x.ape", "x.wv", "x.aiff",
                             "x.mp4", "x.mkv", "x.webm", "x.avi", "x.mov", "x.ts", "empty.mkv"}) {
        QFile f(dir.filePath(name));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        if (qstrcmp(name, "empty.mkv") != 0)
            f.write(noise);
        f.close();
        EXPECT_EQ(AnalyseContenuFichier(f.fileName()), QString()) << name;
    }
}

// Headers whose fields the libraries read as negative numbers (files found by
// fuzzing): an ASF stream's properties through TagLib, an AVI picture width
// through libavformat. The values are unknown, never negative.
TEST(MediaProbes, DamagedHeadersGiveUnknownRatherThanNegativeValues) {
    const QString data = QStringLiteral(VELMAR_TEST_DATA_DIR "/fileinfo/media/");
    AudioTags audio;
    LitTagsAudio(data + "asf_signed_fields.wma", audio);
    for (const qint64 value :
         {audio.milliseconds, qint64(audio.rate), qint64(audio.channels), qint64(audio.bits)})
        EXPECT_GE(value, 0);
    VideoStreams video;
    LitFluxVideo(data + "avi_negative_width.avi", video);
    for (const qint64 value : {video.milliseconds, qint64(video.width), qint64(video.height)})
        EXPECT_GE(value, 0);
    EXPECT_EQ(AnalyseContenuFichier(data + "avi_negative_width.avi"), QStringLiteral("0 min 0 sec 300 ms"));
}

} // namespace
