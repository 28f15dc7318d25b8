// Names from the file system as catalogue text and back to their bytes.

#include "platform/file_names.h"

#include <QList>

#include <gtest/gtest.h>

using namespace velmar;

namespace {

struct NameCase {
    const char* what;
    QByteArray bytes;
    QString text; // the decoded name
};

QString escapedBytes(std::initializer_list<unsigned char> bytes) {
    QString text;
    for (const unsigned char byte : bytes)
        text += QChar(static_cast<char16_t>(0xF700 + byte));
    return text;
}

TEST(FileNamesTest, DecodedNamesKeepTheirBytesAndNeverHoldASeparatorOrALineBreak) {
    const QList<NameCase> cases = {
        {"ASCII", "notes.txt", "notes.txt"},
        {"UTF-8", "caf\xc3\xa9 \xe2\x82\xac \xf0\x9f\x8e\xb5", QString::fromUtf8("café € 🎵")},
        {"Latin-1 byte", "caf\xe9", "caf" + escapedBytes({0xE9})},
        {"cut sequence", "a\xe2\x82", "a" + escapedBytes({0xE2, 0x82})},
        {"overlong slash", "\xc0\xaf", escapedBytes({0xC0, 0xAF})},
        {"surrogate", "\xed\xa0\x80", escapedBytes({0xED, 0xA0, 0x80})},
        {"backslash", "a\\b", "a" + escapedBytes({'\\'}) + "b"},
        {"line breaks", "a\nb\rc", "a" + escapedBytes({'\n'}) + "b" + escapedBytes({'\r'}) + "c"},
        {"escape range itself", "\xef\x9c\x80x", escapedBytes({0xEF, 0x9C, 0x80}) + "x"},
        {"just past the range", "\xef\xa0\x80", QString(QChar(0xF800))},
    };
    for (const NameCase& c : cases) {
        SCOPED_TRACE(c.what);
        const QString text = decodeFileName(c.bytes);
        EXPECT_EQ(text, c.text);
        EXPECT_FALSE(text.contains('\\') || text.contains('\n') || text.contains('\r'));
        EXPECT_EQ(encodeFileName(text), c.bytes);
    }
}

TEST(FileNamesTest, EveryByteRoundTrips) {
    QByteArray all;
    for (int byte = 1; byte < 256; ++byte)
        all.append(static_cast<char>(byte));
    EXPECT_EQ(encodeFileName(decodeFileName(all)), all);
}

} // namespace
