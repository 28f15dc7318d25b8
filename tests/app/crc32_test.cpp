#include "app/crc32.h"
#include "app/crc32_engine.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace velmar;

namespace {

QByteArray randomBytes(int size, quint32 seed) {
    QByteArray bytes(size, Qt::Uninitialized);
    QRandomGenerator rng(seed);
    for (char& c : bytes)
        c = static_cast<char>(rng.bounded(256));
    return bytes;
}

std::uint32_t reference(const QByteArray& bytes) {
    return ~crc32::updateBytewise(0xFFFFFFFFu, reinterpret_cast<const unsigned char*>(bytes.constData()),
                                  static_cast<std::size_t>(bytes.size()));
}

QString writeFile(QTemporaryDir& dir, const QByteArray& bytes) {
    const QString path = dir.filePath(QString::number(bytes.size()));
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(bytes);
    return path;
}

} // namespace

TEST(Crc32, CheckValueOfTheStandard) {
    EXPECT_EQ(crc32::of("123456789", 9), 0xCBF43926u);
    Cls_CRC32Init engine;
    EXPECT_EQ(engine.CalcCRC32File("123456789"), 0xCBF43926u);
    EXPECT_EQ(engine.CRC32(), ~0xCBF43926u) << "the register keeps the finished value";
    EXPECT_EQ(engine.CalcCRC32File(QByteArray()), 0u);
    EXPECT_EQ(engine.GetcrcTable(1), 0x77073096u);
    EXPECT_EQ(engine.GetcrcTable(255), 0x2D02EF8Du);
}

TEST(Crc32, FastPathMatchesTheByteLoopAtEverySizeAndAlignment) {
    const QByteArray data = randomBytes(5000, 1);
    const auto* bytes = reinterpret_cast<const unsigned char*>(data.constData());
    for (std::size_t offset = 0; offset < 17; ++offset)
        for (std::size_t size = 0; size + offset <= 1200; size += (size < 200 ? 1 : 37))
            ASSERT_EQ(crc32::update(0x12345678u, bytes + offset, size),
                      crc32::updateBytewise(0x12345678u, bytes + offset, size))
                << offset << " " << size;
}

TEST(Crc32, RunningFormChains) {
    const clsCRC32 crc;
    const QByteArray data = randomBytes(10007, 2);
    const std::uint32_t whole = crc.CRC32(0, data, data.size() - 1);
    const std::uint32_t first = crc.CRC32(0, data.left(4000), 3999);
    EXPECT_EQ(crc.CRC32(first, data.mid(4000), data.size() - 4001), whole);
    EXPECT_EQ(whole, reference(data));
    EXPECT_EQ(crc.CRC32(0, QByteArray("123456789"), 8), 0xCBF43926u);
}

TEST(CRCFromFile, BlockBoundariesGiveTheCrcOfTheWholeFile) {
    QTemporaryDir dir;
    const clsCRC32 crc;
    for (int size : {0, 1, 2047, 2048, 2049, 4096, 4097, 4098, 262143, 262144, 262145, 1000003}) {
        const QByteArray data = randomBytes(size, static_cast<quint32>(size));
        bool error = true;
        const QString text = crc.CRCFromFile(writeFile(dir, data), error);
        EXPECT_FALSE(error);
        EXPECT_EQ(text, crcText(size ? reference(data) : 0)) << size;
        EXPECT_EQ(text.size(), 8);
    }
}

TEST(CRCFromFile, StartAndEndPositionsAreOneBasedAndInclusive) {
    QTemporaryDir dir;
    const clsCRC32 crc;
    const QString path = writeFile(dir, "xx123456789yy");
    bool error = false;
    EXPECT_EQ(crc.CRCFromFile(path, error, 3.0, 11.0), "CBF43926");
    EXPECT_EQ(crc.CRCFromFile(path, error, 1.0, 2.0), crcText(crc32::of("xx", 2)));
    EXPECT_EQ(crc.CRCFromFile(path, error, 1.0, 99.0), crcText(crc32::of("xx123456789yy", 13)));
    EXPECT_EQ(crc.CRCFromFile(path, error, 1.0, 0.0), "00000000");
    EXPECT_FALSE(error);
}

TEST(CRCFromFile, AnUnreadableFileGivesNoCrc) {
    bool error = false;
    EXPECT_EQ(clsCRC32().CRCFromFile("/nonexistent/file", error), "");
    EXPECT_TRUE(error);
}

TEST(CrcText, EightUpperCaseDigits) {
    EXPECT_EQ(crcText(0), "00000000");
    EXPECT_EQ(crcText(0xABCu), "00000ABC");
    EXPECT_EQ(crcText(0xFFFFFFFFu), "FFFFFFFF");
}
