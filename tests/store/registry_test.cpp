// The collections registry over a temporary data directory: the registry
// file, create/rename/delete/compact with their messages and file numbering.

#include "app/files.h"
#include "app/phrases.h"
#include "collection_fixture.h"
#include "platform/file_lock.h"
#include "store/catalogue.h"
#include "store/db/name_index.h"
#include "store/registry.h"
#include "support/scripted_dialogs.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

namespace velmar {
namespace {

class RecordingView final : public CollectionView {
public:
    void showNewCollectionPanel() override { ++newPanelShown; }
    void collectionOpened(int n, const QString& name) override { opened << QString::number(n) + ":" + name; }
    void listsChanged(const CollectionLists& lists) override { combo = lists.comboEntries; }
    int newPanelShown = 0;
    QStringList opened;
    QStringList combo;
};

class RegistryTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fixture.valid());
        registry.setView(&view);
        ASSERT_TRUE(registry.LoadRegistry());
    }
    QStringList registryLines() const {
        QStringList lines;
        readTextLines(fixture.paths().registryFile(), lines);
        return lines;
    }
    // Marks collection file n with a support named after `tag`.
    void tagFile(int n, const QString& tag) {
        db::Database db;
        ASSERT_TRUE(db.open(fixture.paths().collectionFile(n)));
        ASSERT_TRUE(AddSupport(db, tag, "D", 1, 1));
    }
    QString tagOf(int n) {
        db::Database db;
        if (!db.open(fixture.paths().collectionFile(n)))
            return QString();
        return db.openRecordset("SELECT * FROM Supports ;").field("NomSupport").toText();
    }

    test::CollectionFixture fixture;
    test::ScriptedDialogs dialogs;
    RecordingView view;
    CollectionsRegistry registry{fixture.paths()};
};

TEST_F(RegistryTest, MissingRegistryIsWrittenEmpty) {
    EXPECT_EQ(registry.count(), 0);
    EXPECT_EQ(registryLines(), QStringList{" 0 "});
}

TEST_F(RegistryTest, CreateRefusesAnExactDuplicateOnly) {
    EXPECT_TRUE(registry.createCollection("Photos"));
    EXPECT_EQ(registry.current(), 1);
    EXPECT_EQ(view.opened, QStringList{"1:Photos"});
    EXPECT_FALSE(registry.createCollection("Photos"));
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.messages()[0].text, QString("Cette collection existe déjà !"));
    EXPECT_EQ(dialogs.messages()[0].style, MessageStyle::Exclamation);
    EXPECT_TRUE(registry.createCollection("photos"));
    EXPECT_EQ(registry.current(), 2);
    EXPECT_EQ(registryLines(), (QStringList{" 2 ", "Photos", "photos"}));
    EXPECT_TRUE(FichierExiste(fixture.paths().collectionFile(2)));
    EXPECT_EQ(view.combo, (QStringList{" Aucune collection", "Photos", "photos"}));
    EXPECT_FALSE(registry.createCollection(""));
}

TEST_F(RegistryTest, FailedModelCopyLeavesEverythingAsItWas) {
    ASSERT_TRUE(QFile::remove(fixture.paths().modelFile()));
    EXPECT_FALSE(registry.createCollection("A"));
    // The message, then on a line of its own the file and the system's reason.
    ASSERT_EQ(dialogs.messageTexts().size(), 1);
    EXPECT_TRUE(
        dialogs.messageTexts()[0].startsWith("Impossible de copier le modèle de base de données !\n"
                                             "Impossible de créer le fichier " +
                                             QDir::toNativeSeparators(fixture.paths().collectionFile(1))))
        << dialogs.messageTexts()[0].toStdString();
    EXPECT_EQ(registry.count(), 0);
    EXPECT_EQ(registryLines(), QStringList{" 0 "});
}

TEST_F(RegistryTest, DeletingTheMiddleCollectionRenumbersTheFiles) {
    for (const char* name : {"A", "B", "C"})
        ASSERT_TRUE(registry.createCollection(name));
    registry.CloseCollection();
    tagFile(1, "a");
    tagFile(2, "b");
    tagFile(3, "c");
    dialogs.answerQuestions({MessageAnswer::No});
    EXPECT_FALSE(registry.askDeleteCollection("B"));
    EXPECT_EQ(registry.count(), 3);
    dialogs.answerQuestions({MessageAnswer::Yes});
    EXPECT_TRUE(registry.askDeleteCollection("B"));
    EXPECT_EQ(registry.names(), (QStringList{"A", "C"}));
    EXPECT_EQ(tagOf(1), QString("a"));
    EXPECT_EQ(tagOf(2), QString("c"));
    EXPECT_FALSE(FichierExiste(fixture.paths().collectionFile(3)));
    EXPECT_EQ(registryLines(), (QStringList{" 2 ", "A", "C"}));
    EXPECT_EQ(dialogs.messageTexts().first(), QString("Effacer cette collection ?"));
}

