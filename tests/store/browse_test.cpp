// What the browse view, the search and the maintenance commands read from and
// change in a real collection file.

#include "collection_fixture.h"
#include "store/browse_nodes.h"
#include "store/catalogue.h"
#include "store/db/transaction.h"
#include "store/directory_listing.h"
#include "store/maintenance.h"
#include "store/search_condition.h"
#include "store/search_results.h"
#include "store/selected_file.h"
#include "support/scripted_dialogs.h"

#include <gtest/gtest.h>

namespace velmar {
namespace {

class BrowseTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fixture.valid());
        ASSERT_TRUE(fixture.makeCollectionFile(fixture.paths().collectionFile(1)));
        ASSERT_TRUE(db.open(fixture.paths().collectionFile(1)));
    }
    int addSupport(const QString& name) {
        EXPECT_TRUE(AddSupport(db, name, "/", 2, 7));
        int n = 0;
        EXPECT_TRUE(FindSupportByName(db, name, n));
        return n;
    }
    qint64 addDirectory(int support, const QString& parent, const QString& name, qint64 parentNumber) {
        db::BulkInsert insert = db.prepareInsert(
            "Repertoires", {"NumSupport", "RepertoireParent", "RepertoireSeul", "NumRepertoireParent"});
        EXPECT_TRUE(insert.insert({support, parent, name, parentNumber}));
        return insert.lastInsertId();
    }
    qint64 count(const QString& sql) {
        db::Recordset rs = db.openRecordset(sql);
        return rs.field(rs.fieldNames().value(0)).toNumber();
    }

    test::CollectionFixture fixture;
    test::ScriptedDialogs dialogs;
    db::Database db;
};

TEST(NodeKeyTest, KeysReadBackAndMalformedOnesAreRefused) {
    const struct {
        QString key;
        NodeKey::Kind kind;
        int support;
        qint64 directory;
        bool loaded;
    } cases[] = {
        {"S12\\", NodeKey::Kind::Support, 12, 0, false},
        {"R3\\40\\D", NodeKey::Kind::Directory, 3, 40, true},
        {"R3\\40\\ND", NodeKey::Kind::Directory, 3, 40, false},
        {"R3\\40\\X", NodeKey::Kind::Invalid, 0, 0, false},
        {"S12", NodeKey::Kind::Invalid, 0, 0, false},
        {"Rx\\4\\D", NodeKey::Kind::Invalid, 0, 0, false},
        {"FIC-4", NodeKey::Kind::Invalid, 0, 0, false},
    };
    for (const auto& c : cases) {
        const NodeKey node = NodeKey::parse(c.key);
        EXPECT_EQ(node.kind, c.kind) << c.key.toStdString();
        if (c.kind == NodeKey::Kind::Invalid)
            continue;
        EXPECT_EQ(node.support, c.support);
        EXPECT_EQ(node.directory, c.directory);
        EXPECT_EQ(node.loaded, c.loaded);
        EXPECT_EQ(node.text(), c.key);
    }
}

TEST_F(BrowseTest, SupportNodesInNameOrderWithCountsAndTypeIcons) {
    ASSERT_TRUE(AddSupport(db, "Zeta", "/", 9, 1));
    ASSERT_TRUE(AddSupport(db, "alpha", "/", 0, 2));
    ASSERT_TRUE(AddSupport(db, "Mid", "/", 4, 3));
    db.execute("UPDATE Supports SET NbFichiersSupport = 1 WHERE NomSupport = \"Mid\"");
    const QList<SupportNode> nodes = supportNodes(db, 6);
    ASSERT_EQ(nodes.size(), 3);
    EXPECT_EQ(nodes[0].text, "alpha (aucun fichier)");
    EXPECT_EQ(nodes[0].iconKey, "I1");
    EXPECT_EQ(nodes[1].text, "Mid (un fichier)");
    EXPECT_EQ(nodes[1].iconKey, "I4");
    EXPECT_EQ(nodes[2].iconKey, "I1");
}

TEST_F(BrowseTest, SubdirectoriesInCreationOrderWithoutTheStartingDirectory) {
    const int s = addSupport("CD");
    addDirectory(s, "", "", 0);
    const qint64 b = addDirectory(s, "", "B", 0);
    const qint64 a = addDirectory(s, "", "A", 0);
    addDirectory(s, "B", "Inner", b);
    const QList<DirectoryNode> top = subdirectoryNodes(db, s, 0);
    ASSERT_EQ(top.size(), 2);
    EXPECT_EQ(top[0].directory, b);
    EXPECT_EQ(top[1].directory, a);
    EXPECT_EQ(subdirectoryNodes(db, s, b).value(0).name, "Inner");
}

