// The database layer over real collection files: the Jet dialect, record sets,
// transactions, bulk insertion and compaction.

#include "collection_fixture.h"
#include "store/db/database.h"
#include "store/db/statement_cache.h"
#include "store/db/transaction.h"
#include "store/queued_insert.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>

#include <gtest/gtest.h>

namespace velmar::db {
namespace {

class DbTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fixture.valid());
        path = fixture.paths().collectionFile(1);
        ASSERT_TRUE(fixture.makeCollectionFile(path));
        ASSERT_TRUE(db.open(path)) << db.lastError().toStdString();
    }

    qint64 count(const QString& sql) {
        Recordset rs = db.openRecordset(sql);
        EXPECT_TRUE(rs.ok()) << rs.error().toStdString();
        qint64 n = 0;
        for (; !rs.eof(); rs.moveNext())
            ++n;
        return n;
    }

    void addFiles(const QStringList& names) {
        for (const QString& name : names)
            ASSERT_TRUE(test::addFileRow(db, 1, 1, name, name.section('.', -1), 10));
    }

    test::CollectionFixture fixture;
    QString path;
    Database db;
};

TEST_F(DbTest, QuotedValueWithDoubledQuotesRoundTrips) {
    ASSERT_TRUE(db.execute(R"(INSERT INTO Supports (NomSupport) VALUES ("Disque ""A""");)"));
    Recordset rs = db.openRecordset(R"(SELECT * FROM Supports WHERE NomSupport = "Disque ""A""" ;)");
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs.field("NomSupport").toText(), QString(R"(Disque "A")"));
    EXPECT_EQ(count(R"(SELECT * FROM Supports WHERE NomSupport = "Disque" ;)"), 0);
}

TEST_F(DbTest, ValueEqualToAColumnNameStaysAValue) {
    addFiles({"a.txt", "b.Taille"});
    // Were "Taille" read as the column, every row would compare with itself.
    EXPECT_EQ(count(R"(SELECT * FROM Fichiers WHERE Extension = "Taille")"), 1);
    EXPECT_EQ(count(R"(SELECT * FROM Fichiers WHERE Extension = "Extension")"), 0);
}

