// ID3v2 tags of versions 2.2 to 2.4: files tagged by eyeD3 and mid3v2 (each
// checked against mid3v2's own listing), and hand-built tags for what no tool
// writes (version 2.2, extended headers, unsynchronisation, frame flags).
//   mid3v2 -t T -a A -A B -T 3/12 f.mp3                      (2.4, UTF-8)
//   eyeD3 --to-v2.3 --encoding utf16 -t T -n 5 -N 9 f.mp3     (2.3, UTF-16 with BOM)
//   eyeD3 --encoding utf16-be -t T f.mp3                      (2.4, UTF-16BE)

#include "fileinfo/id3v2_text.h"
#include "fileinfo/mp3_tags.h"

#include "fileinfo/file_infos.h"
#include "sample_files.h"

#include <QFileInfo>

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

// The value of `frame` in mid3v2's listing ("TIT2=Titre").
QString listed(const QString& listing, const QString& frame) {
    for (const QString& line : listing.split(QLatin1Char('\n')))
        if (line.startsWith(frame + QLatin1Char('=')))
            return line.mid(frame.size() + 1);
    return {};
}

struct ToolCase {
    const char* tool;
    QStringList options;
    const char* info; // the information text
};

TEST(Id3v2ByTools, ReadsEveryVersionAndEncodingAsTheToolsListThem) {
    VELMAR_REQUIRE_TOOL("mid3v2");
    VELMAR_REQUIRE_TOOL("eyeD3");
    const ToolCase cases[] = {
        {"mid3v2",
         {"-t", "Été à Paris", "-a", "Zoé Ünal", "-A", "Œuvres complètes", "-T", "3/12"},
         "Été à Paris\r\nZoé Ünal\r\nAlbum : Œuvres complètes\r\nPiste : 3"},
        {"eyeD3",
         {"-Q", "--to-v2.3", "--encoding", "utf16", "-t", "Ça va ♫", "-a", "Zoé", "-A", "Été", "-n", "5",
          "-N", "9"},
         "Ça va ♫\r\nZoé\r\nAlbum : Été\r\nPiste : 5"},
        {"eyeD3",
         {"-Q", "--encoding", "utf16", "-t", "Petit-boutiste", "-a", "Noël", "-n", "2"},
         "Petit-boutiste\r\nNoël\r\nPiste : 2"},
        {"eyeD3",
         {"-Q", "--encoding", "utf16-be", "-t", "Gros-boutiste ♫", "-a", "Zoé", "-n", "11", "-N", "12"},
         "Gros-boutiste ♫\r\nZoé\r\nPiste : 11"},
    };
    test::SampleFolder folder;
    int index = 0;
    for (const ToolCase& c : cases) {
        SCOPED_TRACE(c.options.join(' ').toStdString());
        const QString path = folder.write(QStringLiteral("t%1.mp3").arg(++index), test::mpegFrames(20));
        ASSERT_TRUE(
            test::runTool(QString::fromLatin1(c.tool), c.options + QStringList{path}, folder.path({})));
        EXPECT_EQ(RenvoieInfosFichier(path, QStringLiteral("AUTO")), QString::fromUtf8(c.info));
        const QString listing = test::toolOutput(QStringLiteral("mid3v2"), {"-l", path}, folder.path({}));
        const Tags t = tagsOf(path);
        EXPECT_EQ(t.title, listed(listing, "TIT2"));
        EXPECT_EQ(t.artist, listed(listing, "TPE1"));
        EXPECT_EQ(t.track, listed(listing, "TRCK").section(QLatin1Char('/'), 0, 0).toInt());
    }
}

TEST(Id3v2ByTools, ReadsATagHoldingALargePicture) {
    VELMAR_REQUIRE_TOOL("mid3v2");
    VELMAR_REQUIRE_TOOL("convert");
    test::SampleFolder folder;
    ASSERT_TRUE(test::runTool("convert", {"-size", "300x300", "plasma:", "cover.png"}, folder.path({})));
    const QString path = folder.write("p.mp3", test::mpegFrames(20));
    ASSERT_TRUE(test::runTool("mid3v2", {"-p", folder.path("cover.png"), "-t", "Après l'image", path},
                              folder.path({})));
    ASSERT_GT(QFileInfo(path).size(), 70000); // a frame size that needs more than 16 bits
    EXPECT_EQ(tagsOf(path).title, QStringLiteral("Après l'image"));
}

