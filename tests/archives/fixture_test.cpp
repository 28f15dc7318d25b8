// Archives built byte by byte from the formats' published layouts (RAR 2.x
// blocks, ARC headers), plus damaged copies of them and the shared helpers.

#include "archives/archive_dispatcher.h"
#include "archives/archive_listing.h"
#include "archives/dos_datetime.h"
#include "archives/tar_reader.h"
#include "archives/zip_reader.h"
#include "support/byte_strings.h"

#include <gtest/gtest.h>

#include <limits>
#include <vector>

using namespace velmar::archives;
using velmar::test::put16;
using velmar::test::put32;

namespace {

qint16 readBytes(Cls_GetFileType& d, const QByteArray& bytes, const QString& name = QStringLiteral("x.bin")) {
    MemorySource source(bytes.constData(), bytes.size());
    return d.Get_Contents(name, source);
}

// RAR: marker, archive header (optionally with comment), then stored files.
QByteArray rarFile(const QByteArray& name, quint16 flags, const QByteArray& data, quint8 method = 0x30) {
    QByteArray h;
    put16(h, 0);
    h.append(char(0x74));
    put16(h, flags);
    put16(h, 32 + name.size());
    put32(h, data.size());
    put32(h, data.size());
    h.append(char(2));
    put32(h, 0x12345678);
    put32(h, (0x5A21u << 16) | 0x6C2Fu); // 2025-01-01 13:33:30
    h.append(char(20)).append(char(method));
    put16(h, name.size());
    put32(h, 0x20);
    return h + name + data;
}

QByteArray rarArchive(const QByteArray& comment = QByteArray()) {
    QByteArray b("Rar!\x1a\x07\x00", 7);
    put16(b, 0);
    b.append(char(0x73));
    put16(b, comment.isEmpty() ? 0 : 2);
    put16(b, 13);
    put16(b, 0);
    put32(b, 0);
    if (!comment.isEmpty())
        b += comment + QByteArray(1, '\0');
    b += rarFile("one.txt", 0, "hello");
    b += rarFile("dir", 0xE0, QByteArray());
    b += rarFile("secret.bin", 0x04, "xyz", 0x33);
    return b;
}

// A RAR 2.9/3.x file (0x74) or service (0x7A) block: the fixed fields, the
// high size halves when flagged large (0x100), the name field, then `tail`
// (salt, extended time) counted in the header size, then the data.
QByteArray rarBlock(quint8 type, quint16 flags, const QByteArray& nameField, const QByteArray& tail,
                    const QByteArray& data, quint32 highUnpacked = 0) {
    const bool large = flags & 0x100;
    QByteArray h;
    put16(h, 0);
    h.append(char(type));
    put16(h, flags);
    put16(h, 32 + (large ? 8 : 0) + nameField.size() + tail.size());
    put32(h, data.size());
    put32(h, data.size());
    h.append(char(3));
    put32(h, 0xCAFEF00D);
    put32(h, (0x5A21u << 16) | 0x6C2Fu);
    h.append(char(29)).append(char(0x30));
    put16(h, nameField.size());
    put32(h, 0x20);
    if (large) {
        put32(h, 0);
        put32(h, highUnpacked);
    }
    return h + nameField + tail + data;
}

// The UTF-16 part of a Unicode name field in its plainest form: every unit
// written whole (code 2), four codes to a flag byte.
QByteArray packedUtf16(const QString& name) {
    QByteArray packed(1, '\0');
    for (qsizetype i = 0; i < name.size(); ++i) {
        if (i % 4 == 0)
            packed.append(char(0xAA));
        put16(packed, name[i].unicode());
    }
    return packed;
}

QByteArray arcHeader(int method, const QByteArray& name, const QByteArray& data) {
    QByteArray h;
    h.append(char(0x1A)).append(char(method));
    QByteArray field = name.left(13);
    field.resize(13, '\0');
    h += field;
    put32(h, data.size());
    put16(h, 0x5A21);
    put16(h, 0x6C2F);
    put16(h, 0xBEEF);
    put32(h, data.size() * 2);
    return h + data;
}

QByteArray arcArchive() {
    return arcHeader(2, "READ.ME", "abcd") + arcHeader(8, "PROG.EXE", "12345678") +
           arcHeader(9, "X.DAT", "z") + QByteArray("\x1a\x00", 2);
}

} // namespace

