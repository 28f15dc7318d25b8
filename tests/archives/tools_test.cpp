// Archives written by the real tools at test time (zip, arj, gcab, lha, tar,
// gzip) in a temporary directory, listed through the dispatcher.

#include "archives/archive_dispatcher.h"
#include "archives/archive_listing.h"
#include "archives/dos_datetime.h"
#include "support/require_tool.h"

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

    // In the temporary directory, with UTF-8 file names as the tools see them.
    void prepare(QProcess& p) const {
        p.setWorkingDirectory(m_dir.path());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C.UTF-8"));
        p.setProcessEnvironment(environment);
    }

    // Runs the tool in the temporary directory; false when it is missing or fails.
    bool run(const QString& tool, const QStringList& arguments, const QByteArray& input = {}) const {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            return false;
        QProcess p;
        prepare(p);
        p.start(tool, arguments);
        p.write(input);
        p.closeWriteChannel();
        return p.waitForFinished(300000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    }

    // The tool's standard output split in lines; empty when it is missing or fails.
    QStringList listing(const QString& tool, const QStringList& arguments) const {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            return {};
        QProcess p;
        prepare(p);
        p.start(tool, arguments);
        if (!p.waitForFinished(120000) || p.exitCode() != 0)
            return {};
        return QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    }

    QByteArray bytes(const QString& relative) const {
        QFile f(path(relative));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    QStringList names(const Cls_GetFileType& d) const {
        QStringList list;
        for (int i = 1; i <= d.FileCount(); ++i)
            list << d.FileName(i);
        return list;
    }

    QTemporaryDir m_dir;
};

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
    // The local headers stand in for the directory: the same entries, the same sizes.
    Cls_GetFileType whole;
    ASSERT_EQ(whole.Get_Contents(path("t.zip")), 0);
    EXPECT_EQ(names(d), names(whole));
    for (int i = 1; i <= 6; ++i)
        EXPECT_EQ(d.UnCompressed_Size(i), whole.UnCompressed_Size(i)) << i;
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
    EXPECT_EQ(d.Get_Contents(path("e.tar")), 0); // all zeros: an archive of no member
    EXPECT_EQ(d.FileCount(), 0);
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
    // A .tgz that holds no tar: libarchive refuses it, the gzip reader names
    // its member after the archive.
    REQUIRE_TOOL(run("gzip", {"-n", "tree/a.txt"}), "gzip");
    QFile::rename(path("tree/a.txt.gz"), path("backup.tgz"));
    Cls_GetFileType d;
    ASSERT_EQ(d.Get_Contents(path("backup.tgz")), 0);
    EXPECT_EQ(d.FileName(1), QStringLiteral("backup.tar"));
    // The signature, not the extension, chooses the reader.
    QFile::copy(path("backup.tgz"), path("fake.zip"));
    ASSERT_EQ(d.Get_Contents(path("fake.zip")), 0);
    EXPECT_EQ(d.Method(1), QStringLiteral("Deflate"));
}

// Today's tools write UTF-8 names; the listing shows them as the tool lists them.
TEST_F(ToolArchives, ZipUtf8NamesAsUnzipListsThem) {
    write(QStringLiteral("tree/r\u00e9sum\u00e9.txt"), "cv");
    write(QStringLiteral("tree/\u043a\u043d\u0438\u0433\u0430.txt"), "book");
    REQUIRE_TOOL(run("zip", {"-qr", "u.zip", "tree"}), "zip");
    const QStringList expected = listing("unzip", {"-Z1", "u.zip"});
    REQUIRE_TOOL(!expected.isEmpty(), "unzip");
    Cls_GetFileType d;
    ASSERT_EQ(d.Get_Contents(path("u.zip")), 0);
    EXPECT_EQ(names(d), expected);
    EXPECT_TRUE(names(d).contains(QStringLiteral("tree/r\u00e9sum\u00e9.txt")));
}

// Zip64 records written on request: every entry keeps its size.
TEST_F(ToolArchives, Zip64RecordsAndExtraFields) {
    REQUIRE_TOOL(run("zip", {"-qr", "-fz", "z.zip", "tree"}), "zip");
    const QStringList expected = listing("unzip", {"-Z1", "z.zip"});
    Cls_GetFileType d;
    ASSERT_EQ(d.Get_Contents(path("z.zip")), 0);
    EXPECT_EQ(names(d), expected);
    const int b = names(d).indexOf(QStringLiteral("tree/sub/b.txt")) + 1;
    ASSERT_GT(b, 0);
    EXPECT_EQ(d.UnCompressed_Size(b), 3000);
    EXPECT_GT(d.Compressed_Size(b), 0);
}

