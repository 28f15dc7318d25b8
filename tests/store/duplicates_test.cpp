// Duplicate groups over a real collection file, checked against a plain
// computation of the rule: two files are the same when they have the same
// size and, both having a CRC, the same CRC, or, one lacking it, the same name
// without case; a group is every file linked to another, step by step.

#include "collection_fixture.h"
#include "store/duplicates.h"

#include <QRandomGenerator>
#include <QSet>

#include <gtest/gtest.h>

namespace velmar {
namespace {

struct Row {
    int support;
    QString name;
    qint64 size;
    QString crc;
};

class DuplicatesTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fixture.valid());
        ASSERT_TRUE(fixture.makeCollectionFile(fixture.paths().collectionFile(1)));
        ASSERT_TRUE(db.open(fixture.paths().collectionFile(1)));
        for (const char* name : {"Disque A", "Disque B", "Disque C"})
            ASSERT_TRUE(
                db.execute("INSERT INTO Supports (NomSupport) VALUES (?)", {QString::fromUtf8(name)}));
        ASSERT_TRUE(db.execute("INSERT INTO Repertoires (NumSupport, RepertoireParent, RepertoireSeul) "
                               "VALUES (1, 'Photos', 'Été')"));
    }
    // The file numbers of each row, in order.
    QList<qint64> insert(const QList<Row>& rows) {
        QList<qint64> numbers;
        for (const Row& r : rows) {
            EXPECT_TRUE(db.execute("INSERT INTO Fichiers (NumSupport, NumRepertoire, Fichier, Taille, CRC) "
                                   "VALUES (?, 1, ?, ?, ?)",
                                   {r.support, r.name, r.size, r.crc}));
            numbers << db.lastInsertId();
        }
        return numbers;
    }
    QList<DuplicateGroup> find(DuplicateBasis basis, qint64 minimumSize = 1) {
        QList<DuplicateGroup> groups;
        QString error;
        EXPECT_TRUE(findDuplicates(db, {basis, minimumSize}, groups, error)) << error.toStdString();
        return groups;
    }

    test::CollectionFixture fixture;
    db::Database db;
};

// Groups as sets of file numbers, in no order.
QSet<QSet<qint64>> asSets(const QList<DuplicateGroup>& groups) {
    QSet<QSet<qint64>> sets;
    for (const DuplicateGroup& g : groups) {
        QSet<qint64> files;
        for (const DuplicateFile& f : g.files)
            files.insert(f.file);
        sets.insert(files);
    }
    return sets;
}

bool same(const Row& a, const Row& b, DuplicateBasis basis) {
    if (a.size != b.size)
        return false;
    const bool crcs = !a.crc.isEmpty() && !b.crc.isEmpty();
    const bool sameCrc = crcs && a.crc.compare(b.crc, Qt::CaseInsensitive) == 0;
    const bool sameName = a.name.compare(b.name, Qt::CaseInsensitive) == 0;
    switch (basis) {
    case DuplicateBasis::Crc:
        return sameCrc;
    case DuplicateBasis::Name:
        return sameName;
    case DuplicateBasis::Automatic:
        break;
    }
    return crcs ? sameCrc : sameName;
}

bool linked(const QSet<int>& x, const QSet<int>& y, const QList<Row>& rows, DuplicateBasis basis) {
    for (int i : x)
        for (int j : y)
            if (same(rows[i], rows[j], basis))
                return true;
    return false;
}

// The closure of `same` by repeated merging, the plainest way there is.
QSet<QSet<qint64>> plainGroups(const QList<Row>& rows, const QList<qint64>& numbers, DuplicateBasis basis) {
    QList<QSet<int>> sets;
    for (int i = 0; i < rows.size(); ++i)
        sets.append(QSet<int>{i});
    for (bool merged = true; merged;) {
        merged = false;
        for (int a = 0; a < sets.size() && !merged; ++a)
            for (int b = a + 1; b < sets.size() && !merged; ++b)
                if (linked(sets[a], sets[b], rows, basis)) {
                    sets[a] += sets.takeAt(b);
                    merged = true;
                }
    }
    QSet<QSet<qint64>> groups;
    for (const QSet<int>& s : sets)
        if (s.size() > 1) {
            QSet<qint64> files;
            for (int i : s)
                files.insert(numbers[i]);
            groups.insert(files);
        }
    return groups;
}

