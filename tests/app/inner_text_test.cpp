#include "app/inner_text.h"

#include <gtest/gtest.h>

using namespace velmar;

namespace {

struct Case {
    const char* what;
    QByteArray bytes;
    bool utf8;
};

} // namespace

TEST(InnerText, TellsUtf8FromWindows1252) {
    const Case cases[] = {
        {"plain ASCII is no evidence", "readme.txt", false},
        {"two-byte letters", "r\xC3\xA9sum\xC3\xA9.txt", true},
        {"three-byte euro sign", "\xE2\x82\xAC", true},
        {"four-byte emoji", "\xF0\x9F\x98\x80", true},
        {"Latin-1 e acute alone", "r\xE9sum\xE9", false},
        {"Windows-1252 quotes", "\x93quoted\x94", false},
        {"overlong slash", "\xC0\xAF", false},
        {"overlong three-byte form", "\xE0\x80\xAF", false},
        {"UTF-16 surrogate", "\xED\xA0\x80", false},
        {"past U+10FFFF", "\xF4\x90\x80\x80", false},
        {"sequence cut at the end", "abc\xC3", false},
        {"lone continuation byte", "\x80", false},
        {"continuation missing in the middle", "\xE2\x82x", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(looksLikeUtf8(c.bytes.constData(), c.bytes.size()), c.utf8) << c.what;
}

TEST(InnerText, DeclaredEncodingWinsOverTheGuess) {
    const QByteArray utf8 = "r\xC3\xA9sum\xC3\xA9";
    EXPECT_EQ(innerText(utf8), QString::fromUtf8("résumé"));
    EXPECT_EQ(innerText(utf8, DeclaredEncoding::Windows1252), QString::fromUtf8("rÃ©sumÃ©"));
    EXPECT_EQ(innerText(QByteArray("r\xE9sum\xE9"), DeclaredEncoding::Unknown), QString::fromUtf8("résumé"));
    EXPECT_EQ(innerText(QByteArray("\x80"), DeclaredEncoding::Unknown), QString(QChar(0x20AC)));
}
