// Photo information texts over pictures made by ImageMagick (and heif-enc),
// tagged by exiftool, each compared with exiv2's own listing:
//   convert -size 64x48 xc:red p.png; heif-enc -o p.heic p.png
//   exiftool -DateTimeOriginal="2023:05:01 14:03:22" -Make=Canon -Model="Canon EOS 5D" -Orientation#=6 p.png
//   exiv2 -Pkv -K Exif.Photo.DateTimeOriginal -K Exif.Image.Make -K Exif.Image.Model -K
//   Exif.Image.Orientation p.png

#include "fileinfo/file_infos.h"
#include "fileinfo/photo_details.h"

#include "sample_files.h"

#include <QDateTime>
#include <QFile>
#include <QMap>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace velmar {
namespace {

QString autoInfo(const QString& path) {
    return RenvoieInfosFichier(path, QStringLiteral("AUTO"));
}

const QStringList kOrientationTexts = {
    "normale",
    "miroir horizontal",
    "rotation de 180°",
    "miroir vertical",
    "miroir horizontal, rotation de 90° à gauche",
    "rotation de 90° à droite",
    "miroir horizontal, rotation de 90° à droite",
    "rotation de 90° à gauche",
};

// The EXIF values exiv2 itself lists for the file, keyed by tag.
QMap<QString, QString> exiv2Values(const test::SampleFolder& folder, const QString& name) {
    const QString listing =
        test::toolOutput("exiv2",
                         {"-Pkv", "-K", "Exif.Photo.DateTimeOriginal", "-K", "Exif.Image.Make", "-K",
                          "Exif.Image.Model", "-K", "Exif.Image.Orientation", name},
                         folder.path(QString()));
    QMap<QString, QString> values;
    for (const QString& line : listing.split(QLatin1Char('\n'), Qt::SkipEmptyParts)) {
        const qsizetype blank = line.indexOf(QLatin1Char(' '));
        values.insert(line.left(blank), line.mid(blank).trimmed());
    }
    return values;
}

// The lines our text should end with, built from exiv2's listing.
QString expectedLines(const QMap<QString, QString>& exif) {
    const QDateTime taken = QDateTime::fromString(exif.value("Exif.Photo.DateTimeOriginal"),
                                                  QStringLiteral("yyyy:MM:dd HH:mm:ss"));
    return QStringLiteral("Prise de vue : ") + taken.toString(QStringLiteral("dd/MM/yyyy HH:mm:ss")) +
           QStringLiteral("\r\nMarque : ") + exif.value("Exif.Image.Make") + QStringLiteral("\r\nModèle : ") +
           exif.value("Exif.Image.Model") + QStringLiteral("\r\nOrientation : ") +
           kOrientationTexts.value(exif.value("Exif.Image.Orientation").toInt() - 1);
}

class PhotoProbes : public ::testing::Test {
protected:
    void SetUp() override {
        VELMAR_REQUIRE_TOOL("convert");
        VELMAR_REQUIRE_TOOL("exiftool");
        VELMAR_REQUIRE_TOOL("exiv2");
    }

    QString make(const QString& name) {
        EXPECT_TRUE(test::runTool("convert", {"-size", "64x48", "xc:red", name}, folder.path(QString())));
        return folder.path(name);
    }

    void tag(const QString& name, int orientation) {
        EXPECT_TRUE(test::runTool("exiftool",
                                  {"-q", "-q", "-overwrite_original", "-DateTimeOriginal=2023:05:01 14:03:22",
                                   "-Make=Canon", "-Model=Canon EOS 5D",
                                   QStringLiteral("-Orientation#=%1").arg(orientation), name},
                                  folder.path(QString())));
    }

    test::SampleFolder folder;
};

TEST_F(PhotoProbes, GiveSizeThenWhatExiv2ListsForEachFormat) {
    // TIFF also stands for the TIFF-based camera raw files (DNG, NEF, CR2...).
    const QList<QPair<QString, int>> pictures = {
        {"p.png", 1}, {"p.webp", 3}, {"p.tif", 5}, {"p.dng", 7}, {"p.nef", 2}};
    for (const auto& [name, orientation] : pictures) {
        make(name.endsWith(".png") || name.endsWith(".webp") ? name : QStringLiteral("TIFF:") + name);
        tag(name, orientation);
        const QString size = test::toolOutput("exiv2", {"-ps", name}, folder.path(QString()))
                                 .section(QStringLiteral("Image size      : "), 1)
                                 .section(QLatin1Char('\n'), 0, 0);
        EXPECT_EQ(size, QStringLiteral("64 x 48")) << name.toStdString();
        EXPECT_EQ(autoInfo(folder.path(name)),
                  size + QStringLiteral("\r\n") + expectedLines(exiv2Values(folder, name)))
            << name.toStdString();
    }
}

TEST_F(PhotoProbes, AddTheExifLinesAfterTheJpegSummary) {
    const QString path = make("p.jpg");
    const QString summary = autoInfo(path);
    ASSERT_EQ(summary, QStringLiteral("64 x 48\r\nRGB 24 Bit"));
    tag("p.jpg", 8);
    EXPECT_EQ(autoInfo(path), summary + QStringLiteral("\r\n") + expectedLines(exiv2Values(folder, "p.jpg")));
}

// exiv2 0.27 gives a HEIF picture the size of its first tile; the primary
// item's size is the one heif-info lists.
TEST_F(PhotoProbes, TakeAHeifSizeFromThePrimaryItem) {
    VELMAR_REQUIRE_TOOL("heif-enc");
    VELMAR_REQUIRE_TOOL("heif-info");
    make("p.png");
    ASSERT_TRUE(test::runTool("heif-enc", {"-o", "p.heic", "p.png"}, folder.path(QString())));
    const QRegularExpression primary(QStringLiteral("image: (\\d+)x(\\d+) .*primary"));
    const auto match = primary.match(test::toolOutput("heif-info", {"p.heic"}, folder.path(QString())));
    ASSERT_TRUE(match.hasMatch());
    EXPECT_EQ(autoInfo(folder.path("p.heic")), match.captured(1) + QStringLiteral(" x ") + match.captured(2));
}

TEST_F(PhotoProbes, KeepTheHeaderSizeOfAPictureExiv2Refuses) {
    make("p.png");
    QByteArray png = folder.read("p.png");
    // Cut inside the first chunk after the header: exiv2 throws on it.
    png.truncate(40);
    EXPECT_EQ(autoInfo(folder.write("cut.png", png)), QStringLiteral("64 x 48"));
    EXPECT_TRUE(photos::readPhotoDetails(png.constData(), png.size()).make.isEmpty());
}

TEST(PhotoProbesWithoutTools, GiveNothingForFilesNoLibraryReads) {
    test::SampleFolder folder;
    const QByteArray noise = QByteArray("II*\0\x08\0\0\0\xff\xff", 10) + QByteArray(300, '\x7f');
    for (const char* name : {"n.tif", "n.cr2", "n.nef", "n.heic", "n.webp", "n.png", "n.dng", "empty.arw"}) {
        const QByteArray content = QByteArray(name).startsWith("empty") ? QByteArray() : noise;
        EXPECT_EQ(autoInfo(folder.write(name, content)), QString()) << name;
    }
}

} // namespace
} // namespace velmar
