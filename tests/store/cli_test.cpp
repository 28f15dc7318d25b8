// The store subcommands of velmar-cli over a temporary data directory.

#include "collection_fixture.h"
#include "support/cli_run.h"

#include <gtest/gtest.h>

namespace velmar {
namespace {

using test::CliRun;

class CliTest : public ::testing::Test {
protected:
    CliRun cli(const QStringList& arguments) { return test::runCli(arguments, fixture.paths().dataDir); }
    test::CollectionFixture fixture;
};

TEST_F(CliTest, CollectionCommandsShareTheCoreMessages) {
    ASSERT_TRUE(fixture.valid());
    EXPECT_EQ(cli({"create", "Photos"}).status, 0);
    const CliRun twice = cli({"create", "Photos"});
    EXPECT_EQ(twice.status, 1);
    EXPECT_EQ(twice.err, QString("Cette collection existe déjà !\n"));
    EXPECT_EQ(cli({"create", "Disque \"A\""}).status, 0);
    EXPECT_EQ(cli({"rename", "Photos", "Vacances"}).status, 0);
    const CliRun list = cli({"collections"});
    EXPECT_TRUE(list.out.startsWith("1\tVacances\tCompil1.mdb\t")) << list.out.toStdString();
    EXPECT_TRUE(list.out.contains("2\tDisque \"A\"\tCompil2.mdb\t"));
    const CliRun table = cli({"supports", "Vacances"});
    EXPECT_EQ(table.status, 0);
    EXPECT_EQ(table.out, QString("N°\tType\tNom du support\tFichiers\tTaille\tRépert.\n"));
    EXPECT_EQ(cli({"compact", "Vacances"}).err, QString("Compactage effectué.\n"));
    EXPECT_EQ(cli({"delete", "Vacances"}).status, 1); // asked, answered No
    EXPECT_EQ(cli({"delete", "Vacances", "--yes"}).status, 0);
    EXPECT_TRUE(cli({"collections"}).out.startsWith("1\tDisque \"A\"\tCompil1.mdb\t"));
    EXPECT_EQ(cli({"delete-all", "--yes"}).status, 0);
    EXPECT_TRUE(cli({"collections"}).out.startsWith("0 collection - "));
}

} // namespace
} // namespace velmar
