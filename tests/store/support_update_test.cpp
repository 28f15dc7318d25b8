// Updates of a support explored from a real folder into a real collection:
// the folder changes, the support is updated, and the result is compared with
// what a fresh exploration of the folder stores.

#include "app/files.h"
#include "app/session.h"
#include "collection_fixture.h"
#include "explore/probe_analysis.h"
#include "explore/support_update.h"
#include "store/catalogue.h"
#include "store/catalogue_writer.h"
#include "store/selected_file.h"
#include "store/unfinished_explorations.h"
#include "store/volume_labels.h"
#include "support/query_rows.h"
#include "support/scripted_dialogs.h"
#include "support/stop_after.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

// Texts in failure messages as text, not as arrays of characters.
inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace velmar {
namespace {

using test::StopAfter;

class SupportUpdateTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fixture.valid());
        session().paths = DataLayout(app.path());
        QDir().mkpath(session().paths.tmpDir);
        QDir().mkpath(session().paths.dataDir + "Ini");
        writeTextLines(session().paths.ignoredDirsFile, {});
        writeTextLines(session().paths.ignoredExtsFile, {});
        writeTextLines(session().paths.analysedTypesFile, {"TXT#TEXTE#OUI"});
        const QString file = app.filePath("Essai.mdb");
        ASSERT_TRUE(fixture.makeCollectionFile(file));
        ASSERT_TRUE(db.open(file));
        request.supportName = "Disque";
        request.volume.rootPath = medium.path() + "/";
        request.volume.serial = 7;
        request.startDirectory = medium.path();
        request.deep = request.readInfos = request.computeCrc = true;
    }
    void write(const QString& relative, const QByteArray& content) {
        QDir().mkpath(QFileInfo(medium.filePath(relative)).absolutePath());
        QFile f(medium.filePath(relative));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    ExplorationOutcome explore(const QString& name) {
        ExplorationRequest fresh = request;
        fresh.supportName = name;
        CatalogueWriter writer(db);
        NoProgress progress;
        ExplorationCounters counters;
        return runExploration(fresh, {writer, analysis, display, progress}, counters);
    }
    ExplorationOutcome update(Progress& progress) {
        CatalogueWriter writer(db);
        counters = {};
        return runUpdate(request, {writer, analysis, display, progress}, writer, counters, summary);
    }
    ExplorationOutcome update() {
        NoProgress progress;
        return update(progress);
    }
    QStringList rows(const QString& sql) { return test::queryRows(db, sql); }
    // Every file of a support: directory path, name, size, date, CRC, text.
    QStringList files(const QString& support) {
        return rows("SELECT r.RepertoireParent || '\\' || r.RepertoireSeul, f.Fichier, f.Taille, "
                    "f.DerniereModif, f.CRC, f.Infos FROM Fichiers f JOIN Repertoires r ON r.NumRepertoire = "
                    "f.NumRepertoire JOIN Supports s ON s.NumSupport = f.NumSupport WHERE s.NomSupport = '" +
                    support + "' ORDER BY 1, 2");
    }
    QStringList directories(const QString& support) {
        return rows("SELECT RepertoireParent || '\\' || RepertoireSeul FROM Repertoires JOIN Supports USING "
                    "(NumSupport) WHERE NomSupport = '" +
                    support + "' ORDER BY 1");
    }
    qint64 fileNumber(const QString& name) {
        return rows("SELECT NumFichier FROM Fichiers WHERE Fichier = '" + name + "'").value(0).toLongLong();
    }
    void editComment(const QString& name, const QString& comment) {
        const QStringList found =
            rows("SELECT NumSupport, NumRepertoire, NumFichier FROM Fichiers WHERE Fichier = '" + name + "'");
        ASSERT_EQ(found.size(), 1);
        const QStringList n = found.first().split('|');
        QString stored;
        ASSERT_TRUE(FichierSelectionne_ModifieCommentaire(
            db, {n[0].toInt(), n[1].toLongLong(), n[2].toLongLong()}, comment, stored));
    }
    // The name index holds every row, and nothing waits to go in.
    void expectNameIndexInStep() {
        EXPECT_TRUE(db.execute("INSERT INTO NomsFichiers(NomsFichiers) VALUES('integrity-check')"))
            << db.lastError().toStdString();
        EXPECT_TRUE(db.execute("INSERT INTO NomsRepertoires(NomsRepertoires) VALUES('integrity-check')"));
        EXPECT_EQ(rows("SELECT count(*) FROM NomsFichiersEnAttente"), QStringList{"0"});
    }

    QTemporaryDir app, medium;
    test::CollectionFixture fixture;
    test::ScriptedDialogs dialogs;
    db::Database db;
    ProbeAnalysis analysis;
    ExplorationDisplay display;
    ExplorationRequest request;
    ExplorationCounters counters;
    UpdateSummary summary;
};