TEST_F(BrowseTest, DirectoryListingLinesAndSummary) {
    const int s = addSupport("CD");
    const qint64 d = addDirectory(s, "", "", 0);
    ASSERT_TRUE(test::addFileRow(db, s, d, "setup.exe", "EXE", 2048));
    ASSERT_TRUE(test::addFileRow(db, s, d, "lisez.txt", "TXT", 0));
    ASSERT_TRUE(test::addFileRow(db, s, d, "b.jpg", "JPG", 1024));
    ASSERT_TRUE(test::addFileRow(db, s, d, "a.jpg", "JPG", 1024));
    db.execute("UPDATE Fichiers SET Infos = \"ligne 1\r\nligne 2\" WHERE Fichier = \"a.jpg\"");
    const DirectoryListing listing = listDirectory(db, s, d, "");
    ASSERT_EQ(listing.items.size(), 4);
    EXPECT_EQ(listing.items[0].name, "setup.exe");
    EXPECT_TRUE(listing.items[0].bold);
    EXPECT_EQ(listing.items[1].name, "a.jpg");
    EXPECT_EQ(listing.items[1].infos, "ligne 1 ligne 2");
    EXPECT_EQ(listing.items[3].size, "vide");
    EXPECT_FALSE(listing.items[3].bold);
    EXPECT_TRUE(listing.items[0].key.startsWith("FIC-"));
    EXPECT_EQ(listing.menuExtensions, (QStringList{"EXE", "JPG", "TXT"}));
    EXPECT_EQ(listing.summary, "4 fichiers - 4 Ko (EXE, JPG, TXT)");

    const DirectoryListing filtered = listDirectory(db, s, d, "jpg;txt");
    EXPECT_EQ(filtered.items.size(), 3);
    EXPECT_TRUE(filtered.menuExtensions.isEmpty());
}

TEST_F(BrowseTest, ExtensionListStopsGrowingAndEndsWithOneEllipsis) {
    const int s = addSupport("CD");
    const qint64 d = addDirectory(s, "", "", 0);
    // Ten short extensions stop at the count; long ones at the length.
    for (const QString ext : {"A", "B", "C", "D", "E", "F", "G", "H", "I", "J", "K", "L"})
        ASSERT_TRUE(test::addFileRow(db, s, d, "f." + ext, ext, 1));
    DirectoryListing listing = listDirectory(db, s, d, "");
    EXPECT_EQ(listing.shownExtensions.size(), 10);
    EXPECT_EQ(listing.menuExtensions.size(), 10);
    EXPECT_TRUE(listing.summary.endsWith("(A, B, C, D, E, F, G, H, I, J, ...)"));

    db.execute("DELETE FROM Fichiers");
    for (const QString ext : {"AAAAA", "BBBBB", "CCCCC", "DDDDD", "EEEEE", "FFFFF", "GGGGG"})
        ASSERT_TRUE(test::addFileRow(db, s, d, "f." + ext, ext, 1));
    listing = listDirectory(db, s, d, "");
    // The fifth extension takes the list from 26 to 33 characters; no more follow.
    EXPECT_EQ(listing.shownExtensions.size(), 5);
    EXPECT_EQ(listing.summary.count("..."), 1);
}

class SearchTest : public BrowseTest {};

TEST_F(SearchTest, FirstThousandOfManyInSupportDirectoryExtensionNameOrder) {
    const int s1 = addSupport("Un");
    const int s2 = addSupport("Deux");
    const qint64 d1 = addDirectory(s1, "", "", 0);
    const qint64 d2 = addDirectory(s2, "", "", 0);
    {
        db::Transaction t(db);
        for (int i = 0; i < 1250; ++i) {
            ASSERT_TRUE(
                test::addFileRow(db, s2, d2, QString("report%1.doc").arg(i, 4, 10, QChar('0')), "DOC", i));
            ASSERT_TRUE(
                test::addFileRow(db, s1, d1, QString("report%1.txt").arg(i, 4, 10, QChar('0')), "TXT", i));
        }
        ASSERT_TRUE(test::addFileRow(db, s1, d1, "autre.txt", "TXT", 1));
        ASSERT_TRUE(t.commit());
    }
    SearchResults results;
    ASSERT_TRUE(results.run(db, BuildSearchCondition(FilterKind::FileName, "report")));
    const QList<SearchLine> lines = results.readLines(1000);
    ASSERT_EQ(lines.size(), 1000);
    EXPECT_EQ(lines.first().supportName, "Un");
    EXPECT_EQ(lines.first().fileName, "report0000.txt");
    EXPECT_EQ(lines.last().fileName, "report0999.txt");
    for (const SearchLine& line : lines)
        ASSERT_EQ(line.support, s1);
    EXPECT_EQ(results.readLines(1000).size(), 1000); // the rest stayed unread, in order
    EXPECT_EQ(results.readLines(1000).size(), 500);
}

