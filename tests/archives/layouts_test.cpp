// Tar, gzip, cabinet, ZIP and LZH edge cases built byte by byte, where the
// tools cannot be told to write them (exact field values, reserve areas,
// chained cabinets, headers cut short).

#include "app/crc32.h"
#include "archives/archive_dispatcher.h"
#include "archives/archive_listing.h"
#include "archives/dos_datetime.h"
#include "support/byte_strings.h"

#include <gtest/gtest.h>

using namespace velmar::archives;
using velmar::test::put16;
using velmar::test::put32;

namespace {

struct Loaded {
    Cls_GetFileType d;
    qint16 status = 0;
    Loaded(const QByteArray& bytes, const QString& name) {
        MemorySource s(bytes.constData(), bytes.size());
        status = d.Get_Contents(name, s);
    }
};

QByteArray tarHeader(const QByteArray& name, const QByteArray& sizeField) {
    QByteArray h(512, '\0');
    h.replace(0, name.size(), name);
    h.replace(124, sizeField.size(), sizeField);
    h.replace(136, 11, "14735242052"); // 2025-01-01 13:33:30
    return h;
}

QByteArray tarMember(const QByteArray& name, int size) {
    const QByteArray octal = QByteArray::number(size, 8).rightJustified(11, '0');
    return tarHeader(name, octal) + QByteArray((size + 511) / 512 * 512, 'd');
}

QByteArray lzhHeader(const QByteArray& method, const QByteArray& name, const QByteArray& data) {
    QByteArray h;
    h.append(char(22 + name.size())).append(char(0));
    h += "-" + method + "-";
    put32(h, data.size());
    put32(h, data.size() * 3);
    put32(h, (0x5A21u << 16) | 0x6C2Fu);
    h.append(char(0x20)).append(char(0));
    h.append(char(name.size()));
    h += name;
    put16(h, 0x8001);
    return h + data;
}

QByteArray cabinet(quint16 flags, const QByteArray& optional, int folders, int folderReserve) {
    QByteArray files;
    for (const char* name : {"one.txt", "two.txt"}) {
        put32(files, 100);
        put32(files, 0);
        put16(files, 0);
        put16(files, 0x5A21);
        put16(files, 0x6C2F);
        put16(files, 0x20);
        files += QByteArray(name) + '\0';
    }
    QByteArray folderTable;
    for (int i = 0; i < folders; ++i) {
        put32(folderTable, 0);
        put16(folderTable, 1);
        put16(folderTable, i == 0 ? 3 : 1); // LZX first, then MSZIP
        folderTable += QByteArray(folderReserve, 'r');
    }
    const quint32 firstFile = 36 + optional.size() + folderTable.size();
    QByteArray h("MSCF", 4);
    put32(h, 0);
    put32(h, firstFile + files.size());
    put32(h, 0);
    put32(h, firstFile);
    put32(h, 0);
    h.append(char(3)).append(char(1));
    put16(h, folders);
    put16(h, 2);
    put16(h, flags);
    put16(h, 0);
    put16(h, 0);
    return h + optional + folderTable + files;
}

QByteArray gzipFile(quint8 flags, const QByteArray& optional, int dataSize, quint32 size) {
    QByteArray b("\x1f\x8b\x08", 3);
    b.append(char(flags));
    put32(b, 1735738410);
    b.append(char(0)).append(char(3));
    b += optional + QByteArray(dataSize, 'z');
    put32(b, 0xCAFEBABE);
    put32(b, size);
    return b;
}

} // namespace

TEST(TarLayout, SizesNamesAndGrowth) {
    QByteArray tar = tarMember("ten", 10) + tarMember("six hundred", 600) + tarMember("kilo", 1024);
    tar += tarHeader(QByteArray(100, 'n'), "00000001750 ") + QByteArray(1024, 'd');
    tar += tarHeader("dir/", "0");
    for (int i = 0; i < 180; ++i)
        tar += tarMember("m" + QByteArray::number(i), 1);
    tar += QByteArray(1024, '\0');
    Loaded l(tar, "x.tar");
    ASSERT_EQ(l.status, 0);
    ASSERT_EQ(l.d.FileCount(), 185);
    EXPECT_EQ(l.d.FileName(3), QStringLiteral("kilo"));
    EXPECT_EQ(l.d.FileName(4), QString(100, QLatin1Char('n')));
    EXPECT_EQ(l.d.UnCompressed_Size(4), 1000);
    EXPECT_TRUE(l.d.IsDir(5));
    EXPECT_EQ(l.d.FileName(185), QStringLiteral("m179"));
    EXPECT_EQ(l.d.FileDateTime(1).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
              QStringLiteral("2025-01-01 13:33:30"));
    EXPECT_EQ(l.d.CommentsFile(1), QStringLiteral("Not Supported"));
    EXPECT_EQ(l.d.VersionNeeded(1), QStringLiteral("UnKnown"));
}