TEST_F(SupportUpdateTest, TheSupportEndsAsAFreshExplorationWouldStoreItKeepingItsComments) {
    write("keep.txt", "stays the same");
    write("changed.txt", "v1");
    write("commented.txt", "c1");
    write("renamed.txt", "moves");
    write("gone.txt", "goes");
    write("old/inside.txt", "the whole folder goes");
    write("sub/deep/s.txt", "deep and unchanged");
    ASSERT_EQ(explore("Disque"), ExplorationOutcome::Completed);
    editComment("keep.txt", "mon commentaire");
    editComment("commented.txt", "à garder");
    const qint64 keepNumber = fileNumber("keep.txt");

    write("changed.txt", "version 2");
    write("commented.txt", "c2, longer");
    ASSERT_TRUE(QFile::rename(medium.filePath("renamed.txt"), medium.filePath("renamed2.txt")));
    ASSERT_TRUE(QFile::remove(medium.filePath("gone.txt")));
    ASSERT_TRUE(QDir(medium.filePath("old")).removeRecursively());
    write("new/n.txt", "new");

    request.volume.label = "SAUVEGARDE";
    ASSERT_EQ(update(), ExplorationOutcome::Completed);
    EXPECT_EQ(summary.text(), "2 ajoutés, 2 modifiés, 3 supprimés, 2 inchangés");
    EXPECT_EQ(volumeLabel(db, 1), "SAUVEGARDE") << "the support takes the label of the medium explored";
    EXPECT_TRUE(dialogs.messages().isEmpty()) << dialogs.messageTexts().join('\n').toStdString();
    EXPECT_EQ(fileNumber("keep.txt"), keepNumber) << "an unchanged file keeps its row";

    // A fresh exploration of the folder is the reference, but for the two comments.
    dialogs.answerQuestions({MessageAnswer::Yes}); // the medium is catalogued already
    ASSERT_EQ(explore("Témoin"), ExplorationOutcome::Completed);
    QStringList expected = files("Témoin");
    expected.replaceInStrings(QRegularExpression("^(.*\\|keep\\.txt\\|.*\\|)stays the same$"),
                              "\\1mon commentaire");
    expected.replaceInStrings(QRegularExpression("^(.*\\|commented\\.txt\\|.*\\|)c2, longer$"),
                              "\\1à garder");
    EXPECT_EQ(files("Disque"), expected);
    EXPECT_EQ(directories("Disque"), directories("Témoin"));
    const QStringList totals =
        rows("SELECT NbFichiersSupport, TailleSupport FROM Supports ORDER BY NumSupport");
    ASSERT_EQ(totals.size(), 2);
    EXPECT_EQ(totals[0], totals[1]);
    EXPECT_EQ(rows("SELECT NomSupport FROM Supports ORDER BY NumSupport"), QStringList({"Disque", "Témoin"}));
    EXPECT_TRUE(UnfinishedSupportNames(db).isEmpty());
    expectNameIndexInStep();
}

