// Store operations on a real collection file: supports, directories, totals,
// counts and the support table.

#include "collection_fixture.h"
#include "store/catalogue.h"
#include "store/registry.h"
#include "store/support_table.h"
#include "support/scripted_dialogs.h"

#include <QFile>

#include <gtest/gtest.h>

namespace velmar {
namespace {

class CatalogueTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fixture.valid());
        ASSERT_TRUE(fixture.makeCollectionFile(fixture.paths().collectionFile(1)));
        ASSERT_TRUE(db.open(fixture.paths().collectionFile(1)));
    }
    qint64 addDirectory(int support, const QString& parent, const QString& name, qint64 parentNumber) {
        db::BulkInsert insert = db.prepareInsert(
            "Repertoires", {"NumSupport", "RepertoireParent", "RepertoireSeul", "NumRepertoireParent"});
        EXPECT_TRUE(insert.insert({support, parent, name, parentNumber}));
        return insert.lastInsertId();
    }

    test::CollectionFixture fixture;
    test::ScriptedDialogs dialogs;
    db::Database db;
};

TEST_F(CatalogueTest, SupportNamesAreUniqueWithoutCaseAndCut) {
    ASSERT_TRUE(AddSupport(db, "DISQUE", "E:\\", 3, -123456));
    EXPECT_FALSE(AddSupport(db, "Disque", "E", 3, 1));
    EXPECT_EQ(dialogs.messageTexts(), QStringList{"Ce nom de support existe déjà dans la collection !"});
    const QString longName = QString(60, QChar('x'));
    ASSERT_TRUE(AddSupport(db, longName, "F", 2, 7));
    int number = 0;
    ASSERT_TRUE(FindSupportByName(db, QString(50, QChar('X')), number));
    int type = 0;
    EXPECT_EQ(GetSupportName(db, number, type), QString(50, QChar('x')));
    EXPECT_EQ(type, 2);
    ASSERT_TRUE(FindSupportByName(db, "disque", number));
    db::Recordset rs =
        db.openRecordset("SELECT * FROM Supports WHERE NumSupport = " + QString::number(number));
    EXPECT_EQ(rs.field("DernierLecteurAttribue").toText(), QString("E"));
    EXPECT_EQ(rs.field("Identifiant").toText(), QString("-123456"));
    EXPECT_EQ(CountSupportsWithIdentifiant(db, "-123456"), 1);
    EXPECT_EQ(CountSupportsWithIdentifiant(db, "\"-123456"), 0);
}

TEST_F(CatalogueTest, SupportWithQuotesInItsName) {
    ASSERT_TRUE(AddSupport(db, "Disque \"A\"", "E", 1, 5));
    int number = 0;
    ASSERT_TRUE(FindSupportByName(db, "disque \"a\"", number));
    EXPECT_TRUE(db.execute("UPDATE Supports SET NomSupport = \"Disque \"\"B\"\"\" WHERE NumSupport=" +
                           QString::number(number)));
    int type = 0;
    EXPECT_EQ(GetSupportName(db, number, type), QString("Disque \"B\""));
}

TEST_F(CatalogueTest, UnknownLookupsWarnWithNeutralResults) {
    int type = 9;
    EXPECT_EQ(GetSupportName(db, 4, type), QString("Inconnu"));
    DirectoryFields fields;
    EXPECT_EQ(GetDirectoryPath(db, 12, 1, fields), QString("Inconnu"));
    EXPECT_FALSE(UpdateSupportTotals(db, "", 0));
    EXPECT_FALSE(UpdateSupportTotals(db, "Absent", 0));
    EXPECT_FALSE(UpdateSupportTotals(db, "", 3));
    EXPECT_EQ(dialogs.messageTexts(),
              (QStringList{"Ce support n'existe pas !", "Le répertoire n° 12 n'existe pas !",
                           "Renseignez le nom ou le numéro du support !", "Ce support n'existe pas !",
                           "Ce support n'existe pas !"}));
}

TEST_F(CatalogueTest, DirectoriesAndPaths) {
    const qint64 root = addDirectory(1, "", "", 0);
    const qint64 docs = addDirectory(1, "", "Docs", 0);
    const qint64 sub = addDirectory(1, "Docs", "Sub", docs);
    const qint64 deep = addDirectory(1, "Docs\\Sub", "X", sub);
    addDirectory(2, "", "Docs", 0);
    EXPECT_EQ(FindRootDirectory(db, 1), root);
    EXPECT_EQ(FindRootDirectory(db, 3), 0);
    EXPECT_EQ(FindDirectory(db, "Docs", 1), docs);
    EXPECT_EQ(FindDirectory(db, "Docs\\Sub\\", 1), sub);
    // Folders that differ by case alone are distinct on the media explored.
    EXPECT_EQ(FindDirectory(db, "docs\\sub", 1), 0);
    EXPECT_EQ(FindDirectory(db, "Docs\\Sub\\X", 1), deep);
    EXPECT_EQ(FindDirectory(db, "Docs\\Autre", 1), 0);
    DirectoryFields fields;
    EXPECT_EQ(GetDirectoryPath(db, docs, 1, fields), QString("Docs"));
    EXPECT_EQ(GetDirectoryPath(db, deep, 1, fields), QString("Docs\\Sub\\X"));
    EXPECT_EQ(fields.parentNumber, sub);
    db::Recordset children = ListSubdirectories(db, 1, 0);
    ASSERT_FALSE(children.eof());
    EXPECT_EQ(children.field("NumRepertoire").toNumber(), docs);
    EXPECT_FALSE(children.moveNext());
    EXPECT_EQ(CountSupportDirectories(db, 1), 4);
}

