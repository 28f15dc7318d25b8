// Archives written by the real tools at test time (zip, arj, gcab, lha, tar,
// gzip) in a temporary directory, listed through the dispatcher.

#include "archives/archive_dispatcher.h"
#include "archives/archive_listing.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace velmar::archives;

namespace {

class ToolArchives : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        QDir(m_dir.path()).mkpath(QStringLiteral("tree/sub/deep"));
        write(QStringLiteral("tree/a.txt"), QByteArray("hello\n"));
        write(QStringLiteral("tree/sub/b.txt"), QByteArray(3000, 'b'));
        write(QStringLiteral("tree/sub/deep/c.txt"), QByteArray("c"));
    }

    QString path(const QString& relative) const { return m_dir.filePath(relative); }

    void write(const QString& relative, const QByteArray& bytes) const {
        QFile f(path(relative));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    // Runs the tool in the temporary directory; false when it is missing or fails.
    bool run(const QString& tool, const QStringList& arguments, const QByteArray& input = {}) const {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            return false;
        QProcess p;
        p.setWorkingDirectory(m_dir.path());
        p.start(tool, arguments);
        p.write(input);
        p.closeWriteChannel();
        return p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    }

    QStringList names(const Cls_GetFileType& d) const {
        QStringList list;
        for (int i = 1; i <= d.FileCount(); ++i)
            list << d.FileName(i);
        return list;
    }

    QTemporaryDir m_dir;
};

#define REQUIRE_TOOL(ok, tool)                                                                               \
    if (!(ok))                                                                                               \
    GTEST_SKIP() << tool << " is missing or failed"

TEST_F(ToolArchives, ZipNestedFoldersAndDirectoryEntries) {
    REQUIRE_TOOL(run("zip", {"-qr", "t.zip", "tree"}), "zip");
    Cls_GetFileType d;
    ASSERT_EQ(d.Get_Contents(path("t.zip")), 0);
    const QStringList list = names(d);
    ASSERT_EQ(list.size(), 6);
    const int dir = list.indexOf("tree/sub/deep/") + 1;
    const int file = list.indexOf("tree/sub/b.txt") + 1;
    ASSERT_GT(dir, 0);
    ASSERT_GT(file, 0);
    EXPECT_TRUE(d.IsDir(dir));
    EXPECT_FALSE(d.IsDir(file));
    EXPECT_EQ(d.UnCompressed_Size(file), 3000);
    EXPECT_EQ(d.Method(file), QStringLiteral("Deflated"));
    EXPECT_EQ(d.SystemMadeBy(file), QStringLiteral("UNIX"));
    EXPECT_EQ(d.CommentsPack(), QString());
}

TEST_F(ToolArchives, ZipCommentFoundByScan) {
    REQUIRE_TOOL(run("zip", {"-qr", "-z", "t.zip", "tree"}, "ten bytes!\n.\n"), "zip");
    Cls_GetFileType d;
    ASSERT_EQ(d.Get_Contents(path("t.zip")), 0);
    EXPECT_EQ(d.FileCount(), 6);
    EXPECT_TRUE(d.CommentsPack().startsWith(QStringLiteral("ten bytes!")));
}

TEST_F(ToolArchives, ZipEncryptedEntryAndStoredEntry) {
    REQUIRE_TOOL(run("zip", {"-q", "-P", "secret", "e.zip", "tree/a.txt"}), "zip");
    REQUIRE_TOOL(run("zip", {"-q", "-0", "e.zip", "tree/sub/deep/c.txt"}), "zip");
    Cls_GetFileType d;
    ASSERT_EQ(d.Get_Contents(path("e.zip")), 0);
    ASSERT_EQ(d.FileCount(), 2);
    EXPECT_TRUE(d.Encrypted(1));
    EXPECT_FALSE(d.Encrypted(2));
    EXPECT_EQ(d.Method(2), QStringLiteral("No Compression"));
    EXPECT_EQ(quint32(d.CRC32(2)), 0x06B9DF6Fu); // CRC-32 of "c"
}

