// Bitmaps of every header size: the three ImageMagick writes (checked against
// identify), and hand-built headers of the other sizes.
//   convert -size 64x48 gradient: -type TrueColor BMP2:f.bmp   (OS/2 12-byte core header)
//   convert ... BMP3:f.bmp  (40 bytes)        convert ... BMP:f.bmp  (124 bytes)

#include "fileinfo/file_infos.h"

#include "sample_files.h"

#include <gtest/gtest.h>

namespace velmar {
namespace {

QString autoInfo(const QString& path) {
    return RenvoieInfosFichier(path, QStringLiteral("AUTO"));
}

TEST(BitmapHeadersByImageMagick, GiveTheSizeIdentifyGives) {
    VELMAR_REQUIRE_TOOL("convert");
    VELMAR_REQUIRE_TOOL("identify");
    const struct {
        const char* file;
        QStringList picture;
        const char* info;
    } cases[] = {
        {"BMP2:core.bmp", {"-size", "300x70", "gradient:", "-type", "TrueColor"}, "300 x 70 - 24 bits"},
        {"BMP2:core8.bmp", {"-size", "64x48", "gradient:", "-type", "Palette"}, "64 x 48 - 8 bits"},
        {"BMP3:info.bmp", {"-size", "1000x700", "gradient:", "-type", "TrueColor"}, "1000 x 700 - 24 bits"},
        {"BMP:v5.bmp", {"-size", "64x48", "gradient:", "-type", "TrueColorAlpha"}, "64 x 48 - 32 bits"},
    };
    test::SampleFolder folder;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        const QString file = QString::fromLatin1(c.file);
        ASSERT_TRUE(test::runTool("convert", c.picture + QStringList{file}, folder.path({})));
        const QString path = folder.path(file.section(QLatin1Char(':'), 1));
        const QString info = autoInfo(path);
        EXPECT_EQ(info, QString::fromUtf8(c.info));
        const QString identified =
            test::toolOutput("identify", {"-format", "%w x %h", path}, folder.path({}));
        EXPECT_EQ(info.section(QStringLiteral(" - "), 0, 0), identified);
    }
}

// File header, then a bitmap header of `size` bytes with 32-bit fields.
QByteArray infoBitmap(quint32 size, qint32 width, qint32 height, int bits) {
    QByteArray header = test::le32(size) + test::le32(quint32(width)) + test::le32(quint32(height)) +
                        test::le16(1) + test::le16(bits);
    header.append(qMax<qsizetype>(0, qsizetype(size) - header.size()), '\0');
    return "BM" + test::le32(14 + size) + QByteArray(4, '\0') + test::le32(14 + size) + header;
}

TEST(BitmapHeadersHandMade, ReadEachLayout) {
    QByteArray core = "BM" + test::le32(26) + QByteArray(4, '\0') + test::le32(26) + test::le32(12) +
                      test::le16(640) + test::le16(480) + test::le16(1) + test::le16(4);
    const struct {
        const char* name;
        QByteArray bytes;
        const char* info;
    } cases[] = {
        {"core", core, "640 x 480 - 4 bits"},
        {"OS/2 2.x short", infoBitmap(16, 800, 600, 8), "800 x 600 - 8 bits"},
        {"52", infoBitmap(52, 1024, 768, 16), "1024 x 768 - 16 bits"},
        {"56", infoBitmap(56, 1024, 768, 16), "1024 x 768 - 16 bits"},
        {"OS/2 2.x", infoBitmap(64, 320, 200, 24), "320 x 200 - 24 bits"},
        {"108", infoBitmap(108, 100000, 3, 32), "100000 x 3 - 32 bits"},
        {"top row first", infoBitmap(40, 64, -48, 24), "64 x 48 - 24 bits"},
        {"unknown size: the low words", infoBitmap(200, 0x10040, 48, 24), "64 x 48 - 24 bits"},
    };
    test::SampleFolder folder;
    for (const auto& c : cases)
        EXPECT_EQ(autoInfo(folder.write("h.bmp", c.bytes)), QString::fromUtf8(c.info)) << c.name;
}

} // namespace
} // namespace velmar
