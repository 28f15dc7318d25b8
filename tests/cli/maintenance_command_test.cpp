// velmar-cli support-rename, support-delete and clean over a collection
// explored from a temporary folder; the rows are read back from its file.

#include "app/files.h"
#include "collection_fixture.h"
#include "support/cli_run.h"

#include <QDir>

#include <gtest/gtest.h>

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace velmar {
namespace {

using test::CliRun;

class MaintenanceCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fixture.valid());
        const QString ini = fixture.paths().dataDir + "Ini/";
        ASSERT_TRUE(QDir().mkpath(ini));
        for (const char* list : {"IgnorerRep.txt", "IgnorerExt.txt", "TypesAnalyses.dat"})
            ASSERT_TRUE(writeTextLines(ini + list, {}));
        ASSERT_TRUE(QDir().mkpath(medium.filePath("docs/vide")));
        QFile file(medium.filePath("docs/notes.txt"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("Bonjour") == 7);
        file.close();
        ASSERT_EQ(cli({"create", "Photos"}).status, 0);
        for (const char* support : {"Disque", "Clé"})
            ASSERT_EQ(
                cli({"explore", "--collection", "Photos", "--name", support, "--yes", medium.path()}).status,
                0);
    }
    CliRun cli(const QStringList& arguments) { return test::runCli(arguments, fixture.paths().dataDir); }
    QStringList rows(const QString& sql) { return fixture.rows(sql); }

    test::CollectionFixture fixture;
    QTemporaryDir medium;
};

TEST_F(MaintenanceCommandTest, SupportRenameKeepsNamesUnique) {
    const CliRun renamed = cli({"support-rename", "--collection", "Photos", "Disque", "Archives 2024"});
    EXPECT_EQ(renamed.status, 0) << renamed.err.toStdString();
    EXPECT_EQ(rows("SELECT NomSupport FROM Supports ORDER BY NumSupport"),
              QStringList({"Archives 2024", "Clé"}));
    const CliRun taken = cli({"support-rename", "--collection", "Photos", "Clé", "ARCHIVES 2024"});
    EXPECT_EQ(taken.status, 1);
    EXPECT_EQ(taken.err, QString("Un support déjà intitulé comme cela existe déjà dans la collection !\n"));
    const CliRun missing = cli({"support-rename", "--collection", "Photos", "Absent", "X"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, QString("Ce support n'existe pas !\n"));
    EXPECT_EQ(cli({"support-rename", "--collection", "Photos", "Clé"}).status, 2);
}

TEST_F(MaintenanceCommandTest, SupportDeleteAsksThenRemovesEveryRowOfTheSupport) {
    const CliRun asked = cli({"support-delete", "--collection", "Photos", "Disque"});
    EXPECT_EQ(asked.status, 1);
    EXPECT_EQ(asked.err, QString("Êtes-vous sûr(e) de supprimer le support \"Disque\" ?\n"));
    EXPECT_EQ(rows("SELECT COUNT(*) FROM Supports"), QStringList({"2"}));
    EXPECT_EQ(cli({"support-delete", "--collection", "Photos", "Disque", "--yes"}).status, 0);
    EXPECT_EQ(rows("SELECT NomSupport FROM Supports"), QStringList({"Clé"}));
    EXPECT_EQ(rows("SELECT COUNT(*) FROM Fichiers WHERE NumSupport=1"), QStringList({"0"}));
    EXPECT_EQ(rows("SELECT COUNT(*) FROM Repertoires WHERE NumSupport=1"), QStringList({"0"}));
    EXPECT_EQ(rows("SELECT COUNT(*) FROM Fichiers WHERE NumSupport=2"), QStringList({"1"}));
}

TEST_F(MaintenanceCommandTest, CleanPurgesEmptyDirectoriesAndRecomputesTotals) {
    {
        db::Database database;
        ASSERT_TRUE(database.open(fixture.paths().collectionFile(1)));
        ASSERT_TRUE(database.execute("UPDATE Supports SET NbFichiersSupport = 0, TailleSupport = 0"));
    }
    const CliRun run = cli({"clean", "--collection", "Photos"});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.err, QString("2 répertoires effacés.\n")); // docs\vide of each support
    EXPECT_EQ(rows("SELECT RepertoireSeul FROM Repertoires WHERE RepertoireSeul='vide'"), QStringList());
    EXPECT_EQ(rows("SELECT NbFichiersSupport, TailleSupport FROM Supports"), QStringList({"1|7", "1|7"}));
    EXPECT_EQ(cli({"clean", "--collection", "Absente"}).status, 1);
}

} // namespace
} // namespace velmar