TEST_F(SearchTest, QuotesPatternsAndRejectedStatements) {
    const int s = addSupport("CD");
    const qint64 root = addDirectory(s, "", "", 0);
    const qint64 docs = addDirectory(s, "", "Docs", 0);
    const qint64 sub = addDirectory(s, "Docs", "Sub \"x\"", docs);
    ASSERT_TRUE(test::addFileRow(db, s, sub, "dit \"bonjour\".txt", "TXT", 5));
    ASSERT_TRUE(test::addFileRow(db, s, root, "racine.txt", "TXT", 5));
    SearchResults results;
    ASSERT_TRUE(results.run(db, BuildSearchCondition(FilterKind::FileName, "\"bonjour\"")));
    QList<SearchLine> lines = results.readLines(1000);
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(lines[0].directory, "Docs\\Sub \"x\"");

    ResultPlace place;
    ASSERT_TRUE(results.locate(lines[0].key, place));
    EXPECT_EQ(place.chainFromTop, (QList<qint64>{docs, sub}));
    EXPECT_FALSE(results.locate(QString("S%1\\999").arg(s), place));

    ASSERT_TRUE(results.run(db, BuildSearchCondition(FilterKind::FileName, "racine")));
    lines = results.readLines(10);
    ASSERT_TRUE(results.locate(lines.value(0).key, place));
    EXPECT_TRUE(place.inStartingDirectory);

    EXPECT_FALSE(results.run(db, BuildSearchCondition(FilterKind::MinimumSize, "dix")));
    EXPECT_FALSE(results.error().isEmpty());
    EXPECT_TRUE(results.isEmpty());
}

class MaintenanceTest : public BrowseTest {};

TEST_F(MaintenanceTest, RenameRefusesAnotherSupportsNameInAnyCase) {
    const int a = addSupport("Vacances");
    addSupport("Travail");
    QString renamed;
    dialogs.answerInputs({"TRAVAIL", "Vacances", "Vacances \"2003\""});
    EXPECT_FALSE(RenommerSupport(db, a, renamed));
    EXPECT_EQ(dialogs.messageTexts(),
              QStringList{"Un support déjà intitulé comme cela existe déjà dans la collection !"});
    EXPECT_EQ(dialogs.prompts().value(0), "Entrez le nouveau nom à entrer pour le support \"Vacances\"");
    EXPECT_FALSE(RenommerSupport(db, a, renamed)); // the same name: nothing to do
    ASSERT_TRUE(RenommerSupport(db, a, renamed));
    int type = 0;
    EXPECT_EQ(GetSupportName(db, a, type), "Vacances \"2003\"");
}

TEST_F(MaintenanceTest, DeletingASupportAsksThenRemovesAllItsRows) {
    const int a = addSupport("A");
    const int b = addSupport("B");
    ASSERT_TRUE(test::addFileRow(db, a, addDirectory(a, "", "", 0), "x", "", 1));
    ASSERT_TRUE(test::addFileRow(db, b, addDirectory(b, "", "", 0), "y", "", 1));
    dialogs.answerQuestions({MessageAnswer::No, MessageAnswer::Yes});
    EXPECT_FALSE(SupprimerSupport(db, a));
    EXPECT_EQ(count("SELECT COUNT(*) FROM Fichiers"), 2);
    EXPECT_TRUE(SupprimerSupport(db, a));
    EXPECT_EQ(dialogs.messageTexts().value(0), "Êtes-vous sûr(e) de supprimer le support \"A\" ?");
    EXPECT_EQ(count("SELECT COUNT(*) FROM Fichiers"), 1);
    EXPECT_EQ(count("SELECT COUNT(*) FROM Repertoires"), 1);
    EXPECT_EQ(count("SELECT COUNT(*) FROM Supports"), 1);
}

