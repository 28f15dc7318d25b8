// The directory read-ahead against a real folder: every entry of each
// directory asked for, once, whatever the readers had already read, skipped or
// still had queued.

#include "explore/directory_read_ahead.h"

#include <QDir>
#include <QFile>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace velmar;

namespace {

class DirectoryReadAheadTest : public ::testing::Test {
protected:
    // Directory `name` holding `files` empty files; its path joins `directories`.
    void makeDirectory(const QString& name, int files) {
        const QString path = dir.filePath(name) + '/';
        ASSERT_TRUE(QDir().mkpath(path));
        for (int i = 0; i < files; ++i)
            ASSERT_TRUE(QFile(path + QString("f%1.txt").arg(i)).open(QIODevice::WriteOnly));
        directories << path;
    }
    QSet<QString> read(DirectoryReadAhead& readAhead, qsizetype index, bool* readable = nullptr) {
        QSet<QString> names;
        const bool ok = readAhead.entries(index, [&](const DirectoryEntry& entry) {
            EXPECT_FALSE(names.contains(entry.name)) << entry.name.toStdString() << " twice";
            names.insert(entry.name);
            return true;
        });
        if (readable)
            *readable = ok;
        return names;
    }
    static QSet<QString> expected(int files) {
        QSet<QString> names;
        for (int i = 0; i < files; ++i)
            names.insert(QString("f%1.txt").arg(i));
        return names;
    }
    QTemporaryDir dir;
    QStringList directories;
};

} // namespace

TEST_F(DirectoryReadAheadTest, EachDirectoryAskedForGivesAllItsEntriesOnce) {
    // Sizes around the chunk of 1024 entries, and one far past what the
    // readers may hold ahead, so that they wait for the phase.
    const int sizes[] = {0, 1, 1023, 1024, 1025, 3, 10000, 5, 7, 2};
    for (int i = 0; i < 10; ++i)
        makeDirectory(QString("d%1").arg(i), sizes[i]);
    // Subdirectories are the list's business, not the read-ahead's.
    ASSERT_TRUE(QDir().mkpath(directories.at(1) + "sub"));
    const std::vector<bool> wanted{true, true, true, false, true, true, true, false, true, true};
    for (int readers : {1, 2}) {
        DirectoryReadAhead readAhead(directories, wanted, readers);
        // 2 is read ahead but never asked for; 3 and 7 were left to the phase.
        for (qsizetype index : {0, 1, 3, 4, 5, 6, 7, 9}) {
            bool readable = false;
            EXPECT_EQ(read(readAhead, index, &readable), expected(sizes[index]))
                << "directory " << index << ", " << readers << " reader(s)";
            EXPECT_TRUE(readable);
        }
    }
}

TEST_F(DirectoryReadAheadTest, ManySmallDirectoriesShareChunksWithoutMixingTheirEntries) {
    constexpr int kCount = 300; // several chunks of at most 64 directories each
    for (int i = 0; i < kCount; ++i)
        makeDirectory(QString("s%1").arg(i), i % 4);
    std::vector<bool> wanted(kCount, true);
    for (int i = 0; i < kCount; i += 7)
        wanted[static_cast<std::size_t>(i)] = false;
    DirectoryReadAhead readAhead(directories, wanted, 2);
    for (int i = 0; i < kCount; i += (i % 5 == 0 ? 2 : 1))
        EXPECT_EQ(read(readAhead, i), expected(i % 4)) << "directory " << i;
}

TEST_F(DirectoryReadAheadTest, AVisitThatStopsEarlyLeavesTheNextDirectoriesWhole) {
    makeDirectory("big", 5000);
    makeDirectory("next", 10);
    const std::vector<bool> wanted{true, true};
    DirectoryReadAhead readAhead(directories, wanted, 2);
    int seen = 0;
    readAhead.entries(0, [&](const DirectoryEntry&) { return ++seen < 10; });
    EXPECT_EQ(seen, 10);
    EXPECT_EQ(read(readAhead, 1), expected(10));
}

TEST_F(DirectoryReadAheadTest, AnUnreadableDirectoryIsReportedAndTheOthersStillRead) {
    makeDirectory("a", 2);
    directories << dir.filePath("gone") + '/';
    makeDirectory("b", 3);
    const std::vector<bool> wanted{true, true, true};
    DirectoryReadAhead readAhead(directories, wanted, 2);
    bool readable = true;
    EXPECT_EQ(read(readAhead, 0), expected(2));
    EXPECT_TRUE(read(readAhead, 1, &readable).isEmpty());
    EXPECT_FALSE(readable);
    EXPECT_EQ(read(readAhead, 2, &readable), expected(3));
    EXPECT_TRUE(readable);
}

TEST_F(DirectoryReadAheadTest, GoingAwayUnblocksReadersWaitingForRoom) {
    makeDirectory("big", 10000);
    makeDirectory("other", 10000);
    const std::vector<bool> wanted{true, true};
    DirectoryReadAhead readAhead(directories, wanted, 2);
    // Meanwhile the other reader fills its queue and waits; leaving the scope
    // must stop it rather than wait forever.
    EXPECT_EQ(read(readAhead, 0), expected(10000));
}