TEST(Id3v2Text, DecodesEachEncoding) {
    const struct {
        quint8 encoding;
        QByteArray bytes;
        QString text;
    } cases[] = {
        {0, "Caf\xE9 \x80", QStringLiteral("Café €")},
        {1,
         QByteArray("\xFF\xFE"
                    "C\0a\0f\0\xE9\0",
                    10),
         QStringLiteral("Café")},
        {1, QByteArray("\xFE\xFF\0C\0a", 6), QStringLiteral("Ca")},
        {1, QByteArray("C\0a\0", 4), QStringLiteral("Ca")}, // no byte order mark: little-endian
        {1,
         QByteArray("\xFF\xFE"
                    "A\0\0\0\xFE\xFF\0B",
                    10),
         QString::fromUtf16(u"A\0B", 3)},
        {1, QByteArray("\xFF\xFE\x3C\xD8\xB5\xDF", 6), QString::fromUtf8("\xF0\x9F\x8E\xB5")},
        {1,
         QByteArray("\xFF\xFE"
                    "A\0B",
                    5),
         QStringLiteral("A")}, // an odd byte is dropped
        {2, QByteArray("\0C\0a", 4), QStringLiteral("Ca")},
        {3, "Caf\xC3\xA9", QStringLiteral("Café")},
        {9, "Caf\xE9", QStringLiteral("Café")},
    };
    for (const auto& c : cases)
        EXPECT_EQ(id3v2Text(c.encoding, c.bytes), c.text) << int(c.encoding) << " " << c.bytes.toHex().data();
}

// Hand-built tags.

QByteArray syncsafe(quint32 value) {
    QByteArray b;
    for (int shift : {21, 14, 7, 0})
        b.append(char((value >> shift) & 0x7F));
    return b;
}

QByteArray unsynchronised(const QByteArray& bytes) {
    QByteArray out;
    for (const char c : bytes) {
        out.append(c);
        if (c == '\xFF')
            out.append('\0');
    }
    return out;
}

// A 2.3 or 2.4 frame; `content` starts with the encoding byte.
QByteArray frame(int major, const QByteArray& id, const QByteArray& content, char flags = 0) {
    const auto size = quint32(content.size());
    return id + (major == 4 ? syncsafe(size) : test::be32(size)) + '\0' + flags + content;
}

QByteArray v22Frame(const QByteArray& id, const QByteArray& content) {
    const auto size = quint32(content.size());
    return id + char(size >> 16) + test::be16(int(size & 0xFFFF)) + content;
}

QByteArray tag(int major, char flags, const QByteArray& body) {
    const QByteArray padded = body + QByteArray(32, '\0');
    return "ID3" + QByteArray(1, char(major)) + '\0' + flags + syncsafe(quint32(padded.size())) + padded;
}

// Text in encoding 0.
QByteArray latin1(const QByteArray& text) {
    return QByteArray(1, '\0') + text;
}

const QByteArray kUtf16Ete("\x01\xFF\xFE\xC9\0t\0\xE9\0", 9); // "Été", encoding 1

QString summaryOf(const QByteArray& bytes) {
    test::SampleFolder folder;
    return RenvoieInfosFichier(folder.write("h.mp3", bytes), QStringLiteral("AUTO"));
}