TEST(DosDateTime, ConvertsAndRejects) {
    EXPECT_EQ(dosDateTime(0x5A21, 0x6C2F).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
              QStringLiteral("2025-01-01 13:33:30"));
    EXPECT_EQ(dosDateTime(0x0000, 0), zeroDateTime());
    EXPECT_EQ(dosDateTime(0x5A21, 0xC000), zeroDateTime()); // hour 24
    EXPECT_EQ(dosDateTime(0x5A21, 0x001E), zeroDateTime()); // seconds 60
    EXPECT_EQ(dosDateTime(0x5A5E, 0), zeroDateTime());      // 30 February
    EXPECT_EQ(zeroDateTime().date(), QDate(1899, 12, 30));
}

TEST(DosDateTime, FromUnixSecondsAndVersionText) {
    const DosStamp s = dosStampFromUnix(1735738410); // 2025-01-01 13:33:30 UTC
    EXPECT_EQ(s.date, 0x5A21);
    EXPECT_EQ(s.time, 0x6C2F);
    EXPECT_EQ(dosStampFromUnix(0).date, quint16((1970 - 1980) * 512 + 32 + 1));
    EXPECT_EQ(versionText(20), QStringLiteral("2.0"));
    EXPECT_EQ(versionText(63), QStringLiteral("6.3"));
}

