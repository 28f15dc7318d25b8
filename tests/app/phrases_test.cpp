#include "app/phrases.h"

#include <QLocale>
#include <gtest/gtest.h>

using namespace velmar;

TEST(CountText, SingularServesZeroAndOne) {
    EXPECT_EQ(countText(0, "# fichier", "# fichiers"), "0 fichier");
    EXPECT_EQ(countText(1, "# fichier", "# fichiers"), "1 fichier");
    EXPECT_EQ(countText(2, "# collection - ", "# collections - "), "2 collections - ");
}

TEST(FilesPhrase, AucunUnThenNumber) {
    EXPECT_EQ(filesPhrase(0), "Aucun fichier");
    EXPECT_EQ(filesPhrase(1), "Un fichier");
    EXPECT_EQ(filesPhrase(0, PhraseCase::Lower), "aucun fichier");
    EXPECT_EQ(filesPhrase(1, PhraseCase::Lower), "un fichier");
    EXPECT_EQ(filesPhrase(300), "300 fichiers");
}

TEST(SizePhrase, UnitsCutNotRounded) {
    struct Case {
        qint64 bytes;
        bool whole;
        const char* expected;
    };
    const Case cases[] = {
        {0, false, "0 octet"},
        {1, false, "1 octet"},
        {2, false, "2 octets"},
        {1023, false, "1023 octets"},
        {1024, false, "1 Ko"},
        {1536, false, "1,5 Ko"},
        {1572864, false, "1,5 Mo"},
        {1572864, true, "1 Mo"},
        {1048575, false, "1023,99 Ko"}, // cut, never rounded up to 1024
        {1024 + 10, false, "1 Ko"},     // 1.0097... cut to 1.00, zeros dropped
        {1024 + 11, false, "1,01 Ko"},
        {3LL * 1024 * 1024 * 1024, false, "3 Go"},
        {5000LL * 1024 * 1024 * 1024, false, "5000 Go"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(sizePhrase(c.bytes, c.whole, QLatin1Char(',')), QString::fromUtf8(c.expected)) << c.bytes;
}

TEST(SizePhrase, SeparatorComesFromTheLocaleUnlessGiven) {
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    EXPECT_EQ(sizePhrase(1572864, false), "1,5 Mo");
    QLocale::setDefault(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(sizePhrase(1572864, false), "1.5 Mo");
    EXPECT_EQ(sizePhrase(1572864, false, QLatin1Char(',')), "1,5 Mo");
    QLocale::setDefault(QLocale::c());
}
