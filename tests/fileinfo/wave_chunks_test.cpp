// Wave files of today: high sample rates, compressed formats and chunks in any
// order. Files made by sox and checked against soxi, then hand-built chunk
// layouts.
//   sox -n -r 96000 -c 2 -b 16 f.wav synth 2.5 sine 440
//   sox -n -r 8000 -c 1 -e gsm-full-rate f.wav synth 3.3 sine 440

#include "fileinfo/file_infos.h"

#include "sample_files.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace velmar {
namespace {

QString autoInfo(const QString& path) {
    return RenvoieInfosFichier(path, QStringLiteral("AUTO"));
}

// Seconds of a "M min S sec T ms" line, T being tenths.
double secondsOf(const QString& info) {
    const QRegularExpressionMatch m =
        QRegularExpression(QStringLiteral("^(\\d+) min (\\d+) sec (\\d+) ms")).match(info);
    return m.hasMatch() ? m.captured(1).toInt() * 60 + m.captured(2).toInt() + m.captured(3).toInt() / 10.0
                        : -1;
}

TEST(WaveChunksBySox, GiveTheRateAndTheDurationSoxiGives) {
    VELMAR_REQUIRE_TOOL("sox");
    VELMAR_REQUIRE_TOOL("soxi");
    const struct {
        QStringList format;
        const char* seconds;
        const char* info;
    } cases[] = {
        {{"-r", "96000", "-c", "2", "-b", "16"}, "2.5", "0 min 2 sec 5 ms\r\n96000 Hz\r\nStéréo 16 bits"},
        {{"-r", "192000", "-c", "1", "-b", "32"}, "2", "0 min 2 sec 0 ms\r\n192000 Hz\r\nMono 32 bits"},
        {{"-r", "48000", "-c", "2", "-b", "24"}, "1.25", "0 min 1 sec 2 ms\r\n48000 Hz\r\nStéréo 24 bits"},
        {{"-r", "8000", "-c", "1", "-e", "gsm-full-rate"},
         "3.3",
         "0 min 3 sec 3 ms\r\n8000 Hz\r\nMono 0 bits"},
        {{"-r", "22050", "-c", "1", "-e", "ima-adpcm"}, "4.2", "0 min 4 sec 2 ms\r\n22050 Hz\r\nMono 4 bits"},
        {{"-r", "44100", "-c", "2", "-e", "ms-adpcm"},
         "1.7",
         "0 min 1 sec 7 ms\r\n44100 Hz\r\nStéréo 4 bits"},
    };
    test::SampleFolder folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.format.join(' ').toStdString());
        const QString path = folder.path("s.wav");
        ASSERT_TRUE(test::runTool(
            "sox", QStringList{"-n"} + c.format + QStringList{path, "synth", c.seconds, "sine", "440"},
            folder.path({})));
        const QString info = autoInfo(path);
        EXPECT_EQ(info, QString::fromUtf8(c.info));
        const QString soxRate = test::toolOutput("soxi", {"-r", path}, folder.path({})).trimmed();
        EXPECT_EQ(info.section(QStringLiteral("\r\n"), 1, 1), soxRate + QStringLiteral(" Hz"));
        const double soxSeconds = test::toolOutput("soxi", {"-D", path}, folder.path({})).toDouble();
        EXPECT_NEAR(secondsOf(info), soxSeconds, 0.06);
    }
}

QByteArray chunk(const QByteArray& id, const QByteArray& data) {
    return id + test::le32(quint32(data.size())) + data;
}

// A 16-byte PCM format chunk.
QByteArray pcmFormat(int rate, int channels, int bits) {
    const int align = channels * bits / 8;
    return chunk("fmt ", test::le16(1) + test::le16(channels) + test::le32(quint32(rate)) +
                             test::le32(quint32(rate * align)) + test::le16(align) + test::le16(bits));
}

QByteArray riff(const QByteArray& chunks) {
    return "RIFF" + test::le32(quint32(chunks.size() + 4)) + "WAVE" + chunks;
}

TEST(WaveChunksHandMade, WalkTheChunksBySize) {
    // 8000 Hz mono 8 bits: 8000 bytes a second.
    const QByteArray fmt = pcmFormat(8000, 1, 8);
    const QByteArray data = chunk("data", QByteArray(12000, '\x80'));
    const QByteArray list = chunk("LIST", "INFOICMT" + test::le32(5) + "Note" + QByteArray(1, '\0') + '\0');
    const QByteArray odd = chunk("junk", "abc"); // 3 bytes, then a pad byte
    const char* const oneAndAHalf = "0 min 1 sec 5 ms\r\n8000 Hz\r\nMono 8 bits";
    QByteArray streamed = riff(fmt + data);
    streamed.replace(40, 4, test::le32(0xFFFFFFFF));
    const struct {
        const char* name;
        QByteArray bytes;
        const char* info;
    } cases[] = {
        {"list, then data, then format", riff(list + data + fmt), oneAndAHalf},
        {"a chunk after the data", riff(fmt + data + list + list), oneAndAHalf},
        {"an odd chunk padded", riff(odd + '\0' + fmt + data), oneAndAHalf},
        {"an odd chunk unpadded", riff(odd + fmt + data), oneAndAHalf},
        {"data cut short", riff(fmt + data).left(44 + 4000), "0 min 0 sec 5 ms\r\n8000 Hz\r\nMono 8 bits"},
        {"streamed, size unknown", streamed, oneAndAHalf},
        {"no data chunk", riff(fmt), "0 min 0 sec 0 ms\r\n8000 Hz\r\nMono 8 bits"},
        {"format cut short", riff(fmt).left(30), ""},
        {"a chunk size past the end", riff(chunk("LIST", "x") + fmt).replace(16, 4, test::le32(0x7FFFFFFF)),
         ""},
    };
    test::SampleFolder folder;
    for (const auto& c : cases)
        EXPECT_EQ(autoInfo(folder.write("h.wav", c.bytes)), QString::fromUtf8(c.info)) << c.name;
}

} // namespace
} // namespace velmar
