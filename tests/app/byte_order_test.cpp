#include "app/byte_order.h"

#include <QByteArray>

#include <gtest/gtest.h>

namespace velmar::bytes {
namespace {

const QByteArray kBytes("\x01\x02\x03\x04\x05\x06\x07\x08\x09", 9);

TEST(ByteOrder, ReadsEachWidthInBothOrders) {
    quint16 u16 = 0;
    quint32 u32 = 0;
    quint64 u64 = 0;
    EXPECT_TRUE(readLE16(kBytes, 1, u16));
    EXPECT_EQ(u16, 0x0302u);
    EXPECT_TRUE(readBE16(kBytes, 1, u16));
    EXPECT_EQ(u16, 0x0203u);
    EXPECT_TRUE(readLE32(kBytes, 0, u32));
    EXPECT_EQ(u32, 0x04030201u);
    EXPECT_TRUE(readBE32(kBytes, 0, u32));
    EXPECT_EQ(u32, 0x01020304u);
    EXPECT_TRUE(readLE64(kBytes, 1, u64));
    EXPECT_EQ(u64, 0x0908070605040302ull);
    EXPECT_TRUE(readBE64(kBytes, 1, u64));
    EXPECT_EQ(u64, 0x0203040506070809ull);
    // High bytes stay unsigned.
    EXPECT_EQ(le32(QByteArray("\xFF\xFE\xFD\xFC", 4)), 0xFCFDFEFFu);
    EXPECT_EQ(be16(QByteArray("\x80\x01", 2)), 0x8001u);
    EXPECT_EQ(le(kBytes, 2, 3), 0x050403u);
}

TEST(ByteOrder, ReportsReadsPastEitherEndAndLeavesZero) {
    struct Case {
        qint64 offset;
        int width;
        bool inside;
    };
    const Case cases[] = {{0, 8, true},  {1, 8, true},  {2, 8, false},         {7, 2, true},
                          {8, 2, false}, {9, 1, false}, {-1, 2, false},        {0, 0, false},
                          {0, 9, false}, {8, 1, true},  {INT64_MAX, 4, false}, {9, 0, false}};
    for (const Case& c : cases) {
        quint64 value = 0xDEAD;
        EXPECT_EQ(readLittle(kBytes, c.offset, c.width, value), c.inside) << c.offset << "+" << c.width;
        EXPECT_EQ(readBig(kBytes, c.offset, c.width, value), c.inside) << c.offset << "+" << c.width;
        if (!c.inside) {
            EXPECT_EQ(value, 0u) << c.offset << "+" << c.width;
        }
    }
    quint32 u32 = 7;
    EXPECT_FALSE(readLE32(QByteArrayView(), 0, u32));
    EXPECT_EQ(u32, 0u);
    EXPECT_EQ(le64(kBytes, 2), 0u);
    EXPECT_EQ(be32(kBytes, 6), 0u);
}

} // namespace
} // namespace velmar::bytes
