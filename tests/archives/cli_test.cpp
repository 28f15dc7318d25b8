// "velmar-cli archive" on archives written by the real tools (zip, tar) at
// test time: the tab-separated entry lines, the "--" line and the probe's
// text, and the status of a file no reader recognises.

#include "support/cli_run.h"
#include "support/require_tool.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using velmar::test::CliRun;

class CliArchive : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        ASSERT_TRUE(QDir(m_dir.path()).mkpath(QStringLiteral("sub")));
        write(QStringLiteral("a.txt"), QByteArray("hello\n"));
        write(QStringLiteral("sub/b.txt"), QByteArray(3000, 'b'));
        write(QStringLiteral("sub/c.txt"), QByteArray("c"));
        write(QStringLiteral("junk.bin"), QByteArray("not an archive"));
        // Even seconds: DOS times keep two-second steps.
        ASSERT_TRUE(
            run("touch", {"-d", "2021-03-04 05:06:08 UTC", "a.txt", "sub", "sub/b.txt", "sub/c.txt"}));
    }

    QString path(const QString& relative) const { return m_dir.filePath(relative); }

    void write(const QString& relative, const QByteArray& bytes) const {
        QFile f(path(relative));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(bytes);
    }

    // Runs a tool in the temporary directory, in UTC (zip stores local times);
    // false when it is missing or fails.
    bool run(const QString& tool, const QStringList& arguments) const {
        if (QStandardPaths::findExecutable(tool).isEmpty())
            return false;
        QProcess p;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("TZ"), QStringLiteral("UTC"));
        p.setProcessEnvironment(environment);
        p.setWorkingDirectory(m_dir.path());
        p.start(tool, arguments);
        return p.waitForFinished(60000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
    }

    CliRun cli(const QStringList& arguments) const {
        return velmar::test::runCli(arguments, QString(), m_dir.path());
    }

    QTemporaryDir m_dir;
};

// The probe's text after the entries: count and size phrase, then the names.
const QString probeText = QStringLiteral("--\n4 fichiers - 2.93 Ko\na.txt\nsub/\nsub/b.txt\nsub/c.txt\n");

// Each line: index, name, sizes, method, date-time, CRC, flags; a line of the
// table is a regular expression where the size zip's compressor chooses varies.
void expectListing(const CliRun& run, const QStringList& lines) {
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(run.err, QString());
    const qsizetype cut = run.out.indexOf(QStringLiteral("--\n"));
    ASSERT_GE(cut, 0) << run.out.toStdString();
    const QStringList got = run.out.left(cut).split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(got.size(), lines.size()) << run.out.toStdString();
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QRegularExpression line(QRegularExpression::anchoredPattern(lines[i]));
        EXPECT_TRUE(line.match(got[i]).hasMatch())
            << got[i].toStdString() << "\n  vs " << lines[i].toStdString();
    }
    EXPECT_EQ(run.out.mid(cut), probeText);
}

TEST_F(CliArchive, ZipEntriesWithMethodsCrcAndFlags) {
    REQUIRE_TOOL(run("zip", {"-q", "-X", "-0", "t.zip", "a.txt"}) &&
                     run("zip", {"-q", "-X", "t.zip", "sub/", "sub/b.txt"}) &&
                     run("zip", {"-q", "-X", "-P", "secret", "t.zip", "sub/c.txt"}),
                 "zip");
    expectListing(cli({"archive", "t.zip"}),
                  {R"(1\ta\.txt\t6\t6\tNo Compression\t2021-03-04 05:06:08\t363A3020\t-)",
                   R"(2\tsub/\t0\t0\tNo Compression\t2021-03-04 05:06:08\t00000000\td)",
                   R"(3\tsub/b\.txt\t3000\t[1-9][0-9]?[0-9]?\tDeflated\t2021-03-04 05:06:08\t470C7E61\t-)",
                   // Stored behind the 12-byte encryption header.
                   R"(4\tsub/c\.txt\t1\t13\tNo Compression\t2021-03-04 05:06:08\t06B9DF6F\te)"});
}

