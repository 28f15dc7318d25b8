// velmar-cli explore over a temporary folder into a collection of a
// temporary data directory; the rows are read back from the collection file.

#include "app/files.h"
#include "collection_fixture.h"
#include "support/cli_run.h"

#include <QDir>

#include <gtest/gtest.h>

// Texts in failure messages as text, not as arrays of characters.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace velmar {
namespace {

using test::CliRun;

class ExploreCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fixture.valid());
        const QString ini = fixture.paths().dataDir + "Ini/";
        ASSERT_TRUE(QDir().mkpath(ini));
        writeTextLines(ini + "IgnorerRep.txt", {"Temp"});
        writeTextLines(ini + "IgnorerExt.txt", {"BAK"});
        writeTextLines(ini + "TypesAnalyses.dat", {"TXT#TEXTE#OUI"});
        ASSERT_EQ(cli({"create", "Photos"}).status, 0);
        file("docs/notes.txt", "Bonjour tout le monde");
        file("docs/old.bak");
        file("docs/Temp/cache.txt");
        file("photo.jpeg");
    }
    void file(const QString& relative, const QByteArray& content = "abc") {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(medium.filePath(relative)).path()));
        QFile f(medium.filePath(relative));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    CliRun cli(const QStringList& arguments) { return test::runCli(arguments, fixture.paths().dataDir); }
    CliRun explore(const QString& support, const QStringList& options = {}) {
        return cli(QStringList{"explore", "--collection", "Photos", "--name", support} + options +
                   QStringList{medium.path()});
    }
    // Each row of the query on the collection file, fields joined by '|'.
    QStringList rows(const QString& sql) { return fixture.rows(sql); }

    test::CollectionFixture fixture;
    QTemporaryDir medium;
};

TEST_F(ExploreCommandTest, CountersOnStandardOutputAndProgressOnStandardError) {
    const CliRun run = explore("Disque", {"--deep", "--infos", "--crc", "--exclude-dirs", "--exclude-ext"});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QString("Répertoires ajoutés\t2\n"
                               "Répertoires exclus\t1\n"
                               "Fichiers trouvés\t3\n"
                               "Programmes ajoutés\t0\n"
                               "Archives ajoutées\t0\n"
                               "Fichiers associés ajoutés\t2\n"
                               "Fichiers exclus\t1\n"
                               "Fichiers illisibles\t0\n"
                               "Fichiers laissés de côté (nom trop long)\t0\n"
                               "Répertoires illisibles\t0\n"
                               "Répertoires au chemin trop long\t0\n"
                               "Exploration arrêtée\tnon\n"));
    // Three directories listed, docs/Temp excluded without a percentage of its own;
    // the root's file comes first, then the two of docs.
    EXPECT_EQ(run.err, QString("Répertoires : 33 %\nRépertoires : 66 %\nRépertoires : 100 %\n"
                               "Fichiers : 33 %\nFichiers : 66 %\n"));
    EXPECT_EQ(
        rows("SELECT Fichier, Extension, Infos, CRC, Taille FROM Fichiers ORDER BY Fichier"),
        QStringList({"notes.txt|TXT|Bonjour tout le monde|8CCF7793|21", "photo.jpeg|JPEG||352441C2|3"}));
    EXPECT_EQ(rows("SELECT NomSupport, NbFichiersSupport, TailleSupport FROM Supports"),
              QStringList({"Disque|2|24"}));
    // The catalogue's paths are relative to the volume holding the folder.
    const QStringList directories = rows("SELECT RepertoireSeul FROM Repertoires ORDER BY NumRepertoire");
    EXPECT_EQ(directories, QStringList({QFileInfo(medium.path()).fileName(), "docs"}));
}

