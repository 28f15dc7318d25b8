#include "app/files.h"
#include "app/native_path.h"
#include "explore/catalogue_path.h"
#include "explore/directory_read_ahead.h"
#include "explore/directory_walk.h"

#include <QDir>
#include <QFile>
#include <QLocale>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace velmar;

namespace {

class DirectoryWalkTest : public ::testing::Test {
protected:
    QString root() const { return dir.path() + "/"; }
    void makeDir(const QString& relative) { ASSERT_TRUE(QDir().mkpath(root() + relative)); }
    void makeFile(const QString& relative, const QByteArray& content = "x") {
        QFile f(root() + relative);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    void makeLink(const QString& target, const QString& relative) {
        ASSERT_EQ(symlink(target.toLocal8Bit().constData(), (root() + relative).toLocal8Bit().constData()),
                  0);
    }
    QStringList listed() {
        NoProgress progress;
        const QString list = scratch.filePath("ListeRep.tmp");
        QString reason;
        EXPECT_EQ(writeDirectoryList(dir.path(), list, progress, reason), ListOutcome::Written)
            << qPrintable(reason);
        QStringList lines;
        readTextLines(list, lines);
        for (QString& line : lines)
            line = catalogueRelativePath(root(), line);
        return lines;
    }
    QList<FileRecord> records(const QString& relative, FileEnumeration& state) {
        RecordFile file(scratch.filePath("ListeFichiers.tmp"));
        EXPECT_TRUE(file.openForWriting());
        const QString directory = root() + relative;
        const QStringList directories{directory};
        const std::vector<bool> wanted{true};
        DirectoryReadAhead readAhead(directories, wanted, 1);
        EXPECT_TRUE(readAhead.entries(
            0, [&](const DirectoryEntry& entry) { return recordFileEntry(directory, entry, file, state); }));
        QList<FileRecord> out;
        for (qint64 n = 1; n < state.nextRecord; ++n) {
            FileRecord r;
            EXPECT_TRUE(file.read(n, r));
            out << r;
        }
        return out;
    }
    QTemporaryDir dir;
    QTemporaryDir scratch;
};

} // namespace

TEST_F(DirectoryWalkTest, ParentsComeFirstAndTheSmallestPendingPathIsReadNext) {
    for (const char* d : {"b/z", "A/B", "A/a", ".cache", "c"})
        makeDir(d);
    const QStringList lines = listed();
    ASSERT_EQ(lines.size(), 8);
    EXPECT_EQ(lines.first(), "");
    // Each directory is written as it is discovered: after its parent's line.
    for (const char* child : {"A\\B", "A\\a", "b\\z"}) {
        const QString c = child;
        EXPECT_GT(lines.indexOf(c), lines.indexOf(relativeParent(c))) << child;
    }
    EXPECT_TRUE(lines.contains(".cache")) << "hidden directories are listed";
}

TEST_F(DirectoryWalkTest, SiblingsComeInTheFileManagersNameOrder) {
    // Created in an order the disk may keep; the list must not.
    for (const char* d : {"usr/src", "usr/share", "usr/bin", "usr/Lib", "usr/étoile", "usr/zèbre",
                          "usr/Photo 10", "usr/photo 2", "usr/eau"})
        makeDir(d);
    const QLocale previous;
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    const QStringList lines = listed();
    QLocale::setDefault(previous);
    const QStringList children = lines.filter(QRegularExpression(R"(^usr\\)"));
    EXPECT_EQ(children, QStringList({"usr\\bin", "usr\\eau", "usr\\étoile", "usr\\Lib", "usr\\photo 2",
                                     "usr\\Photo 10", "usr\\share", "usr\\src", "usr\\zèbre"}));
}

TEST_F(DirectoryWalkTest, SymbolicLinksAreNeverFollowed) {
    makeDir("real/inner");
    // To a directory, to nothing, and to itself: none of them is a directory to walk.
    makeLink(root() + "real", "loop");
    makeLink("/nonexistent", "gone");
    makeLink(root() + "self", "self");
    const QStringList lines = listed();
    EXPECT_EQ(lines, QStringList({"", "real", "real\\inner"}));
    FileEnumeration state;
    QStringList names;
    for (const FileRecord& record : records("", state)) {
        names << record.nameFull;
        EXPECT_EQ(record.size, 0);
    }
    names.sort();
    EXPECT_EQ(names, QStringList({"gone", "loop", "self"}));
}

TEST_F(DirectoryWalkTest, RecordsCarryNamesExtensionsSizesAndDates) {
    makeFile("archive.tar.gz", QByteArray(1234, 'a'));
    makeFile("README");
    makeFile("Disque \"A\".txt");
    ASSERT_EQ(mkfifo((root() + "pipe").toLocal8Bit().constData(), 0600), 0); // must never be opened
    FileEnumeration state;
    const QList<FileRecord> found = records("", state);
    ASSERT_EQ(found.size(), 4);
    EXPECT_EQ(state.nextRecord, 5);
    EXPECT_EQ(state.totalSize, 1234 + 1 + 1);
    for (const FileRecord& r : found) {
        EXPECT_EQ(r.dirPath, root());
        EXPECT_EQ(r.modified.size(), 19);
        EXPECT_EQ(r.modified.at(2), '/');
        if (r.nameFull == "archive.tar.gz") {
            EXPECT_EQ(r.extension, "GZ");
            EXPECT_EQ(r.nameStem, "archive.tar");
            EXPECT_EQ(r.size, 1234);
        }
    }
}

TEST_F(DirectoryWalkTest, ASparseFileKeepsItsExactSize) {
    const qint64 size = 3LL << 30;
    makeFile("big.iso", "");
    ASSERT_EQ(truncate((root() + "big.iso").toLocal8Bit().constData(), size), 0);
    FileEnumeration state;
    const QList<FileRecord> found = records("", state);
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(found[0].size, size);
    EXPECT_EQ(state.totalSize, size);
}

TEST_F(DirectoryWalkTest, ANameTooLongForTheRecordIsLeftOut) {
    makeFile(QString(201, 'n') + ".txt");
    makeFile("kept.txt");
    FileEnumeration state;
    const QList<FileRecord> found = records("", state);
    ASSERT_EQ(found.size(), 1);
    EXPECT_EQ(found[0].nameFull, "kept.txt");
    EXPECT_EQ(state.leftOut, 1);
}

TEST(CataloguePath, RelativeFormsOfTheWorkedExample) {
    EXPECT_EQ(catalogueRelativePath("/media/cd/", "/media/cd/"), "");
    EXPECT_EQ(catalogueRelativePath("/media/cd/", "/media/cd/Docs/Sub/"), "Docs\\Sub");
    const struct {
        const char* path;
        const char* last;
        const char* parent;
    } cases[] = {{"", "", ""},
                 {"Docs", "Docs", ""},
                 {"Docs\\Sub", "Sub", "Docs"},
                 {"Docs\\Sub\\X\\", "X", "Docs\\Sub"}};
    for (const auto& c : cases) {
        EXPECT_EQ(lastComponent(c.path), c.last) << c.path;
        EXPECT_EQ(relativeParent(c.path), c.parent) << c.path;
    }
    EXPECT_EQ(nativePath("/media/cd/", "Docs\\Sub"), "/media/cd/Docs/Sub");
}
