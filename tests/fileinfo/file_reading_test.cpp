#include "fileinfo/file_reading.h"

#include "sample_files.h"
#include "support/scripted_dialogs.h"

#include "app/dialogs.h"

#include <gtest/gtest.h>

namespace velmar {
namespace {

TEST(LitBlocFichier, PadsWithBlanksPastTheEnd) {
    test::SampleFolder folder;
    const QString path = folder.write("f.bin", "ABCDEF");
    EXPECT_EQ(LitBlocFichier(path, 1, 3), QByteArray("ABC"));
    EXPECT_EQ(LitBlocFichier(path, 5, 4), QByteArray("EF  "));
    EXPECT_EQ(LitBlocFichier(path, 10, 2), QByteArray("  "));
    EXPECT_EQ(LitBlocFichier(folder.path("missing"), 1, 2), QByteArray("  "));
    EXPECT_TRUE(LitBlocFichier(path, 1, 0).isEmpty());
}

TEST(ChercheDansFichier, FindsANeedleAcrossABlockBoundary) {
    test::SampleFolder folder;
    QByteArray bytes(25000, 'x');
    bytes.replace(9997, 7, "<TITLE>"); // positions 9998..10004 straddle the first block's end
    const QString path = folder.write("f.htm", bytes);
    double start = 1;
    EXPECT_EQ(ChercheDansFichier(path, start, "<TITLE>", false), 9998);
    EXPECT_DOUBLE_EQ(start, 10000 - 7 + 1); // the second block starts 7 bytes before the first one ended
    start = 1;
    EXPECT_EQ(ChercheDansFichier(path, start, "<title>", true), 9998);
    start = 1;
    EXPECT_EQ(ChercheDansFichier(path, start, "<title>", false), -1);
    start = 9999;
    EXPECT_EQ(ChercheDansFichier(path, start, "<TITLE>", false), -1);
}

TEST(ChercheDansFichier, FoldsAccentedLettersWhenIgnoringCase) {
    test::SampleFolder folder;
    const QString path = folder.write("f.txt", "abc \xE9t\xE9 def");
    double start = 1;
    EXPECT_EQ(ChercheDansFichier(path, start, "\xC9T\xC9", true), 5);
    start = 1;
    EXPECT_EQ(ChercheDansFichier(path, start, "\xC9T\xC9", false), -1);
    start = 3;
    EXPECT_EQ(ChercheDansFichier(path, start, "ABC", true), -1);
    EXPECT_EQ(ChercheDansFichier(folder.path("none"), start, "a", false), -1);
}

TEST(ValeurMot, ReadsLittleEndianAndRefusesOtherLengths) {
    test::ScriptedDialogs dialogs;
    EXPECT_EQ(ValeurMot(QByteArray("\x34\x12", 2)), 0x1234);
    EXPECT_EQ(ValeurMot(QByteArray("\xFF\xFF", 2)), 65535);
    EXPECT_EQ(ValeurOctet(QByteArray("\xE9", 1)), 0xE9);
    EXPECT_TRUE(dialogs.messages().isEmpty());
    EXPECT_EQ(ValeurMot(QByteArray("abc")), 0);
    EXPECT_EQ(ValeurOctet(QByteArray()), 0);
    ASSERT_EQ(dialogs.messages().size(), 2);
    EXPECT_EQ(dialogs.messages()[0].text, QStringLiteral("La conversion nécessite une chaine de 2 octets"));
    EXPECT_EQ(dialogs.messages()[0].style, MessageStyle::Exclamation);
    EXPECT_EQ(dialogs.messages()[1].text, QStringLiteral("La conversion nécessite une chaine de 1 octet"));
}

TEST(TextHelpers, TrimOnlyBlanksAndCutAtNul) {
    EXPECT_EQ(SupprimeEspacesDroite(QStringLiteral(" a b \t  ")), QStringLiteral(" a b \t"));
    EXPECT_EQ(SupprimeEspacesGauche(QStringLiteral("  \ta ")), QStringLiteral("\ta "));
    EXPECT_EQ(CoupeAuNul(QString::fromLatin1("ab\0cd", 5)), QStringLiteral("ab"));
    EXPECT_EQ(CoupeAuNul(QStringLiteral("abc")), QStringLiteral("abc"));
    EXPECT_EQ(CoupeAuNul(QByteArray("\0x", 2)), QByteArray());
}

} // namespace
} // namespace velmar