// An update takes a file whose size and date did not change as unchanged: it
// keeps what was stored of it without reading it. A quick update keeps the
// CRC and text of unchanged files and drops those of changed ones.
TEST_F(SupportUpdateTest, SizeAndDateDecideWhatIsReadAgain) {
    write("same.txt", "AAAA");
    write("grown.txt", "BBBB");
    ASSERT_EQ(explore("Disque"), ExplorationOutcome::Completed);
    const QStringList before = files("Disque");
    const QDateTime date = QFileInfo(medium.filePath("same.txt")).lastModified();
    write("same.txt", "ZZZZ"); // same size; the date is put back below
    QFile same(medium.filePath("same.txt"));
    ASSERT_TRUE(same.open(QIODevice::ReadWrite));
    ASSERT_TRUE(same.setFileTime(date, QFileDevice::FileModificationTime));
    same.close();

    ASSERT_EQ(update(), ExplorationOutcome::Completed);
    EXPECT_EQ(summary.text(), "0 ajouté, 0 modifié, 0 supprimé, 2 inchangés");
    EXPECT_EQ(files("Disque"), before);

    write("grown.txt", "BBBBBB");
    request.deep = false;
    ASSERT_EQ(update(), ExplorationOutcome::Completed);
    EXPECT_EQ(summary.text(), "0 ajouté, 1 modifié, 0 supprimé, 1 inchangé");
    const QStringList after = files("Disque");
    ASSERT_EQ(after.size(), 2);
    const QStringList grown = after[0].split('|'); // directory, name, size, date, CRC, text
    EXPECT_EQ(grown.mid(1, 2), QStringList({"grown.txt", "6"}));
    EXPECT_EQ(grown.mid(4), QStringList({"", ""})) << "what was read of the old content goes";
    EXPECT_EQ(after[1], before[1]);
}

// A stop anywhere in the update, or an update killed and started again, leaves
// the support either as it was or updated.
TEST_F(SupportUpdateTest, AStoppedUpdateLeavesTheSupportAsItWas) {
    for (const char* f : {"a/1.txt", "a/2.txt", "b/3.txt", "b/4.txt", "c/5.txt"})
        write(f, f);
    ASSERT_EQ(explore("Disque"), ExplorationOutcome::Completed);
    const QStringList before = files("Disque");
    write("a/1.txt", "changed content");
    write("d/6.txt", "new");
    ASSERT_TRUE(QFile::remove(medium.filePath("b/3.txt")));
    for (int after : {0, 3, 6, 9, 12}) {
        StopAfter progress(after);
        EXPECT_EQ(update(progress), ExplorationOutcome::Completed);
        EXPECT_TRUE(counters.stopped) << after;
        EXPECT_EQ(files("Disque"), before) << after;
        EXPECT_EQ(rows("SELECT count(*) FROM Supports"), QStringList{"1"}) << after;
    }
    expectNameIndexInStep();

    // What a killed update leaves: its unfinished copy, cleared by the next one.
    ASSERT_TRUE(AddSupport(db, updateStagingName(1), "/", 2, 7));
    ASSERT_TRUE(MarkExplorationStarted(db, 2));
    ASSERT_EQ(update(), ExplorationOutcome::Completed);
    EXPECT_EQ(summary.text(), "1 ajouté, 1 modifié, 1 supprimé, 3 inchangés");
    EXPECT_EQ(rows("SELECT NomSupport FROM Supports"), QStringList{"Disque"});
    EXPECT_TRUE(UnfinishedSupportNames(db).isEmpty());
}

TEST_F(SupportUpdateTest, OnlyASupportExploredToItsEndIsUpdated) {
    write("a.txt", "a");
    request.supportName = "Absent";
    EXPECT_EQ(update(), ExplorationOutcome::Refused);
    EXPECT_EQ(
        dialogs.messageTexts(),
        QStringList{"Le support « Absent » n'est pas dans la collection : il ne peut pas être mis à jour."});

    ASSERT_EQ(explore("Disque"), ExplorationOutcome::Completed);
    ASSERT_TRUE(MarkExplorationStarted(db, 1));
    dialogs.clear();
    request.supportName = "disque";
    EXPECT_EQ(update(), ExplorationOutcome::Refused);
    EXPECT_EQ(
        dialogs.messageTexts(),
        QStringList{"L'exploration du support « disque » n'a pas abouti : explorez-le de nouveau sous le "
                    "même nom plutôt que de le mettre à jour."});
    EXPECT_EQ(rows("SELECT count(*) FROM Supports"), QStringList{"1"});
}

} // namespace
} // namespace velmar