TEST_F(ToolArchives, ZipOfThreeHundredEntriesAndEmptyZip) {
    QDir(m_dir.path()).mkpath("many");
    QStringList files;
    for (int i = 0; i < 300; ++i) {
        const QString name = QStringLiteral("many/file_%1.txt").arg(i, 5, 10, QLatin1Char('0'));
        write(name, QByteArray(10, 'x'));
        files << name;
    }
    REQUIRE_TOOL(run("zip", QStringList{"-q", "m.zip"} + files), "zip");
    Cls_GetFileType d;
    ASSERT_EQ(d.Get_Contents(path("m.zip")), 0);
    EXPECT_EQ(d.FileCount(), 300);
    const QString text = archiveListingText(d);
    EXPECT_TRUE(text.startsWith(QStringLiteral("300 fichiers - 2")));
    EXPECT_LE(text.size(), 257);
    EXPECT_GT(text.size() + 19, 255); // the next 19-character name would not fit
    EXPECT_TRUE(text.endsWith(QStringLiteral("many/file_00010.txt")));

    // An empty archive: zip writes a bare end record.
    REQUIRE_TOOL(run("zip", {"-q", "m.zip", "-d", "many/*"}), "zip");
    EXPECT_EQ(archiveListingText(path("m.zip")), QStringLiteral("Aucun fichier - 0 octet"));
}

TEST_F(ToolArchives, DamagedZipCopies) {
    REQUIRE_TOOL(run("zip", {"-qr", "t.zip", "tree"}), "zip");
    QFile f(path("t.zip"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray good = f.readAll();
    Cls_GetFileType d;
    for (int cut = 0; cut < good.size(); cut += 7) {
        MemorySource s(good.constData(), cut);
        d.Get_Contents("t.zip", s);
    }
    QByteArray wrongOffset = good;
    wrongOffset[good.size() - 6] = char(0x7F); // central directory offset far away
    MemorySource s(wrongOffset.constData(), wrongOffset.size());
    EXPECT_EQ(d.Get_Contents("t.zip", s), 0);
    EXPECT_EQ(d.FileCount(), 6);
    EXPECT_EQ(d.UnCompressed_Size(3), 0); // read past the end: zero fields
}

TEST_F(ToolArchives, ArjEntriesAndEmptyArchive) {
    REQUIRE_TOOL(run("arj", {"a", "-r", "t.arj", "tree"}), "arj");
    Cls_GetFileType d;
    ASSERT_EQ(d.Get_Contents(path("t.arj")), 0);
    const QStringList list = names(d);
    EXPECT_TRUE(list.contains("tree/sub/b.txt")) << list.join(',').toStdString();
    const int b = list.indexOf("tree/sub/b.txt") + 1;
    EXPECT_EQ(d.UnCompressed_Size(b), 3000);
    EXPECT_EQ(d.SystemNeeded(b), QStringLiteral("unKnown"));
    EXPECT_EQ(d.SystemMadeBy(b), QStringLiteral("UNIX"));
    EXPECT_FALSE(d.Encrypted(b));
}

TEST_F(ToolArchives, ArjGarbledEntry) {
    REQUIRE_TOOL(run("arj", {"a", "-gpass", "g.arj", "tree/a.txt"}), "arj");
    Cls_GetFileType d;
    ASSERT_EQ(d.Get_Contents(path("g.arj")), 0);
    ASSERT_EQ(d.FileCount(), 1);
    EXPECT_TRUE(d.Encrypted(1));
}

TEST_F(ToolArchives, CabinetOfSeveralFoldersReportsFirstFolderType) {
    REQUIRE_TOOL(run("gcab", {"-c", "-n", "t.cab", "tree/a.txt", "tree/sub/b.txt"}), "gcab");
    Cls_GetFileType d;
    ASSERT_EQ(d.Get_Contents(path("t.cab")), 0);
    ASSERT_EQ(d.FileCount(), 2);
    EXPECT_EQ(d.FileName(2), QStringLiteral("b.txt"));
    EXPECT_EQ(d.UnCompressed_Size(2), 3000);
    EXPECT_EQ(d.Compressed_Size(2), 0);
    EXPECT_EQ(d.Method(1), QStringLiteral("No Compression"));
    EXPECT_EQ(d.VersionNeeded(1), QStringLiteral("1.3"));

    REQUIRE_TOOL(run("gcab", {"-c", "-z", "z.cab", "tree/a.txt", "tree/sub/deep/c.txt"}), "gcab");
    ASSERT_EQ(d.Get_Contents(path("z.cab")), 0);
    EXPECT_EQ(d.Method(2), QStringLiteral("MsZip"));
    // A cabinet holding a stored folder first and an MSZIP folder after it.
    QFile a(path("t.cab")), b(path("z.cab"));
    ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly));
    QByteArray bytes = b.readAll();
    bytes[26] = 2; // two folders: the file table now follows a second (zeroed) folder entry
    MemorySource s(bytes.constData(), bytes.size());
    ASSERT_EQ(d.Get_Contents("z.cab", s), 0);
    EXPECT_EQ(d.FileCount(), 2);
    EXPECT_EQ(d.Method(1), QStringLiteral("MsZip"));
}