TEST_F(ToolArchives, ZipOfSeventyThousandEntries) {
    QDir(m_dir.path()).mkpath("m");
    QByteArray list;
    for (int i = 0; i < 70000; ++i) {
        const QString name = QStringLiteral("m/%1").arg(i);
        QFile(path(name)).open(QIODevice::WriteOnly);
        list += name.toUtf8() + '\n';
    }
    REQUIRE_TOOL(run("zip", {"-q", "-0", "big.zip", "-@"}, list), "zip");
    Cls_GetFileType d;
    ASSERT_EQ(d.Get_Contents(path("big.zip")), 0);
    ASSERT_EQ(d.FileCount(), 70000);
    EXPECT_EQ(d.FileName(70000), QStringLiteral("m/69999"));
    EXPECT_TRUE(archiveListingText(d).startsWith(QStringLiteral("70000 fichiers - ")));
}

// A copy cut anywhere lists the entries that lie whole before the cut, as in
// the whole archive, and nothing after them.
TEST_F(ToolArchives, CutZipAndCabinetListWholeEntriesOnly) {
    REQUIRE_TOOL(run("zip", {"-qr", "t.zip", "tree"}), "zip");
    REQUIRE_TOOL(run("gcab", {"-c", "-n", "t.cab", "tree/a.txt", "tree/sub/b.txt", "tree/sub/deep/c.txt"}),
                 "gcab");
    for (const QString& file : {QStringLiteral("t.zip"), QStringLiteral("t.cab")}) {
        const QByteArray good = bytes(file);
        Cls_GetFileType d;
        ASSERT_EQ(d.Get_Contents(path(file)), 0);
        const QStringList all = names(d);
        QList<qint64> sizes;
        for (int i = 1; i <= d.FileCount(); ++i)
            sizes << d.UnCompressed_Size(i);
        int previous = 0;
        for (qsizetype cut = 1; cut < good.size(); ++cut) {
            MemorySource s(good.constData(), cut);
            d.Get_Contents(file, s);
            const QStringList got = names(d);
            ASSERT_EQ(got, all.mid(0, got.size())) << file.toStdString() << " cut at " << cut;
            for (int i = 1; i <= got.size(); ++i)
                ASSERT_EQ(d.UnCompressed_Size(i), sizes[i - 1]) << cut;
            EXPECT_GE(got.size(), previous) << cut;
            previous = int(got.size());
        }
        EXPECT_EQ(previous, all.size()) << file.toStdString();
    }
}

TEST_F(ToolArchives, GnuTarLongNamesLinksAndSparseMembers) {
    const QString deep = QStringLiteral("tree/") + QString(120, QLatin1Char('d')) + QStringLiteral("/name");
    QDir(m_dir.path()).mkpath(deep.section('/', 0, -2));
    write(deep, "long");
    ASSERT_TRUE(QFile::link(QString(150, QLatin1Char('t')), path("tree/long-link")));
    ASSERT_TRUE(QFile::link("a.txt", path("tree/short-link")));
    REQUIRE_TOOL(run("ln", {"tree/a.txt", "tree/hard"}), "ln");
    REQUIRE_TOOL(run("truncate", {"-s", "10M", "tree/sparse.img"}), "truncate");
    for (const char* format : {"--format=gnu", "--format=pax"}) {
        const QString archive = QString::fromLatin1(format).mid(9) + QStringLiteral(".tar");
        REQUIRE_TOOL(run("tar", {format, "-S", "-cf", archive, "tree"}), "tar");
        const QStringList expected = listing("tar", {"-tf", archive});
        Cls_GetFileType d;
        ASSERT_EQ(d.Get_Contents(path(archive)), 0);
        const QStringList list = names(d);
        EXPECT_EQ(list, expected) << format;
        EXPECT_TRUE(list.contains(deep)) << format;
        const int sparse = list.indexOf(QStringLiteral("tree/sparse.img")) + 1;
        ASSERT_GT(sparse, 0) << format;
        EXPECT_EQ(d.UnCompressed_Size(sparse), 10 * 1024 * 1024) << format;
        const int hard = list.indexOf(QStringLiteral("tree/hard")) + 1;
        const int text = list.indexOf(QStringLiteral("tree/a.txt")) + 1;
        ASSERT_GT(hard * text, 0) << format;
        EXPECT_EQ(d.UnCompressed_Size(hard) + d.UnCompressed_Size(text), 6) << format; // one holds the data
    }
}

