#include "app/text.h"

#include <gtest/gtest.h>

using namespace velmar;

TEST(NombreEnTexte, InvariantFormWithLeadingZero) {
    EXPECT_EQ(NombreEnTexte(0.5), "0.5");
    EXPECT_EQ(NombreEnTexte(-0.25), "-0.25");
    EXPECT_EQ(NombreEnTexte(1234.0), "1234");
    EXPECT_EQ(NombreEnTexte(qint64(5000000000)), "5000000000");
}

TEST(RemplaceTexte, ReplacesLeftToRightWithoutRescanning) {
    struct Case {
        QString text, find, repl;
        bool ignoreCase;
        int max;
        QString expected;
        bool result;
    };
    const Case cases[] = {
        {"aaa", "a", "aa", false, -1, "aaaaaa", true}, // the replacement is never searched again
        {"abcabc", "b", "X", false, 1, "aXcabc", true},    {"AbAb", "ab", "-", true, -1, "--", true},
        {"AbAb", "ab", "-", false, -1, "AbAb", false},     {"abc", "", "X", false, -1, "abc", false},
        {"a\"b", "\"", "\"\"", false, -1, "a\"\"b", true},
    };
    for (const Case& c : cases) {
        QString text = c.text;
        EXPECT_EQ(RemplaceTexte(text, c.find, c.repl, c.ignoreCase, c.max), c.result) << c.text.toStdString();
        EXPECT_EQ(text, c.expected);
    }
}

TEST(HashField, CountsFromOneAndIsEmptyPastTheEnd) {
    EXPECT_EQ(hashField("1#CD.bmp#CD-ROM#CD", 1), "1");
    EXPECT_EQ(hashField("1#CD.bmp#CD-ROM#CD", 4), "CD");
    EXPECT_EQ(hashField("1#CD.bmp#CD-ROM#CD", 5), "");
    EXPECT_EQ(hashField("a##c", 2), "");
    EXPECT_EQ(hashField("a##c", 3), "c");
    EXPECT_EQ(hashField("", 1), "");
}

TEST(NumericValue, ReadsTheLeadingNumberLikeVal) {
    const std::pair<const char*, double> cases[] = {
        {"", 0},        {"abc", 0},    {"12", 12}, {"  12abc", 12},
        {"-7.5", -7.5}, {"1e3", 1000}, {"3e", 3},  {".5", 0.5},
    };
    for (const auto& [text, value] : cases)
        EXPECT_DOUBLE_EQ(numericValue(QString::fromLatin1(text)), value) << text;
}

TEST(SqlQuote, DoublesInnerQuotes) {
    EXPECT_EQ(sqlQuote("Disque \"A\""), "\"Disque \"\"A\"\"\"");
    EXPECT_EQ(sqlQuote(""), "\"\"");
}