TEST_F(ToolArchives, LzhWithDirectory) {
    REQUIRE_TOOL(run("lha", {"a0q", "t.lzh", "tree"}), "lha");
    Cls_GetFileType d;
    ASSERT_EQ(d.Get_Contents(path("t.lzh")), 0);
    const QStringList list = names(d);
    ASSERT_GE(list.size(), 4) << list.join(',').toStdString();
    const int dir = list.indexOf(QStringLiteral("tree\\sub\\")) + 1;
    ASSERT_GT(dir, 0) << list.join(',').toStdString();
    EXPECT_TRUE(d.IsDir(dir));
    EXPECT_EQ(d.Method(dir), QStringLiteral("no compression (this is a directory, not a file!)"));
    EXPECT_EQ(d.CommentsFile(dir), QStringLiteral("Not Supported"));
}

TEST_F(ToolArchives, TarMembersAndEmptyTar) {
    REQUIRE_TOOL(run("tar", {"cf", "t.tar", "tree"}), "tar");
    Cls_GetFileType d;
    ASSERT_EQ(d.Get_Contents(path("t.tar")), 0);
    const QStringList list = names(d);
    ASSERT_EQ(list.size(), 6);
    const int b = list.indexOf("tree/sub/b.txt") + 1;
    EXPECT_EQ(d.UnCompressed_Size(b), 3000);
    EXPECT_EQ(d.Method(b), QStringLiteral("Stored"));
    EXPECT_TRUE(d.IsDir(list.indexOf("tree/sub/") + 1));
    EXPECT_GT(d.FileDateTime(b).date().year(), 2000);

    REQUIRE_TOOL(run("tar", {"cf", "e.tar", "--files-from", "/dev/null"}), "tar");
    EXPECT_EQ(d.Get_Contents(path("e.tar")), 2); // all zeros: no tar entry, no signature
}

TEST_F(ToolArchives, GzipWithAndWithoutStoredName) {
    write("notes.txt", QByteArray(1000, 'n'));
    REQUIRE_TOOL(run("gzip", {"-k", "notes.txt"}), "gzip");
    Cls_GetFileType d;
    ASSERT_EQ(d.Get_Contents(path("notes.txt.gz")), 0);
    EXPECT_EQ(d.FileCount(), 1);
    EXPECT_EQ(d.FileName(1), QStringLiteral("notes.txt"));
    EXPECT_EQ(d.UnCompressed_Size(1), 1000);
    EXPECT_EQ(d.Method(1), QStringLiteral("Deflate"));
    EXPECT_EQ(d.SystemMadeBy(1), QStringLiteral("UNIX"));

    QFile::rename(path("notes.txt.gz"), path("other.gz"));
    ASSERT_EQ(d.Get_Contents(path("other.gz")), 0);
    EXPECT_EQ(d.FileName(1), QStringLiteral("notes.txt")); // stored name wins

    REQUIRE_TOOL(run("gzip", {"-n", "-k", "notes.txt"}), "gzip");
    QFile::rename(path("notes.txt.gz"), path("Renamed.Data.gz"));
    ASSERT_EQ(d.Get_Contents(path("Renamed.Data.gz")), 0);
    EXPECT_EQ(d.FileName(1), QStringLiteral("Renamed.Data"));
    QFile::copy(path("Renamed.Data.gz"), path("data.bin"));
    ASSERT_EQ(d.Get_Contents(path("data.bin")), 0);
    EXPECT_EQ(d.FileName(1), QString());
}

TEST_F(ToolArchives, TgzWithoutNameAndZipNamedGzip) {
    REQUIRE_TOOL(run("tar", {"cf", "b.tar", "tree"}), "tar");
    REQUIRE_TOOL(run("gzip", {"-n", "b.tar"}), "gzip");
    QFile::rename(path("b.tar.gz"), path("backup.tgz"));
    Cls_GetFileType d;
    ASSERT_EQ(d.Get_Contents(path("backup.tgz")), 0);
    EXPECT_EQ(d.FileName(1), QStringLiteral("backup.tar"));
    // The signature, not the extension, chooses the reader.
    QFile::copy(path("backup.tgz"), path("fake.zip"));
    ASSERT_EQ(d.Get_Contents(path("fake.zip")), 0);
    EXPECT_EQ(d.Method(1), QStringLiteral("Deflate"));
}

} // namespace