// A name field loses its 0 bytes wherever they are, and reads as Windows-1252.
TEST(TarLayout, NamesWithoutTheirZeroBytes) {
    const struct {
        QByteArray field;
        QString name;
    } cases[] = {{QByteArray("ab\0cd", 5), QStringLiteral("abcd")},
                 {QByteArray("\0\0lead", 6), QStringLiteral("lead")},
                 {QByteArray(99, '\0') + 'z', QStringLiteral("z")},
                 {QByteArray("caf\xe9 \x80", 6), QStringLiteral("caf\u00e9 \u20ac")},
                 {QByteArray(100, 'n'), QString(100, QLatin1Char('n'))}};
    for (const auto& c : cases) {
        Loaded l(tarMember(c.field, 1) + QByteArray(1024, '\0'), "x.tar");
        ASSERT_EQ(l.d.FileCount(), 1) << c.field.toHex().constData();
        EXPECT_EQ(l.d.FileName(1), c.name) << c.field.toHex().constData();
    }
}

TEST(TarLayout, ZipRenamedTarListsTarHeaders) {
    QByteArray zipLike("PK\x03\x04", 4);
    zipLike += QByteArray(600, '\0');
    Loaded l(zipLike, "renamed.TAR");
    EXPECT_EQ(l.status, 0);
    EXPECT_EQ(l.d.FileCount(), 1);
    EXPECT_EQ(l.d.FileName(1), QStringLiteral("PK\x03\x04"));
}

TEST(LzhLayout, EntriesBeyondAHundredAndEndMark) {
    QByteArray lzh = lzhHeader("lhd", "dir\\", "") + lzhHeader("lh5", "a.txt", "12345");
    for (int i = 0; i < 120; ++i)
        lzh += lzhHeader("lh0", "f" + QByteArray::number(i), "x");
    lzh += QByteArray(1, '\0') + lzhHeader("lh5", "after.end", "");
    Loaded l(lzh, "x.LZH");
    ASSERT_EQ(l.status, 0);
    ASSERT_EQ(l.d.FileCount(), 122);
    EXPECT_TRUE(l.d.IsDir(1));
    EXPECT_FALSE(l.d.IsDir(2));
    EXPECT_EQ(l.d.Method(2), QStringLiteral("LZH with 8kb window, static canonical Huffman"));
    EXPECT_EQ(l.d.UnCompressed_Size(2), 15);
    EXPECT_EQ(l.d.CRC32(2), qint32(qint16(0x8001)));
    EXPECT_EQ(l.d.FileName(122), QStringLiteral("f119"));
}

TEST(LzhLayout, ExecutablePrefixIsNotListed) {
    const QByteArray lzh = QByteArray("MZ\x90\x00", 4) + lzhHeader("lh5", "a", "b");
    Loaded l(lzh, "x.lzh");
    EXPECT_EQ(l.status, 2);
}

TEST(CabLayout, ReserveAreasAndChainedCabinets) {
    QByteArray reserve;
    put16(reserve, 6);
    reserve.append(char(4)).append(char(0));
    reserve += "RRRRRR";
    const QByteArray chained = QByteArray("prev.cab\0disk1\0next.cab\0disk3\0", 30);
    const struct {
        quint16 flags;
        QByteArray optional;
        int folderReserve;
    } cases[] = {{0x0004, reserve, 4}, {0x0003, chained, 0}, {0x0007, reserve + chained, 4}};
    for (const auto& c : cases) {
        Loaded l(cabinet(c.flags, c.optional, 2, c.folderReserve), "x.cab");
        ASSERT_EQ(l.status, 0);
        ASSERT_EQ(l.d.FileCount(), 2) << c.flags;
        EXPECT_EQ(l.d.FileName(2), QStringLiteral("two.txt"));
        EXPECT_EQ(l.d.Method(2), QStringLiteral("Lzx")); // the first folder's type
        EXPECT_EQ(l.d.VersionNeeded(1), QStringLiteral("1.3"));
        EXPECT_EQ(l.d.SystemMadeBy(1), QStringLiteral("UnKnown"));
        EXPECT_EQ(l.d.VersionMadeBy(1), QStringLiteral("Unknown"));
    }
}

