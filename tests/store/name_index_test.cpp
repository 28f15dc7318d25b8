// The name index against the plain scan: two collection files with the same
// rows, one with the index, give the same rows in the same order for random
// Jet patterns over random names (wildcards, classes, accents, case, quotes,
// and the characters whose case folding differs between Qt and the index), and
// stay alike through deletions, renames, comment edits and compaction.

#include "collection_fixture.h"
#include "store/db/database.h"
#include "store/db/name_index.h"
#include "store/db/sql_dialect.h"
#include "store/db/transaction.h"
#include "store/search_condition.h"

#include <QDir>

#include <gtest/gtest.h>
#include <sqlite3.h>

#include <random>

namespace velmar::db {
namespace {

// Few letters, so that random patterns often match; and the characters that
// fold in unusual ways: long s and Kelvin sign (onto s and k), sharp s, the
// three sigmas, dotted and dotless i, a ligature, and two that Qt folds onto a
// letter the index does not fold them onto (Cyrillic rounded ve onto ve,
// Georgian Mtavruli an onto an).
const QString kAlphabet = QStringLiteral("aabbcsskkeeé19 .'\"-%_AÉSK") + QChar(0x17F) + QChar(0x212A) +
                          QChar(0xDF) + QChar(0x3C2) + QChar(0x3C3) + QChar(0x3A3) + QChar(0x130) +
                          QChar(0x131) + QStringLiteral("i") + QChar(0xFB01) + QChar(0x1C80) + QChar(0x432) +
                          QChar(0x1C90) + QChar(0x10D0);
const QStringList kWildcards = {"*", "?", "#", "[a-c]", "[!x]", "[é]", "[!s]", "["};

class Random {
public:
    int below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(m_engine); }
    bool chance(int percent) { return below(100) < percent; }
    QChar letter() { return kAlphabet.at(below(static_cast<int>(kAlphabet.size()))); }
    QString name(int shortest, int longest) {
        QString s;
        for (int n = shortest + below(longest - shortest + 1); n > 0; --n)
            s += letter();
        return s;
    }

private:
    std::mt19937 m_engine{20261207};
};

// A pattern cut from a name, with case changes, wildcards and random letters,
// or made of random pieces.
QString randomPattern(Random& random, const QString& name) {
    QString pattern;
    const qsizetype from = random.below(static_cast<int>(name.size()) + 1);
    for (QChar c : name.mid(from, 2 + random.below(6))) {
        if (random.chance(8))
            pattern += kWildcards.at(random.below(static_cast<int>(kWildcards.size())));
        else if (random.chance(5))
            pattern += random.letter();
        else if (random.chance(15))
            pattern += c.toCaseFolded();
        else
            pattern += random.chance(30) ? (c.isUpper() ? c.toLower() : c.toUpper()) : c;
        if (random.chance(5))
            pattern += QLatin1Char('*');
    }
    return pattern;
}

class NameIndexTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fixture.valid());
        indexedPath = fixture.paths().baseDir() + QStringLiteral("avec.mdb");
        ASSERT_TRUE(fixture.makeCollectionFile(indexedPath));
        ASSERT_TRUE(fixture.makeCollectionFile(fixture.paths().baseDir() + QStringLiteral("sans.mdb")));
        ASSERT_TRUE(indexed.open(indexedPath));
        ASSERT_TRUE(plain.open(fixture.paths().baseDir() + QStringLiteral("sans.mdb")));
        // Half the rows are there before the index (built in bulk), half come after (triggers).
        fill(40, 300);
        ASSERT_TRUE(ensureNameIndex(indexed)) << indexed.lastError().toStdString();
        ASSERT_TRUE(ensureNameIndex(indexed)); // a second time changes nothing
        fill(40, 300);
        ASSERT_EQ(sqlite3_open(indexedPath.toUtf8().constData(), &handle), SQLITE_OK);
    }
    void TearDown() override { sqlite3_close(handle); }

    void both(const QString& sql) {
        ASSERT_TRUE(indexed.execute(sql)) << indexed.lastError().toStdString();
        ASSERT_TRUE(plain.execute(sql));
    }

    void fill(int directories, int files) {
        Transaction a(indexed);
        Transaction b(plain);
        for (int d = 0; d < directories; ++d)
            both("INSERT INTO Repertoires (NumSupport, RepertoireParent, RepertoireSeul) VALUES (" +
                 QString::number(1 + d % 3) + ", \"" + quoted(random.name(0, 8) + '\\' + random.name(0, 6)) +
                 "\", \"" + quoted(random.name(1, 9)) + "\")");
        for (int f = 0; f < files; ++f) {
            names << random.name(1, 12);
            both("INSERT INTO Fichiers (NumSupport, NumRepertoire, Fichier, Extension) SELECT NumSupport, "
                 "NumRepertoire, \"" +
                 quoted(names.last()) + "\", \"" + quoted(random.name(0, 3)) +
                 "\" FROM Repertoires ORDER BY NumRepertoire DESC LIMIT 1 OFFSET " +
                 QString::number(random.below(directories)));
        }
        ASSERT_TRUE(a.commit() && b.commit());
    }

    static QString quoted(const QString& s) { return QString(s).replace('"', QStringLiteral("\"\"")); }

    static QList<QStringList> rows(Database& db, const QString& sql) {
        QList<QStringList> found;
        Recordset rs = db.openRecordset(sql);
        EXPECT_TRUE(rs.ok()) << rs.error().toStdString();
        for (; !rs.eof(); rs.moveNext()) {
            QStringList row;
            for (const QString& column : rs.fieldNames())
                row << rs.field(column).toText();
            found << row;
        }
        return found;
    }

    bool narrowed(const QString& sql) const {
        const QString sqlite = rewriteJetSql(sql);
        return narrowByNameIndex(handle, sqlite) != sqlite;
    }

    // Searches of every name kind for random patterns; counts those the index
    // served and those that found rows.
    void expectSameRows(int patterns) {
        int served = 0;
        int found = 0;
        for (int i = 0; i < patterns; ++i) {
            const QString pattern =
                randomPattern(random, names.at(random.below(static_cast<int>(names.size()))));
            const QStringList statements = {
                searchQuery(BuildSearchCondition(FilterKind::FileName, pattern)),
                searchQuery(BuildSearchCondition(FilterKind::DirectoryName, pattern)),
                searchQuery(BuildSearchCondition(FilterKind::FileOrDirectoryName, pattern)),
                QStringLiteral("SELECT * FROM Fichiers WHERE Fichier LIKE \"%1\" ORDER BY NumFichier")
                    .arg(quoted(pattern))};
            for (const QString& sql : statements) {
                const QList<QStringList> expected = rows(plain, sql);
                ASSERT_EQ(rows(indexed, sql), expected) << sql.toStdString();
                served += narrowed(sql) ? 1 : 0;
                found += expected.isEmpty() ? 0 : 1;
            }
        }
        // The comparison means something only if both paths were taken.
        EXPECT_GT(served, patterns / 2);
        EXPECT_GT(found, patterns / 2);
    }

    test::CollectionFixture fixture;
    QString indexedPath;
    Database indexed;
    Database plain;
    sqlite3* handle = nullptr;
    Random random;
    QStringList names;
};