TEST_F(ToolArchives, UstarPrefixAndPaxUtf8Names) {
    const QString deep = QStringLiteral("tree/") + QString(80, QLatin1Char('p')) + QStringLiteral("/") +
                         QString(60, QLatin1Char('q')) + QStringLiteral("/f\u00e9.txt");
    QDir(m_dir.path()).mkpath(deep.section('/', 0, -2));
    write(deep, "prefix");
    for (const char* format : {"--format=ustar", "--format=pax"}) {
        REQUIRE_TOOL(run("tar", {format, "-cf", "p.tar", deep}), "tar");
        Cls_GetFileType d;
        ASSERT_EQ(d.Get_Contents(path("p.tar")), 0);
        EXPECT_EQ(names(d), listing("tar", {"-tf", "p.tar"})) << format;
        EXPECT_EQ(d.FileName(d.FileCount()), deep) << format;
        EXPECT_EQ(d.UnCompressed_Size(d.FileCount()), 6);
    }
}

TEST_F(ToolArchives, LzhLevelTwoAndOneHeaders) {
    for (const char* command : {"aq", "a1q", "a2q"}) {
        const QString archive = QStringLiteral("%1.lzh").arg(QLatin1String(command));
        REQUIRE_TOOL(run("lha", {command, archive, "tree"}), "lha");
        // The names are the last column between the two rules of dashes.
        QStringList expected;
        int rules = 0;
        for (const QString& line : listing("lha", {"l", archive})) {
            if (line.startsWith(QStringLiteral("-----")))
                ++rules;
            else if (rules == 1)
                expected << line.section(QLatin1Char(' '), -1);
        }
        Cls_GetFileType d;
        ASSERT_EQ(d.Get_Contents(path(archive)), 0);
        EXPECT_EQ(names(d), expected) << command;
        const int b = names(d).indexOf(QStringLiteral("tree/sub/b.txt")) + 1;
        ASSERT_GT(b, 0) << command;
        EXPECT_EQ(d.UnCompressed_Size(b), 3000);
        EXPECT_GT(d.FileDateTime(b).date().year(), 2000);
        EXPECT_TRUE(d.IsDir(names(d).indexOf(QStringLiteral("tree/sub/")) + 1)) << command;
    }
}

TEST_F(ToolArchives, CabinetUtf8Name) {
    write(QStringLiteral("tree/r\u00e9sum\u00e9.txt"), "cv");
    REQUIRE_TOOL(run("gcab", {"-c", "-n", "u.cab", QStringLiteral("tree/r\u00e9sum\u00e9.txt")}), "gcab");
    Cls_GetFileType d;
    ASSERT_EQ(d.Get_Contents(path("u.cab")), 0);
    const QStringList lines = listing("gcab", {"-l", "u.cab"}); // name (no blank here), size, date
    ASSERT_EQ(lines.size(), 1);
    EXPECT_EQ(d.FileName(1), lines[0].section(QLatin1Char(' '), 0, 0));
    EXPECT_EQ(d.FileName(1), QStringLiteral("r\u00e9sum\u00e9.txt"));
}

TEST_F(ToolArchives, GzipMembersOneAfterAnother) {
    write("one.txt", QByteArray(1000, '1'));
    write("two.txt", QByteArray(70000, '2'));
    REQUIRE_TOOL(run("gzip", {"-k", "one.txt", "two.txt"}), "gzip");
    REQUIRE_TOOL(run("gzip", {"-n", "-k", "-S", ".n.gz", "one.txt"}), "gzip");
    QFile joined(path("both.gz"));
    ASSERT_TRUE(joined.open(QIODevice::WriteOnly));
    joined.write(bytes("one.txt.gz") + bytes("two.txt.gz") + bytes("one.txt.n.gz"));
    joined.close();
    Cls_GetFileType d;
    ASSERT_EQ(d.Get_Contents(path("both.gz")), 0);
    ASSERT_EQ(d.FileCount(), 3);
    EXPECT_EQ(names(d), QStringList({"one.txt", "two.txt", "both"}));
    EXPECT_EQ(d.UnCompressed_Size(1), 1000);
    EXPECT_EQ(d.UnCompressed_Size(2), 70000);
    EXPECT_EQ(d.Compressed_Size(2), bytes("two.txt.gz").size() - 18 - 8);
    EXPECT_GT(d.FileDateTime(1).date().year(), 2000);
    EXPECT_EQ(d.FileDateTime(3), zeroDateTime()); // -n: no time stamp
}

TEST_F(ToolArchives, ArjUnixTimeStamps) {
    REQUIRE_TOOL(run("touch", {"-d", "2024-03-05 10:20:30 UTC", "tree/a.txt"}), "touch");
    REQUIRE_TOOL(run("arj", {"a", "t.arj", "tree/a.txt"}), "arj");
    Cls_GetFileType d;
    ASSERT_EQ(d.Get_Contents(path("t.arj")), 0);
    ASSERT_EQ(d.FileCount(), 1);
    EXPECT_EQ(d.FileDateTime(1), QDateTime(QDate(2024, 3, 5), QTime(10, 20, 30), Qt::UTC));
}

} // namespace