TEST(CabLayout, MsButNotACabinet) {
    Loaded l(QByteArray("MSxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxxx"), "x.cab");
    EXPECT_EQ(l.status, 0);
    EXPECT_EQ(l.d.FileCount(), 0);
}

TEST(GzipLayout, HeaderFieldsAndTrailer) {
    Loaded plain(gzipFile(0, {}, 400, 1000), "c:data.gz");
    EXPECT_EQ(plain.d.FileName(1), QStringLiteral("data"));
    EXPECT_EQ(plain.d.Compressed_Size(1), 400);
    EXPECT_EQ(plain.d.UnCompressed_Size(1), 1000);
    EXPECT_EQ(quint32(plain.d.CRC32(1)), 0xCAFEBABEu);
    EXPECT_EQ(plain.d.FileName(2), QString());

    QByteArray optional;
    put16(optional, 3);
    optional += "EXTname.txt";
    optional += '\0';
    optional += QByteArray("abc\0", 4) + "HC" + QByteArray(12, 'E');
    Loaded full(gzipFile(0x3E, optional, 10, 7), "dir\\x.bin");
    EXPECT_EQ(full.d.FileName(1), QStringLiteral("name.txt"));
    EXPECT_EQ(full.d.CommentsFile(1), QStringLiteral("abc"));
    EXPECT_EQ(full.d.CommentsPack(), QStringLiteral("abc"));
    EXPECT_TRUE(full.d.Encrypted(1));
    EXPECT_EQ(full.d.Compressed_Size(1), 10);

    Loaded tiny(QByteArray("\x1f\x8b", 2), "t.taz");
    EXPECT_EQ(tiny.status, 0);
    EXPECT_EQ(tiny.d.FileCount(), 1);
    EXPECT_EQ(tiny.d.FileName(1), QStringLiteral("t.tar"));
    EXPECT_EQ(tiny.d.Method(1), QStringLiteral("Unknown"));
}

TEST(ZipLayout, UnknownMethodAnsiNameAndEmptyEndRecord) {
    const QByteArray name("caf\xe9/\xe0.txt");
    QByteArray central("PK\x01\x02", 4);
    put16(central, (3 << 8) | 30);
    put16(central, 20);
    put16(central, 0);
    put16(central, 14);
    put32(central, 0);
    put32(central, 0);
    put32(central, 5);
    put32(central, 5);
    put16(central, name.size());
    put16(central, 0);
    put16(central, 0);
    central += QByteArray(12, '\0') + name;
    QByteArray end("PK\x05\x06", 4);
    end += QByteArray(4, '\0');
    put16(end, 1);
    put16(end, 1);
    put32(end, central.size());
    put32(end, 0);
    put16(end, 0);
    Loaded l(central + end, "x.zip");
    ASSERT_EQ(l.d.FileCount(), 1);
    EXPECT_EQ(l.d.Method(1), QStringLiteral("Unknown"));
    EXPECT_EQ(l.d.FileName(1), QStringLiteral("café/à.txt"));
    EXPECT_EQ(l.d.VersionMadeBy(1), QStringLiteral("3.0"));
    EXPECT_EQ(l.d.SystemNeeded(1), QStringLiteral("MS-DOS and OS/2 (FAT / VFAT / FAT32 file systems)"));
    EXPECT_EQ(l.d.FileDateTime(1), zeroDateTime());

    QByteArray emptyEnd = end;
    emptyEnd[8] = 0;
    Loaded empty(emptyEnd, "e.zip");
    EXPECT_EQ(empty.status, 0);
    EXPECT_EQ(empty.d.FileCount(), 0);

    Loaded garbage(QByteArray("PKgarbage-and-more-bytes"), "g.zip");
    EXPECT_EQ(garbage.status, 1);
}