TEST_F(RegistryTest, DeleteOfAnUnknownNameWarnsAndChangesNothing) {
    ASSERT_TRUE(registry.createCollection("A"));
    EXPECT_FALSE(registry.deleteCollection("Z"));
    EXPECT_EQ(dialogs.messageTexts(), QStringList{"Collection non trouvé !"});
    EXPECT_EQ(registry.current(), 0); // the delete closed it first
    EXPECT_EQ(registry.count(), 1);
    EXPECT_TRUE(FichierExiste(fixture.paths().collectionFile(1)));
}

TEST_F(RegistryTest, RenameRefusalsAreSilent) {
    ASSERT_TRUE(registry.createCollection("A"));
    ASSERT_TRUE(registry.createCollection("B"));
    dialogs.clear();
    for (const QString& refused : {QString(), QString(" Aucune collection"), QString("A")})
        EXPECT_FALSE(registry.renameCollectionTo("A", refused));
    EXPECT_TRUE(dialogs.messages().isEmpty());
    EXPECT_FALSE(registry.renameCollectionTo("A", "B"));
    EXPECT_EQ(dialogs.messageTexts(), QStringList{"Cette collection existe déjà !"});
    dialogs.answerInputs({"Vacances"});
    EXPECT_TRUE(registry.renameCollection("A"));
    EXPECT_EQ(dialogs.prompts(), QStringList{"Veuillez entrer le nouveau nom pour cette collection"});
    EXPECT_EQ(registryLines(), (QStringList{" 2 ", "Vacances", "B"}));
    EXPECT_TRUE(FichierExiste(fixture.paths().collectionFile(1)));
}

TEST_F(RegistryTest, DeleteAllLeavesOnlyTheCount) {
    ASSERT_TRUE(registry.createCollection("A"));
    ASSERT_TRUE(registry.createCollection("B"));
    dialogs.answerQuestions({MessageAnswer::Yes});
    EXPECT_TRUE(registry.askDeleteAllCollections());
    EXPECT_EQ(registryLines(), QStringList{" 0 "});
    EXPECT_FALSE(FichierExiste(fixture.paths().collectionFile(1)));
    EXPECT_FALSE(FichierExiste(fixture.paths().collectionFile(2)));
    EXPECT_EQ(registry.current(), 0);
}

TEST_F(RegistryTest, CompactWithoutCollectionsOpensTheNewCollectionPanel) {
    EXPECT_FALSE(registry.compactOpenCollection());
    EXPECT_EQ(
        dialogs.messageTexts(),
        QStringList{"Vous devez créer une collection auparavant (via l'icône représentant une valise)."});
    EXPECT_EQ(view.newPanelShown, 1);
    ASSERT_TRUE(registry.createCollection("A"));
    registry.CloseCollection();
    dialogs.clear();
    EXPECT_FALSE(registry.TesteSiCollectionOuverte());
    EXPECT_EQ(dialogs.messageTexts(), QStringList{"Vous devez sélectionner une collection auparavant !"});
}

TEST_F(RegistryTest, CompactKeepsTheDataAndReopens) {
    ASSERT_TRUE(registry.createCollection("A"));
    ASSERT_TRUE(AddSupport(registry.database(), "CD", "E", 1, 42));
    // A leftover from an earlier failed run does not block the compaction.
    QFile leftover(fixture.paths().collectionPrefix() + "1.tmp");
    ASSERT_TRUE(leftover.open(QIODevice::WriteOnly));
    leftover.write("garbage");
    leftover.close();
    dialogs.clear();
    EXPECT_TRUE(registry.compactOpenCollection());
    EXPECT_EQ(dialogs.messages().last().text, QString("Compactage effectué."));
    EXPECT_EQ(dialogs.messages().last().style, MessageStyle::Information);
    EXPECT_EQ(registry.current(), 1);
    int support = 0;
    EXPECT_TRUE(FindSupportByName(registry.database(), "cd", support));
    EXPECT_FALSE(FichierExiste(fixture.paths().collectionPrefix() + "1.tmp"));
}