TEST_F(CatalogueTest, TotalsAreSixtyFourBitAndCountsSkipEmptyNames) {
    ASSERT_TRUE(AddSupport(db, "Gros", "E", 1, 1));
    const qint64 big = qint64{3} << 31;
    ASSERT_TRUE(test::addFileRow(db, 1, 1, "film.mkv", "mkv", big));
    ASSERT_TRUE(test::addFileRow(db, 1, 1, "b.txt", "txt", 5));
    ASSERT_TRUE(test::addFileRow(db, 1, 1, "", "", 0));
    ASSERT_TRUE(UpdateSupportTotals(db, "gros", 0));
    QList<SupportRow> rows = supportRows(db);
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].files, 3);
    EXPECT_EQ(rows[0].size, big + 5);
    EXPECT_EQ(CountCatalogueFiles(db), 2);
    db::Recordset files = ListDirectoryFiles(db, 1, 1, " AND Extension = \"txt\"");
    EXPECT_EQ(files.field("Fichier").toText(), QString("b.txt"));
}

// The count reads a partial index of the named files; a collection file made
// before that index (here: the model without it) must count the same rows.
// Renames to and from an empty name and deletions keep the index in step.
TEST_F(CatalogueTest, CatalogueCountWithAndWithoutTheNamedFilesIndex) {
    const QString countSql = "SELECT COUNT(*) AS NbFichiers FROM Fichiers WHERE Fichier<>''";
    for (const bool older : {false, true}) {
        SCOPED_TRACE(older ? "older collection file" : "current model");
        ASSERT_TRUE(db.execute("DELETE FROM Fichiers"));
        if (older) {
            ASSERT_TRUE(db.execute("DROP INDEX FichiersNommes"));
        }
        for (const char* name : {"a.txt", "", "B.TXT", " ", "", "c"})
            ASSERT_TRUE(test::addFileRow(db, 1 + int(qstrlen(name)) % 2, 1, name, "txt", 1));
        EXPECT_EQ(CountCatalogueFiles(db), 4);
        ASSERT_TRUE(db.execute("UPDATE Fichiers SET Fichier = '' WHERE Fichier = \"A.txt\""));
        ASSERT_TRUE(db.execute("UPDATE Fichiers SET Fichier = 'd' WHERE NumFichier = "
                               "(SELECT MIN(NumFichier) FROM Fichiers WHERE Fichier = '')"));
        ASSERT_TRUE(db.execute("DELETE FROM Fichiers WHERE Fichier = 'c'"));
        EXPECT_EQ(CountCatalogueFiles(db), 3);
        QString plan;
        for (db::Recordset rs = db.openRecordset("EXPLAIN QUERY PLAN " + countSql); !rs.eof(); rs.moveNext())
            plan += rs.field("detail").toText();
        EXPECT_EQ(plan.contains("FichiersNommes"), !older) << plan.toStdString();
    }
}

TEST_F(CatalogueTest, DigitsOfTheFileCount) {
    const std::pair<qint64, const char*> cases[] = {
        {0, "000000"}, {42, "000042"}, {999999, "999999"}, {1234567, "123456"}};
    for (const auto& [count, digits] : cases)
        EXPECT_EQ(catalogueDigits(count), QString(digits));
    const QStringList pictures = catalogueDigitPictures("/d/Data", 42);
    ASSERT_EQ(pictures.size(), 6);
    EXPECT_EQ(pictures[0], QString("/d/Data/Chiffres/0.BMP"));
    EXPECT_EQ(pictures[5], QString("/d/Data/Chiffres/2.BMP"));
}

TEST_F(CatalogueTest, SupportTableInNameOrder) {
    db.close();
    CollectionsRegistry registry(fixture.paths());
    QList<SupportRow> rows;
    EXPECT_FALSE(Affiche_InfosSupports(registry, rows));
    EXPECT_EQ(dialogs.messageTexts(), QStringList{"Vous devez ouvrir une collection auparavant."});
    dialogs.clear();
    EXPECT_EQ(CountCatalogueFiles(fixture.paths().collectionFile(1)), 0);
    EXPECT_EQ(CountCatalogueFiles(fixture.paths().collectionFile(9)), -1);
    // A stale collection file is never overwritten by a new collection.
    EXPECT_FALSE(registry.createCollection("C"));
    EXPECT_EQ(registry.count(), 0);
    ASSERT_TRUE(QFile::remove(fixture.paths().collectionFile(1)));
    ASSERT_TRUE(registry.createCollection("C"));
    ASSERT_TRUE(AddSupport(registry.database(), "Zèbre", "E", 1, 1));
    ASSERT_TRUE(AddSupport(registry.database(), "alpha", "E", 4, 2));
    ASSERT_TRUE(Affiche_InfosSupports(registry, rows));
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].name, QString("alpha"));
    EXPECT_EQ(rows[0].type, 4);
    EXPECT_EQ(supportTableHeaders().size(), 6);
}

} // namespace
} // namespace velmar