namespace {

// A header with a valid checksum, as tar writes it.
QByteArray checkedTarHeader(const QByteArray& name, const QByteArray& sizeField, char type = '0',
                            const QByteArray& prefix = {}) {
    QByteArray h = tarHeader(name, sizeField);
    h[156] = type;
    h.replace(257, 6, QByteArray("ustar\0", 6));
    h.replace(263, 2, "00");
    h.replace(345, prefix.size(), prefix);
    h.replace(148, 8, "        ");
    int sum = 0;
    for (const char c : h)
        sum += quint8(c);
    h.replace(148, 7, QByteArray::number(sum, 8).rightJustified(6, '0') + '\0');
    return h;
}

QByteArray zipCentral(const QByteArray& name, quint16 flags, const QByteArray& extra, quint32 size) {
    QByteArray c("PK\x01\x02", 4);
    put16(c, (3 << 8) | 30);
    put16(c, 45);
    put16(c, flags);
    put16(c, 0);
    put32(c, 0);
    put32(c, 0);
    put32(c, size);
    put32(c, size);
    put16(c, name.size());
    put16(c, extra.size());
    put16(c, 0);
    c += QByteArray(8, '\0');
    put32(c, 0);
    return c + name + extra;
}

QByteArray zipWithEnd(const QByteArray& central, int entries) {
    QByteArray end("PK\x05\x06", 4);
    end += QByteArray(4, '\0');
    put16(end, entries);
    put16(end, entries);
    put32(end, central.size());
    put32(end, 0);
    put16(end, 0);
    return central + end;
}

QByteArray extraBlock(quint16 id, const QByteArray& data) {
    QByteArray b;
    put16(b, id);
    put16(b, data.size());
    return b + data;
}

} // namespace

// Sizes past 8 GiB are written in base-256; the ustar prefix holds the
// folders of a deep path; a member may have an empty name.
TEST(TarLayout, Base256SizesPrefixAndEmptyName) {
    QByteArray base256(12, '\0');
    base256[0] = char(0x80);
    base256[7] = char(0x02); // 2 << 32 = 8 GiB
    base256[11] = char(0x01);
    QByteArray tar = checkedTarHeader("huge.img", base256, '2'); // a symbolic link: no data follows
    tar += checkedTarHeader("file.txt", "00000000005", '0', "very/deep/folder") + QByteArray(512, 'd');
    tar += checkedTarHeader("", "00000000003") + QByteArray(512, 'e');
    tar += checkedTarHeader("last", "0") + QByteArray(1024, '\0');
    Loaded l(tar, "x.tar");
    ASSERT_EQ(l.status, 0);
    ASSERT_EQ(l.d.FileCount(), 4);
    EXPECT_EQ(l.d.UnCompressed_Size(1), 0); // a link carries no data of its own
    EXPECT_EQ(l.d.FileName(2), QStringLiteral("very/deep/folder/file.txt"));
    EXPECT_EQ(l.d.FileName(3), QString());
    EXPECT_EQ(l.d.UnCompressed_Size(3), 3);
    EXPECT_EQ(l.d.FileName(4), QStringLiteral("last"));

    QByteArray big = checkedTarHeader("big.bin", base256) + QByteArray(1024, '\0');
    Loaded cut(big, "big.tar");
    EXPECT_EQ(cut.d.FileCount(), 0); // 8 GiB of data announced, 1 KiB present

    Loaded empty(QByteArray(10240, '\0'), "empty.tar");
    EXPECT_EQ(empty.status, 0);
    EXPECT_EQ(empty.d.FileCount(), 0);
}

TEST(ZipLayout, Utf8NamesByFlagOrUnicodePathField) {
    const QByteArray utf8("r\xc3\xa9sum\xc3\xa9.txt");
    const QByteArray ansi("r\xe9sum\xe9.txt");
    QByteArray unicodePath(1, char(1));
    put32(unicodePath, 0); // a CRC that does not match the header's name
    unicodePath += "wrong.txt";
    QByteArray matching(1, char(1));
    const quint32 crc = velmar::clsCRC32().CRC32(0, reinterpret_cast<const unsigned char*>(ansi.constData()),
                                                 size_t(ansi.size()));
    put32(matching, crc);
    matching += utf8;
    const struct {
        QByteArray name;
        quint16 flags;
        QByteArray extra;
        QString expected;
    } cases[] = {{utf8, 0x0800, {}, QStringLiteral("résumé.txt")},
                 {ansi, 0, extraBlock(0x7075, matching), QStringLiteral("résumé.txt")},
                 {ansi, 0, extraBlock(0x7075, unicodePath), QStringLiteral("résumé.txt")},
                 {QByteArray("caf\xc3\xa9"), 0, {}, QStringLiteral("café")},
                 {QByteArray("caf\xe9"), 0, {}, QStringLiteral("café")}};
    for (const auto& c : cases) {
        Loaded l(zipWithEnd(zipCentral(c.name, c.flags, c.extra, 5), 1), "x.zip");
        ASSERT_EQ(l.d.FileCount(), 1);
        EXPECT_EQ(l.d.FileName(1), c.expected) << c.name.toHex().constData();
    }
}