TEST_F(RegistryTest, FailedCompactionKeepsTheCollectionFile) {
    ASSERT_TRUE(registry.createCollection("A"));
    registry.CloseCollection();
    const QString file = fixture.paths().collectionFile(1);
    QFile::remove(file);
    QFile broken(file);
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write(QByteArray(2048, 'z'));
    broken.close();
    QString error;
    EXPECT_FALSE(registry.CompacteBase(1, error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_EQ(TailleFichier(file), 2048);
    EXPECT_FALSE(FichierExiste(fixture.paths().collectionPrefix() + "1.tmp"));
}

TEST_F(RegistryTest, ComboAndListDrivenOpening) {
    ASSERT_TRUE(registry.createCollection("A"));
    ASSERT_TRUE(registry.createCollection("B"));
    EXPECT_TRUE(registry.chooseFromCombo("A"));
    EXPECT_EQ(registry.current(), 1);
    EXPECT_FALSE(registry.chooseFromCombo(" Aucune collection"));
    EXPECT_EQ(registry.current(), 0);
    EXPECT_TRUE(registry.openByName("B"));
    EXPECT_EQ(registry.current(), 2);
    const CollectionFileInfo info = registry.selectionInfo("B");
    EXPECT_EQ(info.fileName, QString("Compil2.mdb"));
    EXPECT_TRUE(info.exists);
    EXPECT_FALSE(info.sizeText.isEmpty());
    registry.CloseCollection();
    QFile::remove(fixture.paths().collectionFile(2));
    dialogs.clear();
    EXPECT_FALSE(registry.selectionInfo("B").exists);
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_TRUE(dialogs.messages()[0].text.startsWith("Le fichier "));
    EXPECT_TRUE(dialogs.messages()[0].text.endsWith("Compil2.mdb est introuvable !"));
}

// Rows an exploration stores wait for its own bulk indexing: a process that
// merely opens the collection meanwhile must leave them waiting, or every row
// the exploration adds afterwards would be indexed one by one.
TEST_F(RegistryTest, OpeningLeavesWaitingNamesToTheWriterHoldingTheLock) {
    ASSERT_TRUE(registry.createCollection("A"));
    registry.CloseCollection();
    const auto waitingRows = [&] {
        db::Database db;
        EXPECT_TRUE(db.open(fixture.paths().collectionFile(1)));
        return db.openRecordset("SELECT count(*) AS n FROM NomsFichiersEnAttente").field("n").toNumber();
    };
    {
        db::Database db;
        ASSERT_TRUE(db.open(fixture.paths().collectionFile(1)));
        ASSERT_TRUE(db::deferNameIndex(db));
        ASSERT_TRUE(test::addFileRow(db, 1, 1, "rapport.txt", "TXT", 3));
    }
    FileLock explorer(fixture.paths().collectionLockFile(1));
    ASSERT_TRUE(explorer.acquire(0));
    ASSERT_TRUE(registry.openByName("A"));
    EXPECT_EQ(waitingRows(), 1);
    registry.CloseCollection();
    explorer.release();
    ASSERT_TRUE(registry.openByName("A"));
    EXPECT_EQ(waitingRows(), 0);
}

TEST_F(RegistryTest, SummaryLineCountsEntriesAndFileSizes) {
    EXPECT_EQ(registry.summaryLine(0),
              QString("0 collection - ") + sizePhrase(registry.collectionFilesSize(), false));
    ASSERT_TRUE(registry.createCollection("A"));
    ASSERT_TRUE(registry.createCollection("B"));
    registry.CloseCollection();
    EXPECT_TRUE(registry.summaryLine(2).startsWith("2 collections - "));
    EXPECT_EQ(registry.collectionFilesSize(), TailleFichier(fixture.paths().collectionFile(1)) +
                                                  TailleFichier(fixture.paths().collectionFile(2)) +
                                                  TailleFichier(fixture.paths().registryFile()));
}

TEST_F(RegistryTest, LoadReadsNamesAfterTheCountLine) {
    ASSERT_TRUE(writeTextLines(fixture.paths().registryFile(), {"7", "Un", " deux ", "Été"}));
    ASSERT_TRUE(registry.LoadRegistry());
    EXPECT_EQ(registry.names(), (QStringList{"Un", " deux ", "Été"}));
    EXPECT_EQ(registry.FindCollection(" deux "), 2);
    EXPECT_EQ(registry.FindCollection("deux"), 0);
    EXPECT_TRUE(registry.CollectionExists("Été"));
    EXPECT_FALSE(registry.CollectionExists("été"));
}

} // namespace
} // namespace velmar
