#include "app/windows1252.h"

#include <gtest/gtest.h>

using namespace velmar;

TEST(Windows1252, HighControlsUseTheCodePageTable) {
    const QByteArray bytes("\x80\x92\x9F\xE9\x81", 5);
    const QString text = fromWindows1252(bytes);
    ASSERT_EQ(text.size(), 5);
    EXPECT_EQ(text[0].unicode(), 0x20AC); // euro sign
    EXPECT_EQ(text[1].unicode(), 0x2019); // right single quote
    EXPECT_EQ(text[2].unicode(), 0x0178); // Y with diaeresis
    EXPECT_EQ(text[3], QChar(0xE9));      // é as Latin-1
    EXPECT_EQ(text[4].unicode(), 0x0081); // undefined byte kept
}

TEST(Windows1252, RoundTripsEveryByte) {
    QByteArray all;
    for (int b = 0; b < 256; ++b)
        all.append(static_cast<char>(b));
    EXPECT_EQ(toWindows1252(fromWindows1252(all)), all);
    EXPECT_EQ(toWindows1252(QStringLiteral("日")), "?");
}
