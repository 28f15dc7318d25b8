#include "fileinfo/file_infos.h"

#include "sample_files.h"

#include <gtest/gtest.h>

namespace velmar {
namespace {

struct Case {
    const char* name;
    QByteArray bytes;
    const char* text; // UTF-8, CR LF line breaks
};

class TextMode : public ::testing::TestWithParam<Case> {};

TEST_P(TextMode, GivesTheFirstLines) {
    test::SampleFolder folder;
    const QString path = folder.write("sample.dat", GetParam().bytes);
    EXPECT_EQ(RenvoieInfosFichier(path, QStringLiteral("TEXTE")), QString::fromUtf8(GetParam().text));
}

INSTANTIATE_TEST_SUITE_P(
    Samples, TextMode,
    ::testing::Values(Case{"TabAtFive", "abcd\tefghijkl", ""},
                      Case{"TabAtEleven", "abcdefghij\tklm", "abcdefghij"},
                      Case{"WordInBreaks", "\r\n\r\n   mot  \r\n\r\n  ", "mot"},
                      Case{"ThreeBreaksBecomeTwo", "un\r\n\r\n\r\ndeux", "un\r\n\r\ndeux"},
                      Case{"IndentAfterBreak", "premier\r\n    second", "premier\r\n second"},
                      Case{"BareLineFeedCuts", "premiere ligne\nsuite", "premiere ligne"},
                      Case{"Windows1252", "Caf\xE9 cr\xE8me \x80", "Café crème €"}, Case{"Empty", "", ""},
                      Case{"OnlyThe300FirstBytes", QByteArray(400, 'a'),
                           "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"
                           "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"
                           "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"
                           "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"
                           "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"
                           "aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RenvoieInfosFichier, GivesNothingForAMissingFileOrAnUnknownMode) {
    test::SampleFolder folder;
    const QString path = folder.write("lisez.txt", "Bonjour tout le monde");
    EXPECT_EQ(RenvoieInfosFichier(path, QStringLiteral("TEXTE")), QStringLiteral("Bonjour tout le monde"));
    EXPECT_EQ(RenvoieInfosFichier(path, QStringLiteral("texte")), QString());
    EXPECT_EQ(RenvoieInfosFichier(path, QStringLiteral("AUTO")), QString()); // TXT has no content probe
    EXPECT_EQ(RenvoieInfosFichier(folder.path("absent.txt"), QStringLiteral("TEXTE")), QString());
    EXPECT_EQ(RenvoieInfosFichier(folder.path("absent.htm"), QStringLiteral("AUTO")), QString());
}

} // namespace
} // namespace velmar