TEST_F(NameIndexTest, RandomPatternsGiveTheRowsOfTheScan) {
    expectSameRows(250);
}

TEST_F(NameIndexTest, IndexFollowsDeletionsRenamesAndCommentEdits) {
    both("DELETE FROM Fichiers WHERE NumRepertoire % 3 = 0");
    both("DELETE FROM Repertoires WHERE NumRepertoire % 5 = 0");
    both("UPDATE Fichiers SET Fichier = Fichier || 'ſK' WHERE NumFichier % 4 = 1");
    both("UPDATE Repertoires SET RepertoireSeul = 'É' || RepertoireSeul WHERE NumRepertoire % 2 = 1");
    both("UPDATE Fichiers SET Infos = 'commentaire' WHERE NumFichier % 2 = 0");
    for (int i = 0; i < 50; ++i)
        names << names.at(i) + QStringLiteral("sk");
    expectSameRows(150);
}

TEST_F(NameIndexTest, CompactedCopyKeepsTheIndex) {
    const QString copy = fixture.paths().baseDir() + QStringLiteral("compacte.mdb");
    QString error;
    ASSERT_TRUE(Database::compact(indexedPath, copy, error)) << error.toStdString();
    indexed.close();
    ASSERT_TRUE(indexed.open(copy));
    sqlite3_close(handle);
    ASSERT_EQ(sqlite3_open(copy.toUtf8().constData(), &handle), SQLITE_OK);
    expectSameRows(100);
}

TEST_F(NameIndexTest, IndexOutOfStepIsNotUsedUntilBuiltAgain) {
    const QString zzq = searchQuery(BuildSearchCondition(FilterKind::FileName, "ZZQ"));
    EXPECT_TRUE(narrowed(zzq));
    ASSERT_TRUE(indexed.execute("DROP TRIGGER NomsFichiersAjout"));
    EXPECT_FALSE(narrowed(zzq));
    both("INSERT INTO Fichiers (NumSupport, NumRepertoire, Fichier) SELECT 1, NumRepertoire, 'zzqzzq' "
         "FROM Repertoires LIMIT 1");
    EXPECT_EQ(rows(indexed, zzq).size(), 1);
    ASSERT_TRUE(ensureNameIndex(indexed));
    EXPECT_TRUE(narrowed(zzq));
    EXPECT_EQ(rows(indexed, zzq), rows(plain, zzq));
}

