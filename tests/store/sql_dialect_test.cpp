#include "store/db/sql_dialect.h"

#include <gtest/gtest.h>

namespace velmar::db {
namespace {

struct RewriteCase {
    const char* jet;
    const char* sqlite;
};

TEST(RewriteJetSql, TurnsDoubleQuotedValuesIntoLiterals) {
    const RewriteCase cases[] = {
        {R"(SELECT * FROM Supports WHERE NomSupport = "Disque")",
         "SELECT * FROM Supports WHERE NomSupport = 'Disque'"},
        {R"(WHERE x = "Disque ""A""")", R"(WHERE x = 'Disque "A"')"},
        {R"(WHERE x = "l'été")", "WHERE x = 'l''été'"},
        {"WHERE x = 'it''s' AND y=\"\"", "WHERE x = 'it''s' AND y=''"},
        {"WHERE x = '\"quoted\"'", "WHERE x = '\"quoted\"'"},
        {R"(WHERE Extension = "Taille")", "WHERE Extension = 'Taille'"},
        {R"(WHERE x = "open)", "WHERE x = 'open'"},
        {"SELECT COUNT(*) AS n FROM t", "SELECT COUNT(*) AS n FROM t"},
    };
    for (const RewriteCase& c : cases)
        EXPECT_EQ(rewriteJetSql(QString::fromUtf8(c.jet)), QString::fromUtf8(c.sqlite)) << c.jet;
}

struct LikeCase {
    const char* pattern;
    const char* text;
    bool matches;
};

TEST(JetLike, WildcardsClassesAndCase) {
    const LikeCase cases[] = {
        {"*", "", true},
        {"*", "anything", true},
        {"a*", "ABC", true},
        {"*c", "abc", true},
        {"*b*", "abc", true},
        {"*b*", "ac", false},
        {"a?c", "abc", true},
        {"a?c", "ac", false},
        {"a?c", "abbc", false},
        {"#", "7", true},
        {"#", "x", false},
        {"##.mp3", "12.MP3", true},
        {"[a-c]*", "banane", true},
        {"[a-c]*", "datte", false},
        {"[!a-c]*", "datte", true},
        {"[xyz]", "Y", true},
        {"100%", "100%", true},
        {"100%", "1000", false},
        {"a_b", "a_b", true},
        {"a_b", "axb", false},
        {"*été*", "PLEIN ÉTÉ 2001", true},
        {"*ÉTÉ*", "l'été", true},
        {"*été*", "ete", false},
        {"[", "[", true},
        {"a*b*c", "aXbYbZc", true},
        {"a*b*c", "aXbYbZ", false},
        {"*.*", "readme", false},
    };
    for (const LikeCase& c : cases)
        EXPECT_EQ(jetLike(QString::fromUtf8(c.pattern), QString::fromUtf8(c.text)), c.matches)
            << c.pattern << " ~ " << c.text;
}

} // namespace
} // namespace velmar::db
