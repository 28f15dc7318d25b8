#include "fileinfo/conversion.h"

#include <gtest/gtest.h>

namespace velmar {
namespace {

struct Case {
    const char* html;
    const char* text; // UTF-8
};

class Entities : public ::testing::TestWithParam<Case> {};

TEST_P(Entities, AreDecoded) {
    QString text = QString::fromUtf8(GetParam().html);
    ConvertitEntitesHTML(text);
    EXPECT_EQ(text, QString::fromUtf8(GetParam().text)) << GetParam().html;
}

INSTANTIATE_TEST_SUITE_P(Titles, Entities,
                         ::testing::Values(Case{"Tom &amp; Jerry", "Tom & Jerry"}, Case{"caf&#233;", "café"},
                                           Case{"&#65;&#65;", "AA"}, Case{"&eacute;t&eacute;", "été"},
                                           Case{"&EACUTE;t&Eacute;", "&EACUTE;tÉ"},
                                           Case{"&amp;lt;b&amp;gt;", "<b>"}, Case{"fin &#6", "fin &#6"},
                                           Case{"fin &#6 &amp;", "fin &#6 &"}, Case{"&#xe9;t&#XE9;", "été"},
                                           Case{"&#x20AC; &#8364;", "€ €"}, Case{"a&nbsp;b&shy;c", "a bc"},
                                           Case{"&otilde;&uml;", "&otilde;&uml;"},
                                           Case{"&#abc; puis &#66;", "&#abc; puis B"},
                                           Case{"&#0; &#1114112;", "&#0; &#1114112;"}, Case{"&#38;#65;", "A"},
                                           Case{"&yuml;&copy;&frac12;", "ÿ©½"}, Case{"", ""}));

TEST(ConvertitChaine, MapsBytesThroughTheTableAndKeeps255) {
    EXPECT_EQ(TableIdentite().size(), 255u);
    EXPECT_EQ(TableIdentite()[200], 200);
    QByteArray all;
    for (int i = 0; i < 256; ++i)
        all.append(char(i));
    EXPECT_EQ(ConvertitChaine(all, TableIdentite()), all);
    TableConversion upper = TableIdentite();
    for (int c = 'a'; c <= 'z'; ++c)
        upper[c] = static_cast<unsigned char>(c - 32);
    EXPECT_EQ(ConvertitChaine("abc\xFF", upper), QByteArray("ABC\xFF"));
}

} // namespace
} // namespace velmar