// An index made by an older build (column sizes stored, directory rows
// indexed one by one) is kept, and learns to put off the directory rows.
TEST_F(NameIndexTest, IndexOfAnOlderBuildIsKeptAndLearnsToWait) {
    ASSERT_TRUE(indexed.execute(
        "DROP TABLE NomsFichiers; CREATE VIRTUAL TABLE NomsFichiers USING fts5(Fichier, content='Fichiers', "
        "content_rowid='NumFichier', tokenize='trigram case_sensitive 0', detail='column'); "
        "INSERT INTO NomsFichiers(NomsFichiers) VALUES ('rebuild'); DROP TABLE NomsRepertoiresEnAttente; "
        "DROP TRIGGER NomsRepertoiresRetrait; CREATE TRIGGER NomsRepertoiresRetrait AFTER DELETE ON "
        "Repertoires "
        "BEGIN INSERT INTO NomsRepertoires(NomsRepertoires, rowid, RepertoireSeul, RepertoireParent) VALUES "
        "('delete', old.NumRepertoire, old.RepertoireSeul, old.RepertoireParent); END;"));
    const QString sized = "SELECT count(*) AS n FROM sqlite_master WHERE name = 'NomsFichiers_docsize'";
    ASSERT_TRUE(ensureNameIndex(indexed)) << indexed.lastError().toStdString();
    EXPECT_EQ(rows(indexed, sized), QList<QStringList>{{"1"}}) << "the index is not built again";
    ASSERT_TRUE(deferNameIndex(indexed));
    fill(5, 50);
    both("DELETE FROM Repertoires WHERE NumRepertoire % 4 = 0");
    ASSERT_TRUE(catchUpNameIndex(indexed));
    ASSERT_TRUE(indexed.execute("INSERT INTO NomsRepertoires(NomsRepertoires) VALUES ('integrity-check')"))
        << indexed.lastError().toStdString();
    expectSameRows(60);
}

// Rows stored while the index waits are caught up by the exploration that
// stored them, or at the next opening when it was killed; either way the index
// is whole again and indexes the rows that follow one by one.
TEST_F(NameIndexTest, DeferredRowsAreScannedUntilIndexedInBulk) {
    for (const bool killed : {false, true}) {
        ASSERT_TRUE(deferNameIndex(indexed));
        fill(5, 100);
        both("DELETE FROM Fichiers WHERE NumFichier % 7 = 0");
        both("UPDATE Fichiers SET Fichier = Fichier || 'kſ' WHERE NumFichier % 5 = 0");
        both("DELETE FROM Repertoires WHERE NumRepertoire % 7 = 0");
        both("UPDATE Repertoires SET RepertoireSeul = 'É' || RepertoireSeul WHERE NumRepertoire % 3 = 0");
        const QString sql = searchQuery(BuildSearchCondition(FilterKind::FileName, names.last()));
        const QString files = searchQuery(BuildSearchCondition(FilterKind::FileName, "ZZQ"));
        const QString directories = searchQuery(BuildSearchCondition(FilterKind::DirectoryName, "ZZQ"));
        EXPECT_FALSE(narrowed(files));
        EXPECT_FALSE(narrowed(directories));
        EXPECT_EQ(rows(indexed, sql), rows(plain, sql));
        ASSERT_TRUE(killed ? ensureNameIndex(indexed) : catchUpNameIndex(indexed));
        EXPECT_TRUE(narrowed(files)) << killed;
        EXPECT_TRUE(narrowed(directories)) << killed;
        ASSERT_TRUE(
            indexed.execute("INSERT INTO NomsFichiers(NomsFichiers) VALUES ('integrity-check');"
                            "INSERT INTO NomsRepertoires(NomsRepertoires) VALUES ('integrity-check')"))
            << indexed.lastError().toStdString();
        fill(5, 50);
        expectSameRows(60);
    }
}

TEST_F(NameIndexTest, PatternsWithoutThreeSearchableCharactersScan) {
    for (const QString pattern : {"ab", "a*b*c", "a?c?e", "[abc]", "#1#"})
        EXPECT_FALSE(narrowed(searchQuery(BuildSearchCondition(FilterKind::FileName, pattern))))
            << pattern.toStdString();
    for (const QString pattern : {"abc", "a*bcs*c", "ÉTÉ", "sſk"})
        EXPECT_TRUE(narrowed(searchQuery(BuildSearchCondition(FilterKind::FileName, pattern))))
            << pattern.toStdString();
}

} // namespace
} // namespace velmar::db