TEST_F(MaintenanceTest, DeletingADirectoryTakesItsWholeSubtreeAndNothingElse) {
    const int s = addSupport("CD");
    const qint64 root = addDirectory(s, "", "", 0);
    const qint64 top = addDirectory(s, "", "Top", 0);
    const qint64 sibling = addDirectory(s, "", "Sibling", 0);
    const qint64 l1 = addDirectory(s, "Top", "L1", top);
    const qint64 l2 = addDirectory(s, "Top\\L1", "L2", l1);
    const qint64 l3 = addDirectory(s, "Top\\L1\\L2", "L3", l2);
    for (qint64 d : {root, top, sibling, l1, l2, l3})
        ASSERT_TRUE(test::addFileRow(db, s, d, "f", "", 1));
    EXPECT_EQ(SupprimerRepertoire(db, s, top), (QList<qint64>{top, l1, l2, l3}));
    EXPECT_EQ(count("SELECT COUNT(*) FROM Repertoires"), 2);
    EXPECT_EQ(count("SELECT COUNT(*) FROM Fichiers"), 2);
    EXPECT_EQ(count("SELECT COUNT(*) FROM Fichiers WHERE NumRepertoire IN (" + QString::number(root) + "," +
                    QString::number(sibling) + ")"),
              2);
}

TEST_F(MaintenanceTest, PurgeRemovesAChainOfEmptyDirectoriesInPasses) {
    const int s = addSupport("CD");
    const qint64 root = addDirectory(s, "", "", 0);
    ASSERT_TRUE(test::addFileRow(db, s, root, "f", "", 1));
    const qint64 a = addDirectory(s, "", "A", 0);
    const qint64 b = addDirectory(s, "A", "B", a);
    addDirectory(s, "A\\B", "C", b);
    const qint64 kept = addDirectory(s, "", "Kept", 0);
    ASSERT_TRUE(test::addFileRow(db, s, kept, "g", "", 1));

    EXPECT_EQ(NettoyerRepertoires(db), 3);
    EXPECT_EQ(dialogs.messageTexts(), QStringList{"3 répertoires effacés."});
    EXPECT_EQ(count("SELECT COUNT(*) FROM Repertoires"), 2);

    dialogs.clear();
    EXPECT_EQ(NettoyerRepertoires(db), 0);
    EXPECT_EQ(dialogs.messageTexts(), QStringList{"0 répertoire effacé."});
}

TEST_F(BrowseTest, SelectedFileCardPathCommentAndDeletion) {
    const int s = addSupport("CD");
    addDirectory(s, "", "", 0);
    const qint64 docs = addDirectory(s, "", "Docs", 0);
    const qint64 sub = addDirectory(s, "Docs", "Sub", docs);
    ASSERT_TRUE(test::addFileRow(db, s, sub, "photo.jpg", "JPG", 1536));
    ASSERT_TRUE(UpdateSupportTotals(db, "", s));
    const qint64 fileNumber = count("SELECT MAX(NumFichier) FROM Fichiers");
    const SelectedFile selected{s, sub, fileNumber};

    FileCardData card;
    ASSERT_TRUE(readFileCard(db, selected, card));
    EXPECT_EQ(card.path, "Docs\\Sub");
    EXPECT_EQ(card.support, "CD");
    EXPECT_EQ(card.crc, "<non calculé>");
    EXPECT_NE(card.type, "JPG"); // a known type shows its description

    QString path;
    ASSERT_TRUE(FichierSelectionne_RenvoieInfos(db, selected, path));
    EXPECT_EQ(path, "Docs\\Sub\\photo.jpg");

    QString stored;
    ASSERT_TRUE(FichierSelectionne_ModifieCommentaire(db, selected, QString(300, QChar('c')), stored));
    EXPECT_EQ(stored.size(), 255);
    ASSERT_TRUE(readFileCard(db, selected, card));
    EXPECT_EQ(card.infos, stored);

    EXPECT_FALSE(FichierSelectionne_Supprime(db, {s, docs, fileNumber})); // wrong directory
    EXPECT_EQ(dialogs.messageTexts(), QStringList{"Le fichier sélectionné n'a pas été trouvé !"});
    ASSERT_TRUE(FichierSelectionne_Supprime(db, selected));
    EXPECT_EQ(count("SELECT COUNT(*) FROM Fichiers"), 0);
    EXPECT_EQ(count("SELECT NbFichiersSupport FROM Supports"), 1);
}

} // namespace
} // namespace velmar
