// MP3 tags: files tagged by id3v2 over a body of MPEG frames built byte by
// byte, and hand-built tags for the corner cases.
//   id3v2 -1 -t Titre -a Artiste -A Album -T 7 -g 17 f.mp3   (version 1 only)
//   id3v2 -2 -t Titre -a Artiste -A Album -T 3/12 f.mp3      (version 2.3 only)

#include "fileinfo/mp3_tags.h"

#include "fileinfo/file_infos.h"
#include "sample_files.h"

#include <gtest/gtest.h>

namespace velmar {
namespace {

struct Tags {
    QString title, artist, album, comment, genre, genreName;
    int track = -1;
};

Tags tagsOf(const QString& path) {
    Tags t;
    LitTagsMP3(path, t.title, t.artist, t.album, t.comment, t.genre, t.genreName, t.track);
    return t;
}

class TaggedByTool : public ::testing::Test {
protected:
    void SetUp() override { VELMAR_REQUIRE_TOOL("id3v2"); }

    QString tagged(const QString& name, const QStringList& options) {
        const QString path = folder.write(name, test::mpegFrames(20));
        EXPECT_TRUE(
            test::runTool(QStringLiteral("id3v2"), options + QStringList{path}, folder.path(QString())));
        return path;
    }

    test::SampleFolder folder;
};

TEST_F(TaggedByTool, ReadsAVersion1Tag) {
    const QString path = tagged("v1.mp3", {"-1", "-t", "Titre un", "-a", "Artiste", "-A", "Album", "-T", "7",
                                           "-g", "17", "-c", "Remarque"});
    const Tags t = tagsOf(path);
    EXPECT_EQ(t.title, QStringLiteral("Titre un"));
    EXPECT_EQ(t.artist, QStringLiteral("Artiste"));
    EXPECT_EQ(t.album, QStringLiteral("Album"));
    EXPECT_EQ(t.comment, QStringLiteral("Remarque"));
    EXPECT_EQ(t.track, 7);
    EXPECT_EQ(t.genre, QStringLiteral("ID3-17"));
    EXPECT_EQ(t.genreName, QString());
    EXPECT_EQ(RenvoieInfosFichier(path, QStringLiteral("AUTO")),
              QStringLiteral("Titre un\r\nArtiste\r\nAlbum : Album\r\nPiste : 7"));
}

TEST_F(TaggedByTool, ReadsAVersion23Tag) {
    const QString path = tagged(
        "v23.mp3", {"-2", "-t", "Titre deux", "-a", "Artiste 2", "-A", "Album 2", "-T", "3/12", "-g", "17"});
    const Tags t = tagsOf(path);
    EXPECT_EQ(t.title, QStringLiteral("Titre deux"));
    EXPECT_EQ(t.artist, QStringLiteral("Artiste 2"));
    EXPECT_EQ(t.album, QStringLiteral("Album 2"));
    EXPECT_EQ(t.track, 3);
    EXPECT_EQ(t.genre, QStringLiteral("ID3-17"));
}

TEST_F(TaggedByTool, PrefersAVersion24TagToTheVersion1Tag) {
    const QString path = tagged("v24.mp3", {"-1", "-t", "Titre v1", "-a", "Artiste v1", "-T", "4"});
    QByteArray bytes = folder.read("v24.mp3");
    bytes.prepend(test::id3v2({{"TIT2", "Titre v2.4"}, {"TPE1", "Artiste v2.4"}}, 4));
    folder.write("v24.mp3", bytes);
    const Tags t = tagsOf(path);
    EXPECT_EQ(t.title, QStringLiteral("Titre v2.4"));
    EXPECT_EQ(t.artist, QStringLiteral("Artiste v2.4"));
    EXPECT_EQ(t.track, 0);
}

QString written(const test::SampleFolder& folder, const QByteArray& bytes) {
    return folder.write("f.mp3", bytes);
}

TEST(Mp3Version1, AppliesTheFieldRules) {
    test::SampleFolder folder;
    const QByteArray body = test::mpegFrames(2);
    Tags t = tagsOf(written(folder, body + test::id3v1(QByteArray(30, ' '), "Artiste", "", 120, 3, ' ')));
    EXPECT_EQ(t.title, QString());
    EXPECT_EQ(t.artist, QStringLiteral("Artiste"));
    EXPECT_EQ(t.track, 0);
    EXPECT_EQ(t.genre, QStringLiteral("ID3-3"));
    // Trailing blanks go before the CR is removed, so a blank before a CR stays.
    t = tagsOf(written(folder, body + test::id3v1("Mot", "Fin \r", "", 0, 0, ' ')));
    EXPECT_EQ(t.title, QStringLiteral("Mot"));
    EXPECT_EQ(t.artist, QStringLiteral("Fin "));

    t = tagsOf(written(folder, body + test::id3v1("Mot", "Caf\xE9 ", "A\rB", 99, 255)));
    EXPECT_EQ(t.title, QStringLiteral("Mot"));
    EXPECT_EQ(t.artist, QStringLiteral("Café")); // trailing NULs and blanks removed
    EXPECT_EQ(t.album, QStringLiteral("AB"));
    EXPECT_EQ(t.track, 99);
    EXPECT_EQ(t.genre, QStringLiteral("ID3-255"));

    t = tagsOf(written(folder, QByteArray("TAG") + QByteArray(50, 'x')));
    EXPECT_EQ(t.title, QString());
    EXPECT_EQ(t.track, 0);
    t = tagsOf(written(folder, body));
    EXPECT_EQ(t.title, QString());
    EXPECT_EQ(t.genre, QString());
    EXPECT_EQ(tagsOf(folder.path("absent.mp3")).track, 0);
}

TEST(Mp3Version23, WalksFramesByTheirLowSizeBytes) {
    test::SampleFolder folder;
    const QByteArray tag = test::id3v2({{"TIT2", "Premier titre"},
                                        {"TXXX", "ignore"},
                                        {"TIT2", QByteArray("Titre final \0\0", 14)},
                                        {"TRCK", "07/10"},
                                        {"TCON", "(17)Rock"},
                                        {"COMM", QByteArray("fra\0Texte", 9)},
                                        {"TALB", "Album\rsans CR"}});
    const Tags t = tagsOf(written(folder, tag + test::mpegFrames(3)));
    EXPECT_EQ(t.title, QStringLiteral("Titre final"));
    EXPECT_EQ(t.track, 7);
    EXPECT_EQ(t.genre, QStringLiteral("ID3-17"));
    EXPECT_EQ(t.comment, QString::fromLatin1("fra\0Texte", 9));
    EXPECT_EQ(t.album, QStringLiteral("Albumsans CR"));
    EXPECT_EQ(t.artist, QString());

    const Tags named = tagsOf(written(folder, test::id3v2({{"TCON", "Jazz"}, {"TRCK", "250"}})));
    EXPECT_EQ(named.genre, QStringLiteral("Jazz"));
    EXPECT_EQ(named.track, 0);
}

TEST(Mp3Version23, SurvivesTruncatedAndOversizedFrames) {
    test::SampleFolder folder;
    const QByteArray tag = test::id3v2({{"TIT2", "Titre"}, {"TPE1", "Artiste"}});
    for (qsizetype cut = 0; cut <= tag.size(); ++cut)
        (void)tagsOf(written(folder, tag.left(cut)));
    QByteArray huge = tag;
    huge[10 + 6] = char(0x7F); // frame size 0x7Fxx: past the end of the file
    EXPECT_EQ(tagsOf(written(folder, huge)).artist, QString());
    QByteArray negative = tag;
    negative[10 + 6] = char(0x80); // a negative 16-bit size ends the walk at once
    EXPECT_EQ(tagsOf(written(folder, negative)).title, QString());
}

TEST(Mp3Summary, StartsWithABreakWhenOnlyTheArtistIsKnown) {
    test::SampleFolder folder;
    const QString path = written(folder, test::mpegFrames(2) + test::id3v1("", "Artiste", "", 0, 0));
    EXPECT_EQ(RenvoieInfosFichier(path, QStringLiteral("AUTO")), QStringLiteral("\r\nArtiste"));
}

} // namespace
} // namespace velmar