TEST(Id3v2HandMade, ReadsWhatNoToolWrites) {
    const QByteArray v24Frames = frame(4, "TIT2", kUtf16Ete) + frame(4, "TRCK",
                                                                     "\x03"
                                                                     "4/10");
    // 2.4 extended header: size 12 (with itself), one flag byte, CRC flag, a
    // 5-byte CRC that looks like a frame id to a reader that does not skip it.
    const QByteArray extended24 = syncsafe(12) +
                                  "\x01\x20"
                                  "TIT2\x7F" +
                                  QByteArray(1, '\0');
    // 2.3 extended header: size 6 (without itself), flags, padding size.
    const QByteArray extended23 = test::be32(6) + QByteArray(6, '\0');
    const QByteArray dataLength = syncsafe(quint32(kUtf16Ete.size()));
    const struct {
        const char* name;
        QByteArray bytes;
        const char* info;
    } cases[] = {
        {"2.2",
         tag(2, 0,
             v22Frame("TT2", latin1("Vieux titre")) + v22Frame("TP1", latin1("Artiste")) +
                 v22Frame("TAL", latin1("Album")) + v22Frame("TRK", latin1("06/12"))),
         "Vieux titre\r\nArtiste\r\nAlbum : Album\r\nPiste : 6"},
        {"2.2 compressed: the v1 tag instead",
         tag(2, 0x40, v22Frame("TT2", latin1("Illisible"))) + test::mpegFrames(1) +
             test::id3v1("Titre v1", "", "", 2, 0),
         "Titre v1\r\nPiste : 2"},
        {"2.4 extended header", tag(4, 0x40, extended24 + v24Frames), "Été\r\nPiste : 4"},
        {"2.3 extended header", tag(3, 0x40, extended23 + frame(3, "TIT2", kUtf16Ete)), "Été"},
        {"2.3 whole tag unsynchronised", tag(3, char(0x80), unsynchronised(frame(3, "TIT2", kUtf16Ete))),
         "Été"},
        {"2.4 frame unsynchronised",
         tag(4, 0, frame(4, "TIT2", unsynchronised(kUtf16Ete), 0x02) + frame(4, "TPE1", "\x03Zo\xC3\xA9")),
         "Été\r\nZoé"},
        {"2.4 tag unsynchronised", tag(4, char(0x80), frame(4, "TIT2", unsynchronised(kUtf16Ete))), "Été"},
        {"2.4 grouped, with data length",
         tag(4, 0, frame(4, "TIT2", "\x07" + dataLength + unsynchronised(kUtf16Ete), 0x43)), "Été"},
        {"2.4 compressed and encrypted frames left out",
         tag(4, 0,
             frame(4, "TIT2", "\x03Comprim\xC3\xA9", 0x08) +
                 frame(4, "TPE1",
                       "\x03"
                       "Chiffr\xC3\xA9",
                       0x04) +
                 frame(4, "TALB",
                       "\x03"
                       "Lisible")),
         "\r\nAlbum : Lisible"},
        {"2.3 frame larger than 16 bits",
         tag(3, 0, frame(3, "APIC", QByteArray(70000, '\x55')) + frame(3, "TIT2", latin1("Apr\xE8s"))),
         "Après"},
        {"2.4 frame with a plain 32-bit size",
         tag(4, 0,
             "APIC" + test::be32(200) + QByteArray(2, '\0') + QByteArray(200, 'x') +
                 frame(4, "TIT2", "\x03Plain")),
         "Plain"},
        {"2.4 frame past the tag's end",
         tag(4, 0, frame(4, "TIT2", "\x03Vu") + "TPE1" + syncsafe(1000) + QByteArray("\0\0\x03Non", 6)),
         "Vu"},
        {"2.5: the v1 tag instead",
         tag(5, 0, frame(4, "TIT2", "\x03Futur")) + test::id3v1("Ancien", "", "", 0, 0), "Ancien"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(summaryOf(c.bytes), QString::fromUtf8(c.info)) << c.name;
}

TEST(Id3v2HandMade, KeepsTheCommentShape) {
    test::SampleFolder folder;
    const QByteArray comment = QByteArray("\x01"
                                          "fra\xFF\xFE"
                                          "d\0\0\0\xFF\xFE"
                                          "T\0x\0",
                                          16);
    const Tags t = tagsOf(folder.write("c.mp3", tag(4, 0, frame(4, "COMM", comment)) + test::mpegFrames(1)));
    EXPECT_EQ(t.comment, QString::fromUtf16(u"frad\0Tx", 7));
}

TEST(Id3v2HandMade, FallsBackToVersion1WhenTheTagShowsNothing) {
    const QByteArray onlyPrivate = tag(3, 0, frame(3, "PRIV", "owner\0data"));
    EXPECT_EQ(summaryOf(onlyPrivate + test::id3v1("Titre v1", "Artiste v1", "", 0, 0)),
              QStringLiteral("Titre v1\r\nArtiste v1"));
}

TEST(Id3v2HandMade, SurvivesEveryCut) {
    test::SampleFolder folder;
    const QByteArray full = tag(4, 0x40,
                                syncsafe(6) + "\x01\0" + frame(4, "TIT2", unsynchronised(kUtf16Ete), 0x02) +
                                    frame(4, "TRCK",
                                          "\x01\xFF\xFE"
                                          "9\0",
                                          0));
    for (qsizetype cut = 0; cut <= full.size(); ++cut)
        EXPECT_LT(tagsOf(folder.write("cut.mp3", full.left(cut))).track, 100);
}

} // namespace
} // namespace velmar