TEST_F(DbTest, LikeUsesJetWildcardsWithoutCase) {
    addFiles(
        {"abc.txt", "b1.txt", "c22.txt", "100%.doc", "a_b.doc", "axb.doc", "PLEIN ÉTÉ.mp3", "zèbre.txt"});
    const std::pair<const char*, qint64> cases[] = {
        {R"(Fichier LIKE "*.txt")", 4},  {R"(Fichier LIKE "?1.txt")", 1}, {R"(Fichier LIKE "c##.txt")", 1},
        {R"(Fichier LIKE "[a-c]*")", 5}, {R"(Fichier LIKE "100%*")", 1},  {R"(Fichier LIKE "a_b*")", 1},
        {R"(Fichier LIKE "*été*")", 1},  {R"(Fichier LIKE "ZÈBRE*")", 1}, {R"(Fichier LIKE "%")", 0},
        {R"(Fichier LIKE "*.TXT")", 4},
    };
    for (const auto& [condition, expected] : cases)
        EXPECT_EQ(count(QStringLiteral("SELECT * FROM Fichiers WHERE ") + QString::fromUtf8(condition)),
                  expected)
            << condition;
}

TEST_F(DbTest, AggregatesJoinsAndNotExists) {
    ASSERT_TRUE(db.execute(
        "INSERT INTO Repertoires (NumSupport, RepertoireParent, RepertoireSeul, "
        "NumRepertoireParent) VALUES (1, '', '', 0), (1, '', \"Docs\", 0), (1, \"Docs\", \"Vide\", 2)"));
    addFiles({"x.txt", "y.txt"});
    Recordset sum =
        db.openRecordset("SELECT COUNT(*) AS NumFichiers, SUM(Taille) AS TailleFichiers  FROM Fichiers "
                         "WHERE NumSupport = 1 ;");
    EXPECT_EQ(sum.field("NumFichiers").toNumber(), 2);
    EXPECT_EQ(sum.field("TailleFichiers").toNumber(), 20);
    Recordset none = db.openRecordset("SELECT SUM(Taille) AS T FROM Fichiers WHERE NumSupport = 9 ;");
    EXPECT_TRUE(none.field("T").isNull());
    EXPECT_EQ(none.field("T").toNumber(), 0);
    EXPECT_EQ(none.field("T").toText(), QString());
    EXPECT_EQ(
        count("SELECT Repertoires.NumSupport AS NumeroSupp, Fichier FROM Fichiers INNER JOIN Repertoires ON "
              "Fichiers.NumRepertoire = Repertoires.NumRepertoire WHERE Fichier <> \"y.txt\" ORDER BY "
              "Repertoires.NumSupport, Fichiers.Fichier ;"),
        1);
    const QString empties =
        "SELECT Repertoires.NumRepertoire, Repertoires.NumSupport FROM Repertoires WHERE NOT EXISTS (SELECT "
        "Fichiers.NumRepertoire FROM Fichiers WHERE Fichiers.NumRepertoire = Repertoires.NumRepertoire And "
        "Fichiers.NumSupport = Repertoires.NumSupport) AND NOT EXISTS (SELECT "
        "Repertoires2.NumRepertoireParent FROM "
        "Repertoires as Repertoires2 WHERE Repertoires2.NumRepertoireParent = Repertoires.NumRepertoire);";
    Recordset rs = db.openRecordset(empties);
    ASSERT_FALSE(rs.eof());
    EXPECT_EQ(rs.field("NumRepertoire").toNumber(), 3);
    rs.moveNext();
    EXPECT_TRUE(rs.eof());
}

TEST_F(DbTest, RejectedStatementReportsTheEngineReason) {
    EXPECT_FALSE(db.execute("DELETE FROM Nulle WHERE x=1"));
    EXPECT_TRUE(db.lastError().contains("Nulle"));
    Recordset rs = db.openRecordset("SELECT * FROM Fichiers WHERE");
    EXPECT_FALSE(rs.ok());
    EXPECT_TRUE(rs.eof());
    EXPECT_EQ(rs.recordCount(), 0);
    EXPECT_FALSE(rs.error().isEmpty());
    EXPECT_FALSE(rs.moveNext());
}

TEST_F(DbTest, RecordsetEditsItsTable) {
    Recordset rs = db.openRecordset("Supports");
    EXPECT_EQ(rs.recordCount(), 0);
    ASSERT_TRUE(rs.addNew());
    rs.setField("NomSupport", "CD 1");
    rs.setField("TailleSupport", qint64{5'000'000'000});
    ASSERT_TRUE(rs.update()) << rs.error().toStdString();
    const qint64 key = db.lastInsertId();
    Recordset row =
        db.openRecordset("SELECT * FROM Supports WHERE NumSupport = " + QString::number(key) + " ;");
    EXPECT_EQ(row.recordCount(), 1);
    EXPECT_EQ(row.field("TailleSupport").toNumber(), 5'000'000'000);
    ASSERT_TRUE(row.edit());
    row.setField("NomSupport", "CD 2");
    ASSERT_TRUE(row.update());
    EXPECT_EQ(row.field("NomSupport").toText(), QString("CD 2"));
    EXPECT_EQ(count(R"(SELECT * FROM Supports WHERE NomSupport = "cd 2")"), 1); // NOCASE column
    Recordset filtered = db.openRecordset("Supports").filter("NomSupport = \"CD 2\"");
    EXPECT_FALSE(filtered.eof());
    ASSERT_TRUE(filtered.remove());
    EXPECT_EQ(count("Supports"), 0);
    Recordset joined = db.openRecordset("SELECT COUNT(*) AS n FROM Supports");
    EXPECT_FALSE(joined.edit());
}

TEST_F(DbTest, TransactionRollsBackUnlessCommitted) {
    {
        Transaction t(db);
        ASSERT_TRUE(t.active());
        addFiles({"lost.txt"});
    }
    EXPECT_EQ(count("Fichiers"), 0);
    {
        Transaction t(db);
        addFiles({"kept.txt"});
        EXPECT_TRUE(t.commit());
    }
    EXPECT_EQ(count("Fichiers"), 1);
    // A transaction inside another leaves the outer one in charge, and the
    // connection without an error to report.
    {
        Transaction outer(db);
        {
            Transaction inner(db);
            EXPECT_FALSE(inner.active());
            addFiles({"outer.txt"});
        }
        EXPECT_EQ(db.lastError(), QString());
        EXPECT_TRUE(outer.commit());
    }
    EXPECT_EQ(count("Fichiers"), 2);
}

TEST_F(DbTest, BulkInsertChecksItsValues) {
    BulkInsert insert = db.prepareInsert("Fichiers", {"NumSupport", "Fichier"});
    ASSERT_TRUE(insert.ok());
    EXPECT_TRUE(insert.insert({1, QString("a")}));
    EXPECT_TRUE(insert.insert({1, QString("b")}));
    EXPECT_FALSE(insert.insert({1}));
    EXPECT_FALSE(db.prepareInsert("Fichiers", {"Absente"}).ok());
    EXPECT_EQ(count("Fichiers"), 2);
}

// Rows queued to the inserting thread come out stored in the order given,
// across blocks, with a failed row reported once and the rows around it kept.
TEST_F(DbTest, QueuedInsertStoresEveryRowInOrderAndReportsFailures) {
    Transaction transaction(db);
    {
        QueuedInsert queued(db.prepareInsert("Fichiers", {"NumSupport", "Fichier"}));
        for (int i = 0; i < 1500; ++i)
            queued.insert(
                {1, i == 100 ? QVariant() : QVariant(QString("f%1").arg(i))}); // Fichier is NOT NULL
        queued.insert({1, QVariant()});                                        // in a group, then alone
        queued.insert({1, QString("after")});
        EXPECT_FALSE(queued.finish());
        EXPECT_NE(queued.error(), QString());
        EXPECT_TRUE(queued.finish()) << "a failure is reported once";
        for (int i = 0; i < 700; ++i)
            queued.insert({2, QString("g%1").arg(i)});
        // Destroyed without finish(): the queued rows are still stored.
    }
    ASSERT_TRUE(transaction.commit());
    Recordset rs = db.openRecordset("SELECT * FROM Fichiers ORDER BY NumFichier");
    QStringList names;
    for (; !rs.eof(); rs.moveNext())
        names << rs.field("Fichier").toText();
    ASSERT_EQ(names.size(), 1499 + 1 + 700);
    EXPECT_EQ(names.at(0), "f0");
    EXPECT_EQ(names.at(99), "f99");
    EXPECT_EQ(names.at(100), "f101");
    EXPECT_EQ(names.at(1498), "f1499");
    EXPECT_EQ(names.at(1499), "after");
    EXPECT_EQ(names.last(), "g699");
}

TEST_F(DbTest, CompactRefusesAnExistingDestination) {
    addFiles({"a.txt"});
    db.close();
    const QString dst = fixture.paths().baseDir() + "copie.mdb";
    QString error;
    ASSERT_TRUE(Database::compact(path, dst, error)) << error.toStdString();
    EXPECT_FALSE(Database::compact(path, dst, error));
    EXPECT_FALSE(error.isEmpty());
    Database copy;
    ASSERT_TRUE(copy.open(dst));
    EXPECT_EQ(copy.openRecordset("SELECT COUNT(*) AS n FROM Fichiers").field("n").toNumber(), 1);
}

// Values bound to a statement's marks are never read as SQL, whatever they hold.
TEST_F(DbTest, BoundValuesStayValuesWhateverTheyHold) {
    const QStringList names = {R"(l'été)", R"(Disque "A")", R"('); DELETE FROM Supports; --)",
                               R"(""'')",  "a?b*c#[x]",     ""};
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        ASSERT_TRUE(db.execute("INSERT INTO Supports (NomSupport, TypeSupport) VALUES (?, ?)", {name, 3}))
            << db.lastError().toStdString();
        Recordset rs =
            db.openRecordset("SELECT * FROM Supports WHERE NomSupport = ? AND TypeSupport = ?", {name, 3});
        ASSERT_TRUE(rs.ok()) << rs.error().toStdString();
        ASSERT_FALSE(rs.eof());
        EXPECT_EQ(rs.field("NomSupport").toText(), name);
        EXPECT_FALSE(rs.moveNext());
    }
    EXPECT_EQ(count("Supports"), names.size());
}

// The filtered rows of a record set opened with values still see those values;
// the filtered row stays editable.
TEST_F(DbTest, FilterKeepsTheBoundValuesOfItsRecordset) {
    addFiles({"a.txt", "b.txt", "c.jpg"});
    Recordset rs = db.openRecordset("SELECT * FROM Fichiers WHERE Extension = ? ORDER BY Fichier", {"txt"});
    Recordset second = rs.filter(R"(Fichier = "b.txt")");
    ASSERT_TRUE(second.ok()) << second.error().toStdString();
    ASSERT_FALSE(second.eof());
    EXPECT_EQ(second.field("Fichier").toText(), "b.txt");
    ASSERT_TRUE(second.edit());
    ASSERT_TRUE(second.setField("Infos", QString("l'\"info\"")));
    ASSERT_TRUE(second.update()) << second.error().toStdString();
    EXPECT_EQ(
        db.openRecordset("SELECT Infos FROM Fichiers WHERE Fichier = ?", {"b.txt"}).field("Infos").toText(),
        QString("l'\"info\""));
    EXPECT_TRUE(rs.filter(R"(Fichier = "c.jpg")").eof());
}

// Texts that differ only by the numbers their comparisons take share one
// prepared statement; everything else in a text stays as written.
TEST(StatementShapeTest, OnlyNumbersAComparisonTakesAreBound) {
    struct Case {
        const char* sql;
        const char* shape; // "" when the text is prepared as it is
        QList<qint64> numbers;
    };
    const Case cases[] = {
        {"SELECT * FROM R WHERE NumSupport =12 AND NumRepertoireParent=0 AND Seul<>'' ORDER BY 1;",
         "SELECT * FROM R WHERE NumSupport =? AND NumRepertoireParent=? AND Seul<>'' ORDER BY 1;",
         {12, 0}},
        {"SELECT * FROM F WHERE Taille >= 10 AND Taille<20 AND Taille <> 3",
         "SELECT * FROM F WHERE Taille >= ? AND Taille<? AND Taille <> ?",
         {10, 20, 3}},
        {"SELECT * FROM F WHERE Nom = '12' AND \"Col=3\" = [a=4]", "", {}},
        {"SELECT * FROM F WHERE Col2=5.5 OR x = 0x10 OR y = -4 LIMIT 1000", "", {}},
        {"SELECT * FROM F WHERE NumSupport = 2 AND Nom LIKE 'a*'", "", {}},
        {"SELECT * FROM F WHERE NumSupport = ? AND x = 3", "", {}},
        {"SELECT * FROM F WHERE x = 99999999999999999999", "", {}},
        {"SELECT * FROM F WHERE Nom = 'it''s = 5' AND x=7",
         "SELECT * FROM F WHERE Nom = 'it''s = 5' AND x=?",
         {7}},
    };
    for (const Case& c : cases) {
        QString shape;
        BoundRow values;
        const bool shaped = StatementCache::shapeOf(c.sql, shape, values);
        EXPECT_EQ(shaped, *c.shape != 0) << c.sql;
        if (shaped) {
            EXPECT_EQ(shape.toStdString(), c.shape);
            EXPECT_EQ(values.size(), static_cast<std::size_t>(c.numbers.size())) << c.sql;
        }
    }
}

TEST_F(DbTest, RecordSetsOfOneShapeGiveTheirOwnRows) {
    addFiles({"a.txt", "b.txt"});
    ASSERT_TRUE(test::addFileRow(db, 2, 7, "c.jpg", "jpg", 10));
    // Open together, then one after the other: each reads its own numbers.
    Recordset first = db.openRecordset("SELECT Fichier FROM Fichiers WHERE NumSupport = 1 ORDER BY Fichier");
    Recordset second = db.openRecordset("SELECT Fichier FROM Fichiers WHERE NumSupport = 2 ORDER BY Fichier");
    EXPECT_EQ(first.field("Fichier").toText(), "a.txt");
    EXPECT_EQ(second.field("Fichier").toText(), "c.jpg");
    first.moveNext();
    EXPECT_EQ(first.field("Fichier").toText(), "b.txt");
    first.close();
    second.close();
    for (int round = 0; round < 3; ++round) {
        EXPECT_EQ(count("SELECT Fichier FROM Fichiers WHERE NumSupport = 1 ORDER BY Fichier"), 2);
        EXPECT_EQ(count("SELECT Fichier FROM Fichiers WHERE NumSupport = 2 ORDER BY Fichier"), 1);
        EXPECT_EQ(count("SELECT Fichier FROM Fichiers WHERE NumSupport = 3 ORDER BY Fichier"), 0);
    }
    // A kept statement sees rows written since, and the filter keeps its numbers.
    ASSERT_TRUE(test::addFileRow(db, 3, 8, "d.png", "png", 10));
    EXPECT_EQ(count("SELECT Fichier FROM Fichiers WHERE NumSupport = 3 ORDER BY Fichier"), 1);
    Recordset filtered =
        db.openRecordset("SELECT * FROM Fichiers WHERE NumSupport = 1").filter(R"(Fichier = "b.txt")");
    EXPECT_FALSE(filtered.eof());
    EXPECT_TRUE(filtered.edit());
    db.close();
    EXPECT_TRUE(db.open(path));
    EXPECT_EQ(count("SELECT Fichier FROM Fichiers WHERE NumSupport = 1 ORDER BY Fichier"), 2);
}

TEST_F(DbTest, WrongNumberOfBoundValuesFailsWithAReason) {
    EXPECT_FALSE(db.execute("DELETE FROM Supports WHERE NumSupport = ?", {}));
    EXPECT_FALSE(db.lastError().isEmpty());
    Recordset rs = db.openRecordset("SELECT * FROM Supports WHERE NumSupport = ?", {1, 2});
    EXPECT_FALSE(rs.ok());
    EXPECT_TRUE(rs.eof());
    EXPECT_FALSE(db.execute("SELECT * FROM Absente WHERE x = ?", {1}));
    EXPECT_NE(db.lastError(), QString("base de données fermée"));
}

// The destination of a compaction is a value too: any character a file name
// can hold works.
TEST_F(DbTest, CompactWritesToAnyFileName) {
    addFiles({"a.txt"});
    db.close();
    for (const QString& name : {QString("l'été.mdb"), QString(R"(Disque "A".mdb)"), QString("a'';--.mdb")}) {
        SCOPED_TRACE(name.toStdString());
        const QString dst = fixture.paths().baseDir() + name;
        QString error;
        ASSERT_TRUE(Database::compact(path, dst, error)) << error.toStdString();
        Database copy;
        ASSERT_TRUE(copy.open(dst)) << copy.lastError().toStdString();
        EXPECT_EQ(copy.openRecordset("SELECT COUNT(*) AS n FROM Fichiers").field("n").toNumber(), 1);
    }
}

TEST_F(DbTest, NonDatabaseFileFailsToOpen) {
    const QString junk = fixture.paths().baseDir() + "junk.mdb";
    QFile file(junk);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QByteArray(4096, 'x'));
    file.close();
    Database other;
    EXPECT_FALSE(other.open(junk));
    EXPECT_FALSE(other.lastError().isEmpty());
    EXPECT_FALSE(other.open(fixture.paths().baseDir() + "absent.mdb"));
}

TEST_F(DbTest, CollectionFileOpensInTheSqliteTool) {
    const QString tool = QStandardPaths::findExecutable("sqlite3");
    if (tool.isEmpty())
        GTEST_SKIP() << "sqlite3 (Debian package sqlite3) is not installed";
    db.close();
    QProcess process;
    process.start(tool, {path, ".tables"});
    ASSERT_TRUE(process.waitForFinished());
    const QString tables = QString::fromUtf8(process.readAllStandardOutput());
    for (const char* table : {"Supports", "Repertoires", "Fichiers"})
        EXPECT_TRUE(tables.contains(table)) << tables.toStdString();
}

} // namespace
} // namespace velmar::db
