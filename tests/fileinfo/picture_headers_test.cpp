// PNG, WebP and HEIF sizes from headers built here, whole and cut short.

#include "fileinfo/picture_headers.h"

#include "sample_files.h"

#include <gtest/gtest.h>

namespace velmar::pictures {
namespace {

QByteArray be32(quint32 value) {
    return test::be16(int(value >> 16)) + test::be16(int(value & 0xFFFF));
}

QByteArray box(const char* type, const QByteArray& payload) {
    return be32(quint32(8 + payload.size())) + type + payload;
}

QByteArray fullBox(const char* type, quint8 version, quint8 flags, const QByteArray& payload) {
    return box(type,
               QByteArray(1, char(version)) + QByteArray(2, '\0') + QByteArray(1, char(flags)) + payload);
}

QByteArray ispe(quint32 width, quint32 height) {
    return fullBox("ispe", 0, 0, be32(width) + be32(height));
}

// A HEIF file whose primary item 2 is a 4000 x 3000 grid of 512 x 512 tiles
// (item 1); the tile's size comes first, as heif-enc writes it.
QByteArray heif(quint8 ipmaVersion, quint8 ipmaFlags) {
    const bool wide = ipmaFlags & 1;
    const auto property = [&](int number) { return wide ? test::be16(number) : QByteArray(1, char(number)); };
    const auto item = [&](int id) { return ipmaVersion < 1 ? test::be16(id) : be32(quint32(id)); };
    const QByteArray ipco = box("ipco", box("hvcC", QByteArray(4, '\0')) + ispe(512, 512) + ispe(4000, 3000));
    const QByteArray ipma = fullBox("ipma", ipmaVersion, ipmaFlags,
                                    be32(2) + item(1) + QByteArray(1, 2) + property(1) + property(2) +
                                        item(2) + QByteArray(1, 1) + property(3));
    const QByteArray meta = fullBox("meta", 0, 0,
                                    fullBox("hdlr", 0, 0, QByteArray(20, '\0')) +
                                        fullBox("pitm", 0, 0, test::be16(2)) + box("iprp", ipco + ipma));
    return box("ftyp", "heic" + be32(0) + "mif1heic") + meta + box("mdat", QByteArray(16, '\0'));
}

QByteArray png(quint32 width, quint32 height) {
    return QByteArray("\x89PNG\r\n\x1a\n", 8) + be32(13) + "IHDR" + be32(width) + be32(height);
}

QByteArray webp(const char* chunk, const QByteArray& data) {
    return "RIFF" + test::le32(quint32(12 + data.size())) + "WEBP" + chunk +
           test::le32(quint32(data.size())) + data;
}

struct Case {
    const char* name;
    QByteArray bytes;
    PictureSize (*reader)(const QByteArray&);
    qint64 width;
    qint64 height;
};

TEST(PictureHeaders, ReadTheSizeAndNothingFromACutHeader) {
    const Case cases[] = {
        {"png", png(640, 480), pngSize, 640, 480},
        // canvas 1023 x 2 stored less one, on 24 bits
        {"webp VP8X", webp("VP8X", QByteArray(4, '\0') + QByteArray("\xfe\x03\x00\x01\x00\x00", 6)), webpSize,
         1023, 2},
        // the 14-bit sizes after the frame tag and start code; the top bits are scaling
        {"webp VP8",
         webp("VP8 ", QByteArray("\0\0\0\x9d\x01\x2a", 6) + test::le16(0xC000 | 320) + test::le16(200)),
         webpSize, 320, 200},
        // width - 1 = 99 and height - 1 = 49 packed in 14 bits each
        {"webp VP8L", webp("VP8L", "\x2f" + test::le32(99 | (49u << 14))), webpSize, 100, 50},
        {"heif", heif(0, 0), heifSize, 4000, 3000},
        {"heif, ipma version 1, wide numbers", heif(1, 1), heifSize, 4000, 3000},
    };
    for (const Case& c : cases) {
        const PictureSize size = c.reader(c.bytes);
        EXPECT_EQ(size.width, c.width) << c.name;
        EXPECT_EQ(size.height, c.height) << c.name;
        // Cut anywhere before the size (for HEIF, before the metadata box
        // ends), the size is unknown.
        const qint64 needed = c.reader == heifSize ? heifHeaderLength(c.bytes) : c.bytes.size();
        for (qint64 length = 0; length < needed; ++length)
            EXPECT_FALSE(c.reader(c.bytes.left(length)).isKnown()) << c.name << " cut at " << length;
    }
}

TEST(PictureHeaders, TellHowMuchOfAHeifFileHoldsItsMetadata) {
    const QByteArray file = heif(0, 0);
    const qint64 length = heifHeaderLength(file.left(64));
    EXPECT_EQ(file.mid(length, 8).mid(4), QByteArray("mdat"));
    EXPECT_EQ(heifHeaderLength(png(1, 1)), 0);
    EXPECT_EQ(heifHeaderLength(file.left(30)), 0); // ftyp whole, meta's header cut
}

TEST(PictureHeaders, RefuseOtherSignaturesAndAnUnknownPrimaryItem) {
    QByteArray notPng = png(640, 480);
    notPng[1] = 'J';
    EXPECT_FALSE(pngSize(notPng).isKnown());
    EXPECT_FALSE(webpSize(webp("VP8Z", QByteArray(10, '\x10'))).isKnown());
    QByteArray otherPrimary = heif(0, 0);
    const qsizetype pitm = otherPrimary.indexOf("pitm");
    otherPrimary[pitm + 9] = 7; // no item 7 in ipma
    EXPECT_FALSE(heifSize(otherPrimary).isKnown());
}

} // namespace
} // namespace velmar::pictures
