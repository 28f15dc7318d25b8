// BMP, GIF and WAV probes over files made by ImageMagick and sox:
//   convert -size 64x48 xc:red b.bmp;  convert -size 320x200 xc:red g.gif
//   sox -n -r 44100 -c 2 -b 16 s.wav synth 3 sine 440
//   sox -n -r 8000 -c 1 -b 8 m.wav synth 1.5 sine 440

#include "fileinfo/file_infos.h"

#include "sample_files.h"

#include <gtest/gtest.h>

namespace velmar {
namespace {

QString autoInfo(const QString& path) {
    return RenvoieInfosFichier(path, QStringLiteral("AUTO"));
}

TEST(PictureProbes, GiveTheDimensionsOfImageMagickFiles) {
    VELMAR_REQUIRE_TOOL("convert");
    test::SampleFolder folder;
    ASSERT_TRUE(test::runTool("convert", {"-size", "64x48", "xc:red", "BMP3:b.bmp"}, folder.path(QString())));
    ASSERT_TRUE(test::runTool("convert", {"-size", "320x200", "xc:red", "g.gif"}, folder.path(QString())));
    ASSERT_TRUE(test::runTool("convert", {"-size", "64x48", "gradient:", "-type", "Palette", "BMP3:p.bmp"},
                              folder.path(QString())));
    EXPECT_EQ(autoInfo(folder.path("b.bmp")), QStringLiteral("64 x 48 - 24 bits"));
    EXPECT_EQ(autoInfo(folder.path("g.gif")), QStringLiteral("320 x 200"));
    EXPECT_EQ(autoInfo(folder.path("p.bmp")), QStringLiteral("64 x 48 - 8 bits"));
}

TEST(PictureProbes, CheckTheSignature) {
    test::SampleFolder folder;
    QByteArray bmp = "bm" + QByteArray(16, '\0') + test::le32(640) + test::le32(480) + test::le16(1) +
                     test::le16(24) + QByteArray(30, '\0');
    EXPECT_EQ(autoInfo(folder.write("lower.bmp", bmp)), QStringLiteral("640 x 480 - 24 bits"));
    bmp[0] = 'X';
    EXPECT_EQ(autoInfo(folder.write("bad.bmp", bmp)), QString());
    EXPECT_EQ(autoInfo(folder.write("short.bmp", "BM")), QStringLiteral("8224 x 8224 - 32 bits")); // blanks
    EXPECT_EQ(autoInfo(folder.write("g.gif", "GIF89a" + test::le16(7) + test::le16(9))),
              QStringLiteral("7 x 9"));
    EXPECT_EQ(autoInfo(folder.write("l.gif", "gif89a" + test::le16(7) + test::le16(9))), QString());
}

TEST(WaveProbe, DescribesSoxFiles) {
    VELMAR_REQUIRE_TOOL("sox");
    test::SampleFolder folder;
    ASSERT_TRUE(test::runTool(
        "sox", {"-n", "-r", "44100", "-c", "2", "-b", "16", "s.wav", "synth", "205.04", "sine", "440"},
        folder.path(QString())));
    ASSERT_TRUE(test::runTool(
        "sox", {"-n", "-r", "8000", "-c", "1", "-b", "8", "m.wav", "synth", "1.5", "sine", "440"},
        folder.path(QString())));
    EXPECT_EQ(autoInfo(folder.path("s.wav")),
              QStringLiteral("3 min 25 sec 0 ms\r\n44100 Hz\r\nStéréo 16 bits"));
    EXPECT_EQ(autoInfo(folder.path("m.wav")), QStringLiteral("0 min 1 sec 5 ms\r\n8000 Hz\r\nMono 8 bits"));
}

// RIFF header, a 16-byte format chunk, and a data chunk of `dataBytes`.
QByteArray wave(int rate, int channels, int bits, int dataBytes) {
    const int align = channels * bits / 8;
    QByteArray b = "RIFF" + test::le32(36 + dataBytes) + "WAVEfmt " + test::le32(16) + test::le16(1) +
                   test::le16(channels) + test::le32(rate) + test::le32(rate * align) + test::le16(align) +
                   test::le16(bits) + "data" + test::le32(dataBytes);
    return b + QByteArray(dataBytes, '\0');
}

TEST(WaveProbe, ComputesTheDurationFromTheFileLength) {
    test::SampleFolder folder;
    // 22050 Hz, stereo, 16 bits: 88200 bytes a second; 2.5 s plus 0.04 s.
    EXPECT_EQ(autoInfo(folder.write("a.wav", wave(22050, 2, 16, 88200 * 254 / 100))),
              QStringLiteral("0 min 2 sec 5 ms\r\n22050 Hz\r\nStéréo 16 bits"));
    // Three channels: no channel line, the bits still follow.
    EXPECT_EQ(autoInfo(folder.write("b.wav", wave(8000, 3, 8, 24000 * 61))),
              QStringLiteral("1 min 1 sec 0 ms\r\n8000 Hz 8 bits"));
    // Rate 0 and channels 0 give no division.
    EXPECT_EQ(autoInfo(folder.write("c.wav", wave(0, 0, 0, 100))),
              QStringLiteral("0 min 0 sec 0 ms\r\n0 Hz 0 bits"));
    // Not RIFF, or no format chunk.
    QByteArray notRiff = wave(8000, 1, 8, 10);
    notRiff[0] = 'X';
    EXPECT_EQ(autoInfo(folder.write("d.wav", notRiff)), QString());
    EXPECT_EQ(autoInfo(folder.write("e.wav", "RIFF\0\0\0\0WAVEdata")), QString());
    // A header cut short still gives a text, from blanks and a negative length.
    (void)autoInfo(folder.write("f.wav", wave(8000, 1, 8, 0).left(20)));
}

} // namespace
} // namespace velmar