TEST_F(CliArchive, TarMembersAndDirectory) {
    REQUIRE_TOOL(run("tar", {"cf", "t.tar", "--sort=name", "a.txt", "sub"}), "tar");
    expectListing(cli({"archive", "t.tar"}),
                  {R"(1\ta\.txt\t6\t6\tStored\t2021-03-04 05:06:08\t00000000\t-)",
                   R"(2\tsub/\t0\t0\tStored\t2021-03-04 05:06:08\t00000000\td)",
                   R"(3\tsub/b\.txt\t3000\t3000\tStored\t2021-03-04 05:06:08\t00000000\t-)",
                   R"(4\tsub/c\.txt\t1\t1\tStored\t2021-03-04 05:06:08\t00000000\t-)"});
}

// More lines than one output block holds: every member once, in order.
TEST_F(CliArchive, ListingLongerThanOneOutputBlock) {
    constexpr int members = 1500;
    ASSERT_TRUE(QDir(m_dir.path()).mkpath(QStringLiteral("many")));
    QStringList names;
    for (int i = 0; i < members; ++i) {
        names << QStringLiteral("many/member-%1-with-a-longer-name.txt").arg(i, 4, 10, QLatin1Char('0'));
        write(names.back(), QByteArray::number(i));
    }
    REQUIRE_TOOL(run("tar", {"cf", "many.tar", "--sort=name", "many"}), "tar");
    const CliRun listing = cli({"archive", "many.tar"});
    EXPECT_EQ(listing.status, 0);
    const QStringList lines = listing.out.split(QLatin1Char('\n'));
    ASSERT_GT(lines.size(), members + 1);
    EXPECT_TRUE(lines[0].startsWith(QStringLiteral("1\tmany/\t0\t0\tStored\t")));
    for (int i = 0; i < members; ++i) {
        const QStringList fields = lines[i + 1].split(QLatin1Char('\t'));
        ASSERT_EQ(fields.size(), 8) << lines[i + 1].toStdString();
        EXPECT_EQ(fields[0], QString::number(i + 2));
        EXPECT_EQ(fields[1], names[i]);
        EXPECT_EQ(fields[2], QString::number(QByteArray::number(i).size()));
    }
    EXPECT_EQ(lines[members + 1], QStringLiteral("--"));
    EXPECT_TRUE(lines[members + 2].startsWith(QStringLiteral("1501 fichiers - ")));
}

// An unrecognised file: the dispatcher's status on standard error and exit
// status 1, the other archives still listed in order; no file at all: usage.
TEST_F(CliArchive, UnrecognisedFilesAndMissingArguments) {
    REQUIRE_TOOL(run("tar", {"cf", "t.tar", "--sort=name", "a.txt", "sub"}), "tar");
    const CliRun junk = cli({"archive", "junk.bin"});
    EXPECT_EQ(junk.status, 1);
    EXPECT_EQ(junk.out, QString());
    EXPECT_EQ(junk.err, QStringLiteral("Archive non reconnue « junk.bin » (état 2).\n"));

    const CliRun mixed = cli({"archive", "junk.bin", "t.tar", "missing.zip"});
    EXPECT_EQ(mixed.status, 1);
    EXPECT_EQ(mixed.err, QStringLiteral("Archive non reconnue « junk.bin » (état 2).\n"
                                        "Archive non reconnue « missing.zip » (état 2).\n"));
    EXPECT_TRUE(mixed.out.startsWith(QStringLiteral("1\ta.txt\t6\t6\tStored\t")));
    EXPECT_TRUE(mixed.out.endsWith(probeText));

    const CliRun none = cli({"archive"});
    EXPECT_EQ(none.status, 2);
    EXPECT_EQ(none.err, QStringLiteral("Indiquez au moins une archive.\n"));
}

} // namespace
