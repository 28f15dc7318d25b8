// velmar-cli search and ls over a collection explored by velmar-cli explore.

#include "app/files.h"
#include "collection_fixture.h"
#include "explore/catalogue_path.h"
#include "platform/platform.h"
#include "support/cli_run.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace velmar {
namespace {

class CliBrowseTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fixture.valid());
        ASSERT_TRUE(fixture.writeEmptyIniLists());
        QDir().mkpath(medium.path() + "/Docs/Sub");
        write("Docs/rapport.txt", "abc");
        write("Docs/Sub/dit \"oui\".txt", "");
        write("Docs/Sub/photo.jpg", QByteArray(2048, 'j'));
        for (int i = 0; i < 1005; ++i)
            write(QString("Lot/x%1.dat").arg(i, 4, 10, QChar('0')), "x");
        ASSERT_EQ(cli({"create", "Maison"}).status, 0);
        const test::CliRun explored =
            cli({"explore", "--collection", "Maison", "--name", "Disque", medium.path()});
        ASSERT_EQ(explored.status, 0) << explored.err.toStdString();
        // The catalogue's paths start at the root of the volume holding the medium.
        const QString folder = QDir(medium.path()).canonicalPath() + "/Docs/";
        Volume volume;
        ASSERT_TRUE(volumeHolding(platform().volumes(), folder, volume));
        docs = catalogueRelativePath(volume.rootPath, folder);
    }
    void write(const QString& relative, const QByteArray& content) {
        QDir().mkpath(QFileInfo(medium.path() + "/" + relative).absolutePath());
        QFile f(medium.path() + "/" + relative);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    test::CliRun cli(const QStringList& arguments) {
        return test::runCli(arguments, fixture.paths().dataDir);
    }

    test::CollectionFixture fixture;
    QTemporaryDir medium;
    QString docs;
};

TEST_F(CliBrowseTest, SearchPrintsOneLinePerResultAndReportsFailures) {
    const test::CliRun byKind = cli({"search", "--collection", "Maison", "--kind", "1", "\"oui\""});
    ASSERT_EQ(byKind.status, 0) << byKind.err.toStdString();
    const QStringList fields = byKind.out.trimmed().split('\t');
    ASSERT_EQ(fields.size(), 6);
    EXPECT_EQ(fields[0], "Disque");
    EXPECT_EQ(fields[1], "dit \"oui\".txt");
    EXPECT_EQ(fields[2], "TXT");
    EXPECT_EQ(fields[3], docs + "\\Sub");
    EXPECT_EQ(fields[4], "0 octet");

    const test::CliRun criteria = cli({"search", "--collection", "Maison", "--ext", "JPG", "--min", "1000"});
    EXPECT_EQ(criteria.out.count('\n'), 1);
    EXPECT_TRUE(criteria.out.contains("photo.jpg"));

    EXPECT_EQ(cli({"search", "--collection", "Maison", "--kind", "4", "DAT"}).out.count('\n'), 1000);
    EXPECT_EQ(cli({"search", "--collection", "Maison", "--kind", "4", "DAT", "--all"}).out.count('\n'), 1005);

    const test::CliRun none = cli({"search", "--collection", "Maison", "--kind", "1", "introuvable"});
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.err, "Aucune correspondance trouvée.\n");
    const test::CliRun rejected = cli({"search", "--collection", "Maison", "--min", "dix"});
    EXPECT_EQ(rejected.status, 1);
    EXPECT_TRUE(rejected.err.startsWith("La recherche n'a pas pu être faite : "));
    EXPECT_EQ(cli({"search", "--collection", "Maison"}).status, 2);
    EXPECT_EQ(cli({"search", "--collection", "Maison", "--bogus", "1"}).status, 2);
}

TEST_F(CliBrowseTest, LsListsSupportsThenDirectories) {
    EXPECT_EQ(cli({"ls", "--collection", "Maison"}).out, "Disque\t1008 fichiers\n");
    const test::CliRun inDocs = cli({"ls", "--collection", "Maison", "disque", docs});
    ASSERT_EQ(inDocs.status, 0) << inDocs.err.toStdString();
    const QStringList lines = inDocs.out.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines[0], "d\tSub");
    EXPECT_TRUE(lines[1].startsWith("f\trapport.txt\tTXT\t3 octets\t"));
    const test::CliRun slashes =
        cli({"ls", "--collection", "Maison", "Disque", QString(docs).replace('\\', '/') + "/Sub/"});
    EXPECT_EQ(slashes.out.count('\n'), 2);
    EXPECT_TRUE(slashes.out.contains("f\tdit \"oui\".txt\tTXT\tvide\t"));
    EXPECT_EQ(cli({"ls", "--collection", "Maison", "Autre"}).err, "Ce support n'existe pas !\n");
    EXPECT_EQ(cli({"ls", "--collection", "Maison", "Disque", "Nulle\\Part"}).status, 1);
}

} // namespace
} // namespace velmar
