// The JPEG reader over pictures made by ImageMagick, and over damaged copies.
//   convert -size 64x48 xc:red -density 72 -units PixelsPerInch -set comment Bonjour b.jpg

#include "fileinfo/jpeg_reader.h"

#include "fileinfo/file_infos.h"
#include "sample_files.h"

#include <QFileInfo>

#include <gtest/gtest.h>

namespace velmar {
namespace {

class JpegReader : public ::testing::Test {
protected:
    void SetUp() override { VELMAR_REQUIRE_TOOL("convert"); }

    QString convert(const QString& name, const QStringList& options) {
        const QStringList arguments =
            QStringList{"-size", "160x120", "gradient:red-blue"} + options + QStringList{name};
        EXPECT_TRUE(test::runTool(QStringLiteral("convert"), arguments, folder.path(QString())));
        return folder.path(name);
    }

    test::SampleFolder folder;
};

TEST_F(JpegReader, ReadsABaselinePictureWithItsDensity) {
    const QString path = convert("b.jpg", {"-density", "72", "-units", "PixelsPerInch"});
    Cls_JPEG jpeg;
    ASSERT_TRUE(jpeg.ReadInJPEGfile(path)) << jpeg.ErrorMsg().toStdString();
    EXPECT_TRUE(jpeg.ParsedWithoutProblems());
    EXPECT_EQ(jpeg.XsizePicture(), 160);
    EXPECT_EQ(jpeg.YsizePicture(), 120);
    EXPECT_EQ(jpeg.ColorDepthInBit(), 24);
    EXPECT_EQ(jpeg.ColorDepthAsText(), QStringLiteral("RGB 24 Bit"));
    EXPECT_EQ(jpeg.Resolution(), QStringLiteral("72 x 72 Dots/inch (DPI)"));
    EXPECT_EQ(jpeg.JPEGVersion(), QStringLiteral("1.01"));
    EXPECT_FALSE(jpeg.HasPreview());
    EXPECT_EQ(jpeg.HowManyComments(), 0);
    EXPECT_EQ(jpeg.SourceFilename(), path);
    EXPECT_EQ(jpeg.FileSizeSourceJPEG(), folder.read("b.jpg").size());
    ASSERT_FALSE(jpeg.Segments().isEmpty());
    EXPECT_EQ(jpeg.Segments().first().marker, QStringLiteral("FFE0"));
    EXPECT_EQ(jpeg.Segments().first().position, 3);
    EXPECT_EQ(jpeg.ErrorMsg(), QString());
}

TEST_F(JpegReader, ReadsProgressiveGrayscaleAndCmykFrames) {
    const struct {
        const char* name;
        QStringList options;
        const char* depth;
    } cases[] = {{"p.jpg", {"-interlace", "JPEG"}, "RGB 24 Bit"},
                 {"g.jpg", {"-colorspace", "Gray"}, "Grayscale 8 Bit"},
                 {"c.jpg", {"-colorspace", "CMYK"}, "CMYK 32 Bit"}};
    for (const auto& c : cases) {
        Cls_JPEG jpeg;
        ASSERT_TRUE(jpeg.ReadInJPEGfile(convert(c.name, c.options))) << c.name;
        EXPECT_EQ(jpeg.XsizePicture(), 160) << c.name;
        EXPECT_EQ(jpeg.YsizePicture(), 120) << c.name;
        EXPECT_EQ(jpeg.ColorDepthAsText(), QString::fromLatin1(c.depth)) << c.name;
    }
    Cls_JPEG progressive;
    ASSERT_TRUE(progressive.ReadInJPEGfile(folder.path("p.jpg")));
    bool hasSof2 = false;
    for (const auto& segment : progressive.Segments())
        hasSof2 = hasSof2 || segment.marker == QLatin1String("FFC2");
    EXPECT_TRUE(hasSof2);
}

TEST_F(JpegReader, ListsCommentsInFileOrder) {
    const QString one = convert("one.jpg", {"-set", "comment", "Premier"});
    Cls_JPEG jpeg;
    ASSERT_TRUE(jpeg.ReadInJPEGfile(one));
    ASSERT_EQ(jpeg.HowManyComments(), 1);
    EXPECT_EQ(jpeg.Comment(1), QStringLiteral("Premier"));
    EXPECT_EQ(RenvoieInfosFichier(one, QStringLiteral("AUTO")),
              QStringLiteral("160 x 120\r\nRGB 24 Bit\r\nPremier"));

    // A second COM segment, with a Windows-1252 byte, inserted after the first one.
    QByteArray bytes = folder.read("one.jpg");
    const qsizetype first = bytes.indexOf("\xFF\xFE");
    ASSERT_GT(first, 0);
    const int firstLength = (uchar(bytes[first + 2]) << 8) | uchar(bytes[first + 3]);
    const QByteArray second = QByteArray("\xFF\xFE", 2) + test::be16(8) + QByteArray("Caf\xE9\0\0", 6);
    bytes.insert(first + 2 + firstLength, second);
    const QString two = folder.write("two.jpg", bytes);
    ASSERT_TRUE(jpeg.ReadInJPEGfile(two)) << jpeg.ErrorMsg().toStdString();
    ASSERT_EQ(jpeg.HowManyComments(), 2);
    EXPECT_EQ(jpeg.Comment(1), QStringLiteral("Premier"));
    EXPECT_EQ(jpeg.Comment(2), QStringLiteral("Café"));
    EXPECT_EQ(jpeg.Comment(3), QString());
    EXPECT_EQ(jpeg.Comment(0), QString());
}

TEST_F(JpegReader, RefusesDamagedCopies) {
    const QString path = convert("b.jpg", {});
    const QByteArray good = folder.read("b.jpg");
    Cls_JPEG jpeg;

    ASSERT_FALSE(jpeg.ReadInJPEGfile(folder.write("extra.jpg", good + 'x')));
    EXPECT_EQ(jpeg.ErrorMsg(), QStringLiteral("JPEG start (SOI-FFD8) or end markers (EOI-FFD9) not valid !"));

    ASSERT_FALSE(jpeg.ReadInJPEGfile(folder.write("cut.jpg", good.left(249))));
    EXPECT_EQ(jpeg.ErrorMsg(), QStringLiteral("JPEG start (SOI-FFD8) or end markers (EOI-FFD9) not valid !"));
    const QString small = folder.write("small.jpg", good.left(3));
    ASSERT_FALSE(jpeg.ReadInJPEGfile(small));
    EXPECT_EQ(jpeg.ErrorMsg(),
              QStringLiteral("To small to be a valid JPEG file:  '") + small + QStringLiteral("' !"));

    ASSERT_FALSE(jpeg.ReadInJPEGfile(folder.path("absent.jpg")));
    EXPECT_EQ(jpeg.ErrorMsg(), QStringLiteral("Not a valid file:  '") + folder.path("absent.jpg") + "' !");
    EXPECT_FALSE(jpeg.ReadInJPEGfile(folder.path(QString())));

    // A segment length pointing past the end, with the end marker kept.
    QByteArray broken = good;
    broken[4] = char(0xFF);
    broken[5] = char(0xF0);
    ASSERT_FALSE(jpeg.ReadInJPEGfile(folder.write("broken.jpg", broken)));
    EXPECT_EQ(jpeg.ErrorMsg(),
              QStringLiteral("[Subscript out of range] in procedure 'ParseFile()' at class 'clsJPEGasm'"));
    EXPECT_EQ(RenvoieInfosFichier(folder.path("broken.jpg"), QStringLiteral("AUTO")), QString());

    // Every truncation that keeps the end marker fails or succeeds without a crash.
    for (qsizetype cut = 250; cut < good.size(); cut += 7) {
        const QByteArray truncated = good.left(cut - 2) + "\xFF\xD9";
        (void)jpeg.ReadInJPEGfile(folder.write("cut.jpg", truncated));
    }
}

// SOI | APP0 | SOFn | SOS | scan data | EOI, padded to the minimum size.
QByteArray handMadeJpeg(char frameMarker, const QByteArray& scanData) {
    QByteArray b("\xFF\xD8", 2);
    b += QByteArray("\xFF\xE0", 2) + test::be16(16) + QByteArray("JFIF\0\x01\x02\x00", 8) + test::be16(1) +
         test::be16(1) + QByteArray("\x00\x00", 2);
    b += QByteArray("\xFF", 1) + frameMarker + test::be16(11) + '\x08' + test::be16(100) + test::be16(200) +
         '\x01' + QByteArray("\x01\x11\x00", 3);
    b += QByteArray("\xFF\xDA", 2) + test::be16(8) + QByteArray("\x01\x01\x00\x00\x3F\x00", 6) + scanData;
    b += QByteArray(300, '\x55');
    return b + QByteArray("\xFF\xD9", 2);
}

TEST(JpegReaderHandMade, SkipsStuffedBytesAndRestartsInTheScan) {
    test::SampleFolder folder;
    Cls_JPEG jpeg;
    const QByteArray scan = QByteArray("\x12\xFF\x00\x34\xFF\xD0\x56\xFF\xD7", 9);
    ASSERT_TRUE(jpeg.ReadInJPEGfile(folder.write("h.jpg", handMadeJpeg('\xC0', scan))));
    EXPECT_TRUE(jpeg.ParsedWithoutProblems());
    EXPECT_EQ(jpeg.XsizePicture(), 200);
    EXPECT_EQ(jpeg.YsizePicture(), 100);
    EXPECT_EQ(jpeg.ColorDepthAsText(), QStringLiteral("Grayscale 8 Bit"));
    EXPECT_EQ(jpeg.JPEGVersion(), QStringLiteral("1.02"));
    EXPECT_EQ(jpeg.Resolution(), QStringLiteral("Aspect ratio width/height = 1 : 1"));
    ASSERT_EQ(jpeg.Segments().size(), 3);
    EXPECT_EQ(jpeg.Segments()[2].marker, QStringLiteral("FFDA"));
    EXPECT_EQ(jpeg.Segments()[2].position + jpeg.Segments()[2].length, jpeg.FileSizeSourceJPEG() - 1);
}

TEST(JpegReaderHandMade, ReadsEveryStartOfFrame) {
    test::SampleFolder folder;
    Cls_JPEG jpeg;
    for (int marker = 0xC0; marker <= 0xCF; ++marker) {
        SCOPED_TRACE(marker);
        const bool frame = marker != 0xC4 && marker != 0xC8 && marker != 0xCC; // DHT, JPG, DAC
        ASSERT_TRUE(jpeg.ReadInJPEGfile(folder.write("a.jpg", handMadeJpeg(char(marker), {}))));
        EXPECT_EQ(jpeg.XsizePicture(), frame ? 200 : 0);
        EXPECT_EQ(jpeg.YsizePicture(), frame ? 100 : 0);
        EXPECT_EQ(jpeg.ColorDepthAsText(), frame ? QStringLiteral("Grayscale 8 Bit") : QString());
    }
}

TEST(JpegReaderHandMade, ReadsTinyFiles) {
    const QByteArray soi("\xFF\xD8", 2);
    const QByteArray eoi("\xFF\xD9", 2);
    const QByteArray sof9 = QByteArray("\xFF\xC9", 2) + test::be16(17) + '\x08' + test::be16(2) +
                            test::be16(3) + '\x03' + QByteArray("\x01\x11\x00\x02\x11\x01\x03\x11\x01", 9);
    const QByteArray comment = QByteArray("\xFF\xFE", 2) + test::be16(3) + 'A';
    const struct {
        QByteArray bytes;
        const char* info;
    } cases[] = {
        {soi + sof9 + eoi, "3 x 2\r\nRGB 24 Bit"},                // 23 bytes
        {soi + comment + sof9 + eoi, "3 x 2\r\nRGB 24 Bit\r\nA"}, // 28 bytes
        {soi + eoi, "0 x 0\r\n"},                                 // a frame-less stream
        {soi + sof9.left(7) + eoi, ""},                           // a frame cut short
    };
    test::SampleFolder folder;
    for (const auto& c : cases)
        EXPECT_EQ(RenvoieInfosFichier(folder.write("t.jpg", c.bytes), QStringLiteral("AUTO")),
                  QString::fromUtf8(c.info))
            << c.bytes.toHex().constData();
}

// Arithmetic coding and tiny files, as libjpeg-turbo's jpegtran writes them,
// against ImageMagick's identify.
//   convert -size 1x1 xc:white -strip t.jpg; jpegtran -arithmetic [-progressive] b.jpg
TEST_F(JpegReader, ReadsArithmeticCodedAndTinyPictures) {
    VELMAR_REQUIRE_TOOL("jpegtran");
    VELMAR_REQUIRE_TOOL("identify");
    convert("b.jpg", {});
    ASSERT_TRUE(test::runTool("convert", {"-size", "1x1", "xc:white", "-strip", "t.jpg"}, folder.path({})));
    const struct {
        const char* name;
        QStringList jpegtran; // empty: the file as convert made it
        const char* source;
        const char* info;
    } cases[] = {
        {"t.jpg", {}, "", "1 x 1\r\nGrayscale 8 Bit"},
        {"ta.jpg", {"-arithmetic"}, "t.jpg", "1 x 1\r\nGrayscale 8 Bit"},
        {"ba.jpg", {"-arithmetic"}, "b.jpg", "160 x 120\r\nRGB 24 Bit"},
        {"bp.jpg", {"-arithmetic", "-progressive"}, "b.jpg", "160 x 120\r\nRGB 24 Bit"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = folder.path(c.name);
        if (!c.jpegtran.isEmpty()) {
            ASSERT_TRUE(test::runTool("jpegtran",
                                      c.jpegtran + QStringList{"-outfile", path, folder.path(c.source)},
                                      folder.path({})));
        }
        const QString info = RenvoieInfosFichier(path, QStringLiteral("AUTO"));
        EXPECT_EQ(info, QString::fromUtf8(c.info));
        EXPECT_EQ(info.section(QStringLiteral("\r\n"), 0, 0),
                  test::toolOutput("identify", {"-format", "%w x %h", path}, folder.path({})));
    }
    EXPECT_LT(QFileInfo(folder.path("ta.jpg")).size(), 250);
}

} // namespace
} // namespace velmar
