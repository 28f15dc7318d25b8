#include "store/search_condition.h"

#include <QLocale>
#include <gtest/gtest.h>

using namespace velmar;

TEST(BuildSearchCondition, FragmentsOfEachKind) {
    const QString Q = "\"";
    const struct {
        FilterKind kind;
        QString value;
        QString expected;
    } cases[] = {
        {FilterKind::None, "x", ""},
        {FilterKind::FileName, "report", " WHERE Fichier LIKE " + Q + "*report*" + Q + " "},
        {FilterKind::FileName, "", " WHERE Fichier LIKE " + Q + "**" + Q + " "},
        {FilterKind::FileName, "a\"b", " WHERE Fichier LIKE " + Q + "*a\"\"b*" + Q + " "},
        {FilterKind::DirectoryName, "doc",
         " WHERE (RepertoireSeul LIKE " + Q + "*doc*" + Q + "  Or RepertoireParent LIKE " + Q + "*doc*" + Q +
             ") "},
        {FilterKind::FileOrDirectoryName, "d",
         " WHERE (Fichier LIKE " + Q + "*d*" + Q + " OR RepertoireSeul LIKE " + Q + "*d*" + Q +
             "  Or RepertoireParent LIKE " + Q + "*d*" + Q + ") "},
        {FilterKind::Extension, "EXE", " WHERE Extension = " + Q + "EXE" + Q + " "},
        {FilterKind::MinimumSize, "1000", " WHERE Fichiers.Taille >=  1000 "},
        {FilterKind::MaximumSize, "abc", " WHERE Fichiers.Taille <=  abc "}, // inserted unchecked
        {FilterKind::Crc, "CBF43926", " WHERE CRC = " + Q + "CBF43926" + Q + " "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(BuildSearchCondition(c.kind, c.value), c.expected) << c.value.toStdString();
}

TEST(BuildSearchCondition, MultiCriteriaJoinsFilledBoxesInOrder) {
    EXPECT_EQ(BuildSearchCondition({"", "", "EXE", "1000", ""}),
              " WHERE Extension = \"EXE\"  AND Fichiers.Taille >=  1000 ");
    EXPECT_EQ(BuildSearchCondition({"", "", "", "", ""}), "");
}

TEST(SearchQuery, OrdersBySupportDirectoryExtensionName) {
    const QString sql = searchQuery("");
    EXPECT_TRUE(
        sql.startsWith("SELECT Repertoires.NumSupport AS NumeroSupp, Repertoires.NumRepertoire AS NumeroRep, "
                       "Extension, Fichier,  RepertoireParent"));
    EXPECT_TRUE(sql.contains(" FROM Fichiers INNER JOIN Repertoires ON Fichiers.NumRepertoire = "
                             "Repertoires.NumRepertoire  ORDER BY"));
    EXPECT_TRUE(sql.endsWith("Fichiers.Extension, Fichiers.Fichier ;"));
}

TEST(ExtensionFilterClause, ReadsEntriesUntilTheFirstEmptyOne) {
    const struct {
        const char* filter;
        const char* clause;
    } cases[] = {
        {"", ""},
        {"JPG;BMP", " AND (Extension=\"JPG\" OR Extension=\"BMP\")"},
        {";JPG", ""},
        {"JPG;;BMP", " AND (Extension=\"JPG\")"},
        {"TOOLONG;GIF", " AND (Extension=\"GIF\")"},
        {"TOOLONG;SIXSIX", ""},
        {"A\"B", " AND (Extension=\"A\"\"B\")"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(extensionFilterClause(c.filter), c.clause) << c.filter;
}

TEST(TranslatedSize, OnlyWholeNumbers) {
    QLocale::setDefault(QLocale(QLocale::French));
    EXPECT_EQ(translatedSize("1572864"), "Soit 1,5 Mo");
    EXPECT_EQ(translatedSize("-5"), "");
    EXPECT_EQ(translatedSize("1.5"), "");
    EXPECT_EQ(translatedSize("abc"), "");
    QLocale::setDefault(QLocale::c());
}