TEST_F(DuplicatesTest, RandomCataloguesGiveThePlainComputationsGroups) {
    QRandomGenerator random(20261207);
    // Enough names that some files share a name and size with files that all
    // have a CRC, and differing CRCs keep them apart.
    const QStringList names = {"a.jpg", "A.JPG", "b.txt", "Été.mp3", "c d.doc", "e", "f", "g", "h", "i"};
    const QStringList crcs = {"", "1A2B3C4D", "1a2b3c4d", "FFFF0000", "00000001", "00000002", "00000003"};
    QList<Row> rows;
    for (int i = 0; i < 120; ++i)
        rows.append({1 + int(random.bounded(3)), names[random.bounded(names.size())], 1 + random.bounded(4),
                     crcs[random.bounded(crcs.size())]});
    const QList<qint64> numbers = insert(rows);
    for (const DuplicateBasis basis :
         {DuplicateBasis::Automatic, DuplicateBasis::Crc, DuplicateBasis::Name}) {
        SCOPED_TRACE(int(basis));
        const QList<DuplicateGroup> groups = find(basis);
        EXPECT_EQ(asSets(groups), plainGroups(rows, numbers, basis));
        for (qsizetype i = 1; i < groups.size(); ++i)
            EXPECT_GE(groups[i - 1].wastedBytes(), groups[i].wastedBytes());
    }
}

TEST_F(DuplicatesTest, GroupsSayWhatLinkedThemAndWhereEachFileIs) {
    const QList<qint64> n = insert({{1, "photo.jpg", 5000, "AAAA0001"},
                                    {2, "copie.jpg", 5000, "aaaa0001"},
                                    {3, "lettre.txt", 10, ""},
                                    {1, "LETTRE.TXT", 10, ""},
                                    {2, "vide.txt", 0, ""},
                                    {3, "vide.txt", 0, ""},
                                    {1, "x.bin", 7, "00000001"},
                                    {2, "x.bin", 7, ""},
                                    {3, "x.bin", 7, "00000002"}});
    const QList<DuplicateGroup> groups = find(DuplicateBasis::Automatic);
    ASSERT_EQ(groups.size(), 3); // the empty files are left out
    EXPECT_EQ(groups[0].link, DuplicateGroup::Link::Crc);
    EXPECT_EQ(groups[0].crc, QString("AAAA0001"));
    EXPECT_TRUE(duplicateGroupText(groups[0]).startsWith("2 fichiers de 4"));
    EXPECT_EQ(groups[0].files[0].supportName, QString("Disque A"));
    EXPECT_EQ(groups[0].files[0].path, QString("Photos\\Été\\photo.jpg"));
    EXPECT_EQ(groups[1].link, DuplicateGroup::Link::CrcOrName); // both CRCs differ, linked through the third
    EXPECT_EQ(groups[1].files.size(), 3);
    EXPECT_EQ(groups[2].link, DuplicateGroup::Link::Name);
    EXPECT_EQ(groups[2].files[0].file, n[3]); // by support, then number
    EXPECT_EQ(asSets(find(DuplicateBasis::Name, 0)).contains({n[4], n[5]}), true);
}

TEST_F(DuplicatesTest, SummaryCountsGroupsFilesAndExcess) {
    EXPECT_EQ(duplicatesSummary({}), QString("Aucun doublon"));
    insert({{1, "a", 300, ""}, {2, "a", 300, ""}, {3, "a", 300, ""}, {1, "b", 10, "1"}, {2, "c", 10, "1"}});
    EXPECT_EQ(duplicatesSummary(find(DuplicateBasis::Automatic)).toStdString(),
              "2 groupes de doublons, 5 fichiers, 610 octets en double");
}

} // namespace
} // namespace velmar
