#include "explore/file_record.h"
#include "explore/wildcard.h"

#include <gtest/gtest.h>

using namespace velmar;

TEST(FileRecord, LayoutOfASmallFileIsTheClassicOne) {
    FileRecord r{"photo.JPG",          "photo", "/media/cd/Docs/", "JPG", 123456, "05/03/2004 09:07:00",
                 "01/01/2004 00:00:00"};
    QByteArray bytes;
    ASSERT_TRUE(r.encode(bytes));
    ASSERT_EQ(bytes.size(), 968);
    EXPECT_EQ(bytes.mid(0, 2), QByteArray(2, '\0'));
    EXPECT_EQ(bytes.mid(2, 9), "photo.JPG");
    EXPECT_EQ(bytes.at(11), '\0');
    EXPECT_EQ(bytes.mid(802, 3), "JPG");
    EXPECT_EQ(bytes.mid(812, 4), QByteArray("\x40\xE2\x01\x00", 4));
    EXPECT_EQ(bytes.mid(856, 10), QByteArray(10, '\0')) << "below 4 GiB spare10 stays empty";
    EXPECT_EQ(bytes.mid(866, 100), QByteArray(100, ' '));
    FileRecord back;
    ASSERT_TRUE(FileRecord::decode(bytes, back));
    EXPECT_EQ(back.nameFull, r.nameFull);
    EXPECT_EQ(back.dirPath, r.dirPath);
    EXPECT_EQ(back.size, r.size);
    EXPECT_EQ(back.modified, r.modified);
}

TEST(FileRecord, LargeSizesCarryTheirHighBitsInSpare10) {
    for (qint64 size : {qint64(0x7FFFFFFF), qint64(0x80000000), 3LL << 30, (5LL << 32) + 7}) {
        FileRecord r{"big.iso", "big", "/", "ISO", size, "", ""};
        QByteArray bytes;
        ASSERT_TRUE(r.encode(bytes));
        FileRecord back;
        ASSERT_TRUE(FileRecord::decode(bytes, back));
        EXPECT_EQ(back.size, size);
    }
    FileRecord back;
    EXPECT_FALSE(FileRecord::decode(QByteArray(967, '\0'), back));
}

TEST(FileRecord, TextsTooLongForTheirFieldsDoNotFit) {
    // A record buffer reused after a longer record keeps none of its bytes.
    QByteArray bytes;
    FileRecord r{QString(200, 'a'), QString(200, 'a'), QString(400, 'd'), "", 0, "", ""};
    EXPECT_TRUE(r.encode(bytes));
    r.nameFull = QString(201, 'a');
    EXPECT_FALSE(r.encode(bytes));
    r.nameFull = QString(100, QChar(0x00E9)); // 200 bytes in UTF-8
    EXPECT_TRUE(r.encode(bytes));
    r.nameFull += QChar(0x00E9);
    EXPECT_FALSE(r.encode(bytes));
    r = FileRecord{"a", "a", "/", "", 0, "", ""};
    ASSERT_TRUE(r.encode(bytes));
    FileRecord back;
    ASSERT_TRUE(FileRecord::decode(bytes, back));
    EXPECT_EQ(back.nameStem, "a");
    EXPECT_EQ(back.dirPath, "/");
}

TEST(FileRecord, ExtensionAndStem) {
    const struct {
        const char* name;
        const char* extension;
        const char* stem;
    } cases[] = {
        {"archive.tar.gz", "GZ", "archive.tar"}, {"README", "", "README"},  {"photo.jpeg", "JPEG", "photo"},
        {"\"quoted.txt\"", "TXT", "quoted"},     {".bashrc", "BASHRC", ""}, {"end.", "", "end."},
    };
    for (const auto& c : cases) {
        const QString ext = recordExtension(c.name);
        EXPECT_EQ(ext, c.extension) << c.name;
        EXPECT_EQ(recordStem(c.name, ext), c.stem) << c.name;
    }
}

TEST(Wildcard, ExtensionPatterns) {
    const struct {
        const char* text;
        const char* pattern;
        bool matches;
    } cases[] = {
        {"BAK", "BA?", true},   {"BAK", "B*", true},  {"BAK", "?AK", true}, {"BAKX", "BAK", false},
        {"bak", "BAK", true},   {"TMP", "~*", false}, {"~1", "~*", true},   {"BA", "BA?", false},
        {"BAKX", "B?K", false}, {"", "*", false},     {"ABC", "*C", true},  {"ABC", "A*", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(wildcardMatches(c.text, c.pattern), c.matches) << c.text << " ~ " << c.pattern;
}