TEST(ZipLayout, Zip64ExtraFieldSizes) {
    QByteArray sizes;
    put32(sizes, 0x00000001u); // uncompressed: 5 GiB
    put32(sizes, 0x00000001u);
    put32(sizes, 0x00100000u); // compressed
    put32(sizes, 0);
    Loaded l(zipWithEnd(zipCentral("big.bin", 0, extraBlock(0x0001, sizes), 0xFFFFFFFFu), 1), "x.zip");
    ASSERT_EQ(l.d.FileCount(), 1);
    EXPECT_EQ(l.d.UnCompressed_Size(1), (qint64(1) << 32) + 1);
    EXPECT_EQ(l.d.Compressed_Size(1), 0x00100000);
    const QString text = archiveListingText(l.d); // the total no longer wraps at 2 GiB
    EXPECT_TRUE(text.contains(QStringLiteral(" Go"))) << text.toStdString();
}

TEST(ZipLayout, CountPastTheEndIsNotTrusted) {
    Loaded l(zipWithEnd(zipCentral("only.txt", 0, {}, 3), 40000), "x.zip");
    ASSERT_EQ(l.status, 0);
    EXPECT_EQ(l.d.FileCount(), 1);
    EXPECT_EQ(l.d.FileName(1), QStringLiteral("only.txt"));
}

// 65,537 entries written without Zip64 records: the count reads 1.
TEST(ZipLayout, CountKeptModuloSixtyFiveThousand) {
    const QByteArray central = zipCentral("one.txt", 0, {}, 1) + zipCentral("two.txt", 0, {}, 2);
    Loaded l(zipWithEnd(central, 1), "x.zip");
    ASSERT_EQ(l.d.FileCount(), 2);
    EXPECT_EQ(l.d.FileName(2), QStringLiteral("two.txt"));
}

TEST(GzipLayout, NoTimeStampGivesNoDate) {
    QByteArray gz = gzipFile(0, {}, 10, 5);
    gz.replace(4, 4, QByteArray(4, '\0'));
    Loaded l(gz, "x.gz");
    EXPECT_EQ(l.d.FileDateTime(1), zeroDateTime());
}

namespace {

// Level 3 (4-byte sizes throughout) has no tool on Debian to write it.
QByteArray lzhLevel3(const QByteArray& name, const QByteArray& data) {
    QByteArray ext(1, char(0x01));
    ext += name;
    put32(ext, 0); // no further extended header
    QByteArray h;
    put16(h, 4);
    h += "-lh0-";
    put32(h, data.size());
    put32(h, data.size());
    put32(h, 1735738410); // 2025-01-01 13:33:30
    h.append(char(0x20)).append(char(3));
    put16(h, 0x1234);
    h.append('U');
    put32(h, 32 + ext.size());
    put32(h, ext.size());
    return h + ext + data;
}

} // namespace

TEST(LzhLayout, LevelThreeHeadersAndSymbolicLinks) {
    const QByteArray lzh = lzhLevel3("first.txt", "12345") + lzhLevel3("second.txt", "ab") +
                           lzhHeader("lh0", "link|target/file", "") + QByteArray(1, '\0');
    Loaded l(lzh, "x.lzh");
    ASSERT_EQ(l.status, 0);
    ASSERT_EQ(l.d.FileCount(), 3);
    EXPECT_EQ(l.d.FileName(1), QStringLiteral("first.txt"));
    EXPECT_EQ(l.d.UnCompressed_Size(1), 5);
    EXPECT_EQ(l.d.FileName(2), QStringLiteral("second.txt"));
    EXPECT_EQ(l.d.FileDateTime(2).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
              QStringLiteral("2025-01-01 13:33:30"));
    EXPECT_EQ(l.d.FileName(3), QStringLiteral("link"));
}