TEST_F(ExploreCommandTest, AMediumAlreadyCataloguedIsExploredAgainOnlyWithYes) {
    ASSERT_EQ(explore("Premier").status, 0);
    const CliRun refused = explore("Second");
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.out.isEmpty());
    EXPECT_EQ(refused.err, QString("Ce support a déjà été ajouté dans la collection.\n"
                                   "Souhaitez-vous malgré tout l'explorer ?\n"));
    EXPECT_EQ(rows("SELECT COUNT(*) FROM Supports"), QStringList({"1"}));

    const CliRun accepted = explore("Second", {"--yes"});
    EXPECT_EQ(accepted.status, 0);
    EXPECT_TRUE(accepted.out.startsWith("Répertoires ajoutés\t3\n")) << accepted.out.toStdString();
    EXPECT_EQ(rows("SELECT COUNT(*), COUNT(DISTINCT Identifiant) FROM Supports"), QStringList({"2|1"}));
    EXPECT_EQ(rows("SELECT COUNT(*) FROM Fichiers"), QStringList({"8"}));
}

struct Refusal {
    const char* what;
    QStringList arguments;
    int status;
    const char* message;
};

TEST_F(ExploreCommandTest, RefusalsLeaveTheCollectionUntouched) {
    ASSERT_EQ(explore("Disque").status, 0);
    const QString m = medium.path();
    const QList<Refusal> refusals = {
        {"unknown collection",
         {"explore", "--collection", "Inconnue", "--name", "X", m},
         1,
         "Collection non trouvé !"},
        {"name already used",
         {"explore", "--collection", "Photos", "--name", "DISQUE", "--yes", m},
         1,
         "Ce nom de support existe déjà dans la collection !"},
        {"no collection given", {"explore", "--name", "X", m}, 2, "Utilisation : velmar-cli explore"},
        {"unknown option",
         {"explore", "--collection", "Photos", "--name", "X", "--fast", m},
         2,
         "Argument inattendu : --fast"},
        {"missing folder",
         {"explore", "--collection", "Photos", "--name", "X", "/nonexistent/x"},
         1,
         "est introuvable"},
        {"update of a support not catalogued",
         {"explore", "--update", "--collection", "Photos", "--name", "Autre", m},
         1,
         "Le support « Autre » n'est pas dans la collection : il ne peut pas être mis à jour."},
    };
    for (const Refusal& r : refusals) {
        const CliRun run = cli(r.arguments);
        EXPECT_EQ(run.status, r.status) << r.what;
        EXPECT_TRUE(run.err.contains(QString::fromUtf8(r.message)))
            << r.what << ": " << run.err.toStdString();
        EXPECT_TRUE(run.out.isEmpty()) << r.what;
    }
    EXPECT_EQ(rows("SELECT NomSupport FROM Supports"), QStringList({"Disque"}));
}

// The counters of the fresh walk, then what the update changed.
TEST_F(ExploreCommandTest, AnUpdateEndsWithWhatItChanged) {
    ASSERT_EQ(explore("Disque", {"--deep", "--crc"}).status, 0);
    file("docs/added.txt");
    ASSERT_TRUE(QFile::remove(medium.filePath("photo.jpeg")));
    const CliRun run = explore("Disque", {"--update"});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.startsWith("Répertoires ajoutés\t3\n")) << run.out.toStdString();
    EXPECT_TRUE(run.out.endsWith("Exploration arrêtée\tnon\n"
                                 "Mise à jour\t1 ajouté, 0 modifié, 1 supprimé, 3 inchangés\n"))
        << run.out.toStdString();
    EXPECT_EQ(rows("SELECT NomSupport, NbFichiersSupport FROM Supports"), QStringList({"Disque|4"}));
    EXPECT_EQ(rows("SELECT Fichier, CRC <> '' FROM Fichiers WHERE Fichier IN ('notes.txt', 'added.txt') "
                   "ORDER BY 1"),
              QStringList({"added.txt|0", "notes.txt|1"}))
        << "a quick update keeps the CRC of a file that did not change";
}

} // namespace
} // namespace velmar