// The stamp computed by hand agrees with the calendar of QDateTime over the
// whole range of 32-bit times: both ends, the epoch, the seconds around leap
// days and year ends, and a sweep in between.
TEST(DosDateTime, FromUnixSecondsAgreesWithTheCalendar) {
    const auto expected = [](qint32 seconds) {
        const QDateTime moment = QDateTime(QDate(1970, 1, 1), QTime(0, 0), Qt::UTC).addSecs(seconds);
        const QDate d = moment.date();
        const QTime t = moment.time();
        return std::pair{quint16((d.year() - 1980) * 512 + d.month() * 32 + d.day()),
                         quint16(t.hour() * 2048 + t.minute() * 32 + t.second() / 2)};
    };
    std::vector<qint32> times = {std::numeric_limits<qint32>::min(),
                                 std::numeric_limits<qint32>::max(),
                                 0,
                                 -1,
                                 1,
                                 86399,
                                 86400,
                                 -86400,
                                 -86401};
    for (const QDateTime& around : {QDateTime(QDate(2000, 2, 29), QTime(0, 0), Qt::UTC),
                                    QDateTime(QDate(2000, 3, 1), QTime(0, 0), Qt::UTC),
                                    QDateTime(QDate(1980, 1, 1), QTime(0, 0), Qt::UTC),
                                    QDateTime(QDate(1904, 2, 29), QTime(0, 0), Qt::UTC),
                                    QDateTime(QDate(2024, 12, 31), QTime(23, 59, 59), Qt::UTC)})
        for (qint64 delta : {-1, 0, 1})
            times.push_back(qint32(around.toSecsSinceEpoch() + delta));
    for (qint64 t = std::numeric_limits<qint32>::min(); t <= std::numeric_limits<qint32>::max(); t += 999'983)
        times.push_back(qint32(t));
    for (const qint32 t : times) {
        const DosStamp stamp = dosStampFromUnix(t);
        EXPECT_EQ(std::pair(stamp.date, stamp.time), expected(t)) << t;
    }
}

TEST(TarOctal, Table) {
    const struct {
        QByteArray field;
        qint32 value;
    } cases[] = {{QByteArray("00000001750 ", 12), 1000},
                 {QByteArray(12, '\0'), 0},
                 {"  17\0\0", 15},
                 {"19", 17},
                 {"1x", 8},
                 {"", 0}};
    for (const auto& c : cases)
        EXPECT_EQ(Cls_Tar::octalValue(c.field), c.value) << c.field.constData();
}

// The field's text as the format describes it (0 bytes removed, the first 13
// kept, outer blanks trimmed, leading "0" digits dropped), then read digit by
// digit; the reader's one-pass value must be the same for any field.
qint32 octalByTheText(const QByteArray& field) {
    QByteArray text;
    for (const char c : field)
        if (c != '\0' && text.size() < 13)
            text.append(c);
    text = text.trimmed();
    qsizetype first = 0;
    while (first < text.size() && text[first] == '0')
        ++first;
    quint32 value = 0;
    for (const char c : text.mid(first))
        value = value * 8u + ((c >= '0' && c <= '9') ? quint32(c - '0') : 0);
    return qint32(value);
}

TEST(TarOctal, AnyFieldReadsAsItsText) {
    const char alphabet[] = {'0', '1', '7', '8', '9', ' ', '\t', '\n', '\0', 'x'};
    quint32 seed = 12345;
    const auto next = [&seed] { return (seed = seed * 1103515245u + 12345u) >> 16; };
    for (int n = 0; n < 20000; ++n) {
        QByteArray field;
        for (int length = int(next() % 21); length > 0; --length)
            field.append(alphabet[next() % sizeof alphabet]);
        ASSERT_EQ(Cls_Tar::octalValue(field), octalByTheText(field)) << field.toHex().constData();
    }
}

TEST(Rar, ListsBlocksFromPublishedLayout) {
    Cls_GetFileType d;
    ASSERT_EQ(readBytes(d, rarArchive("hello")), 0);
    ASSERT_EQ(d.FileCount(), 3);
    EXPECT_EQ(d.FileName(1), QStringLiteral("one.txt"));
    EXPECT_EQ(d.Method(1), QStringLiteral("No Compression"));
    EXPECT_EQ(d.Compressed_Size(1), 5);
    EXPECT_EQ(d.UnCompressed_Size(1), 5);
    EXPECT_EQ(d.CRC32(1), 0x12345678);
    EXPECT_EQ(d.SystemMadeBy(1), QStringLiteral("Win32"));
    EXPECT_EQ(d.VersionNeeded(1), QStringLiteral("2.0"));
    EXPECT_EQ(d.VersionMadeBy(1), QStringLiteral("Unknown"));
    EXPECT_EQ(d.FileDateTime(1).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")),
              QStringLiteral("2025-01-01 13:33:30"));
    EXPECT_TRUE(d.IsDir(2));
    EXPECT_FALSE(d.IsDir(1));
    EXPECT_TRUE(d.Encrypted(3));
    EXPECT_EQ(d.Method(3), QStringLiteral("Normal"));
    EXPECT_EQ(d.CommentsPack(), QStringLiteral("hello"));
}

TEST(Rar, PartialMarkerLoadsNothing) {
    Cls_GetFileType d;
    EXPECT_EQ(readBytes(d, QByteArray("Rar!\x1a\x07\x01xxxxxxxx", 15)), 0);
    EXPECT_EQ(d.FileCount(), 0);
    EXPECT_EQ(d.FileName(1), QString());
}

// Headers of RAR 3.x carry fields after the name that the header size counts;
// names may hold a UTF-16 form; service blocks hold no file.
TEST(Rar, HeadersSkippedByTheirOwnSize) {
    const QByteArray marker = rarArchive().left(7 + 13);
    const QByteArray saltAndTime = QByteArray(8, 's') + QByteArray("\x00\xF0\x01\x02\x03", 5);
    const QString unicode = QStringLiteral("r\u00e9sum\u00e9 \u043a\u043d\u0438\u0433\u0430.txt");
    const QByteArray serviceData = QByteArray("comment text");
    const QByteArray archive =
        marker + rarBlock(0x74, 0x1400, "salted.txt", saltAndTime, "12345") +
        rarBlock(0x74, 0x0200, "resume knjiga.txt" + QByteArray(1, '\0') + packedUtf16(unicode), {}, "abc") +
        rarBlock(0x7A, 0x8000, "CMT", {}, serviceData) +
        rarBlock(0x74, 0x0200, QByteArray("abc.txt\0\x04\xD0\x03\x3Ax", 13), {}, "") +
        rarBlock(0x74, 0x0200, QByteArray("utf8-\xc3\xa9.txt"), {}, "z") +
        rarBlock(0x74, 0x0100, "big.iso", {}, "b", 1) + rarBlock(0x7B, 0, {}, {}, {}).left(7) +
        QByteArray("trailing junk after the end block");
    Cls_GetFileType d;
    ASSERT_EQ(readBytes(d, archive), 0);
    const struct {
        QString name;
        qint64 size;
    } expected[] = {{QStringLiteral("salted.txt"), 5},
                    {unicode, 3},
                    {QStringLiteral("abc.t\u043ax"), 0},
                    {QStringLiteral("utf8-\u00e9.txt"), 1},
                    {QStringLiteral("big.iso"), (qint64(1) << 32) + 1}};
    ASSERT_EQ(d.FileCount(), int(std::size(expected)));
    for (int i = 0; i < int(std::size(expected)); ++i) {
        EXPECT_EQ(d.FileName(i + 1), expected[i].name) << i;
        EXPECT_EQ(d.UnCompressed_Size(i + 1), expected[i].size) << i;
        EXPECT_EQ(quint32(d.CRC32(i + 1)), 0xCAFEF00Du) << i;
    }
    EXPECT_EQ(d.Compressed_Size(5), 1);
    EXPECT_EQ(d.SystemMadeBy(1), QStringLiteral("UNIX"));
}

TEST(Rar, FileCutShortIsNotListed) {
    const QByteArray archive = rarArchive();
    Cls_GetFileType d;
    ASSERT_EQ(readBytes(d, archive.left(archive.size() - 1)), 0);
    EXPECT_EQ(d.FileCount(), 2); // secret.bin lacks a byte of its data
    EXPECT_EQ(d.FileName(2), QStringLiteral("dir"));
}

TEST(Arc, NameEndsAtItsZeroAndEmptyArchive) {
    QByteArray arc = arcHeader(2, QByteArray("RUNS.TXT\0n\0\0\0", 13), "data") + QByteArray("\x1a\x00", 2);
    Cls_GetFileType d;
    ASSERT_EQ(readBytes(d, arc), 0);
    ASSERT_EQ(d.FileCount(), 1);
    EXPECT_EQ(d.FileName(1), QStringLiteral("RUNS.TXT"));
    for (const QByteArray& empty : {QByteArray("\x1a\x00", 2), QByteArray("\x1a\x00\x1a\x1a\0\0", 6)}) {
        ASSERT_EQ(readBytes(d, empty), 0) << empty.toHex().constData();
        EXPECT_EQ(d.FileCount(), 0);
        EXPECT_EQ(archiveListingText(d), QStringLiteral("Aucun fichier - 0 octet"));
    }
}

TEST(Arc, ListsHeaders) {
    Cls_GetFileType d;
    ASSERT_EQ(readBytes(d, arcArchive()), 0);
    ASSERT_EQ(d.FileCount(), 3);
    EXPECT_EQ(d.FileName(1), QStringLiteral("READ.ME"));
    EXPECT_EQ(d.Method(1), QStringLiteral("unpacked"));
    EXPECT_EQ(d.Method(2), QStringLiteral("crunched (after packing, using dynamic LZW variations)"));
    EXPECT_EQ(d.CRC32(1), qint32(qint16(0xBEEF)));
    EXPECT_EQ(d.UnCompressed_Size(2), 16);
    EXPECT_EQ(d.CommentsFile(1), QStringLiteral("Not Supported"));
    EXPECT_EQ(d.SystemMadeBy(1), QStringLiteral("UnKnown"));
}

TEST(Arc, SecondByteOutsideMethodsFallsThrough) {
    Cls_GetFileType d;
    EXPECT_EQ(readBytes(d, QByteArray("\x1a\x00rest", 6)), 2);
    EXPECT_EQ(readBytes(d, QByteArray("\x1a\x0arest", 6)), 2);
}

TEST(Arc, CutShortLastHeaderStillListed) {
    Cls_GetFileType d;
    const QByteArray full = arcArchive();
    ASSERT_EQ(readBytes(d, full.left(full.size() - 2 - 30 + 10)), 0);
    EXPECT_EQ(d.FileCount(), 3);
    EXPECT_EQ(d.FileName(3), QStringLiteral("X.DAT"));
}

TEST(Dispatcher, IndexCheckAndStatuses) {
    Cls_GetFileType d;
    EXPECT_EQ(d.Get_Contents(QString()), 1);
    EXPECT_EQ(readBytes(d, "hello world"), 2);
    EXPECT_EQ(d.FileCount(), 0);
    ASSERT_EQ(readBytes(d, arcArchive()), 0);
    for (const qint32 bad : {0, -1, 4, 1 << 30}) {
        EXPECT_EQ(d.FileName(bad), QString());
        EXPECT_EQ(d.UnCompressed_Size(bad), 0);
        EXPECT_EQ(d.FileDateTime(bad), zeroDateTime());
    }
    // A second archive replaces the first one's count.
    ASSERT_EQ(readBytes(d, rarArchive()), 0);
    EXPECT_EQ(d.FileCount(), 3);
    EXPECT_EQ(d.FileName(1), QStringLiteral("one.txt"));
}

TEST(Dispatcher, TarNameWithZeroHeaderGoesOnToSignatures) {
    Cls_GetFileType d;
    QByteArray bytes(1024, '\0');
    EXPECT_EQ(readBytes(d, bytes, QStringLiteral("a.TAR")), 0); // an empty tar archive
    EXPECT_EQ(d.FileCount(), 0);
    // A RAR stream named .lzh: no LZH header, so the signature decides.
    EXPECT_EQ(readBytes(d, rarArchive(), QStringLiteral("a.lzh")), 0);
    EXPECT_EQ(d.FileCount(), 3);
}

TEST(Dispatcher, DamagedCopiesNeverCrash) {
    const QByteArray samples[] = {rarArchive("c"), arcArchive()};
    Cls_GetFileType d;
    for (const QByteArray& sample : samples) {
        for (int cut = 0; cut < sample.size(); ++cut)
            readBytes(d, sample.left(cut));
        for (int at = 0; at < sample.size(); ++at) {
            QByteArray damaged = sample;
            damaged[at] = char(0xFF);
            readBytes(d, damaged);
            EXPECT_LE(d.FileCount(), 4) << at;
        }
    }
}

TEST(ListingText, EmptyArchiveSummary) {
    Cls_GetFileType d;
    readBytes(d, QByteArray("MSxx", 4));
    EXPECT_EQ(archiveListingText(d), QStringLiteral("Aucun fichier - 0 octet"));
}

TEST(ListingText, NamesStopAt255Characters) {
    QByteArray arc;
    for (int i = 0; i < 40; ++i)
        arc += arcHeader(2, QByteArray::number(1000000 + i) + ".TXT", QByteArray(100, 'a'));
    Cls_GetFileType d;
    ASSERT_EQ(readBytes(d, arc), 0);
    const QString text = archiveListingText(d);
    const QStringList lines = text.split(QStringLiteral("\r\n"));
    EXPECT_TRUE(lines.first().startsWith(QStringLiteral("40 fichiers - ")));
    EXPECT_LE(text.size(), 257);
    EXPECT_GT(text.size() + 13, 255); // one more name would not have fit
    EXPECT_EQ(lines.at(1), QStringLiteral("1000000.TXT"));
}
