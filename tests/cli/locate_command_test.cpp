// velmar-cli locate over a collection explored from a temporary folder: the
// medium is the machine's volume holding that folder, recognised by its
// serial. The file is printed when that volume holds it; otherwise the support
// to insert is named. Waiting for a medium inserted later is covered with the
// fake platform in the store tests.

#include "app/files.h"
#include "collection_fixture.h"
#include "explore/catalogue_path.h"
#include "explore/drive_panel.h"
#include "platform/platform.h"
#include "support/cli_run.h"

#include <QDir>

#include <gtest/gtest.h>

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace velmar {
namespace {

using test::CliRun;

class LocateCommandTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fixture.valid() && fixture.writeEmptyIniLists());
        const QString types = fixture.paths().dataDir + "TypesLecteur/";
        ASSERT_TRUE(QDir().mkpath(types));
        ASSERT_TRUE(writeTextLines(types + "TypeSupports.dat", {"4#CD.bmp#CD-ROM#CD"}));
        ASSERT_TRUE(QDir().mkpath(medium.filePath("Docs/Sub")));
        QFile file(medium.filePath("Docs/Sub/a.txt"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("Bonjour") == 7);
        file.close();
        ASSERT_EQ(cli({"create", "Photos"}).status, 0);
        const CliRun explored =
            cli({"explore", "--collection", "Photos", "--name", "Disque", "--type", "4", medium.path()});
        ASSERT_EQ(explored.status, 0) << explored.err.toStdString();
        // The catalogue's paths start at the root of the volume holding the folder.
        const QString folder = QDir(medium.path()).canonicalPath();
        Volume volume;
        ASSERT_TRUE(volumeHolding(platform().volumes(), folder, volume));
        catalogued = catalogueRelativePath(volume.rootPath, folder + "/Docs/Sub/") + "\\a.txt";
        onDisk = folder + "/Docs/Sub/a.txt";
    }
    CliRun cli(const QStringList& arguments) { return test::runCli(arguments, fixture.paths().dataDir); }
    CliRun locate(const QStringList& arguments) {
        return cli(QStringList{"locate", "--collection", "Photos"} + arguments);
    }
    // Gives the support the serial of no mounted volume: its medium is out.
    QString takeTheMediumOut() {
        QStringList mounted;
        for (const Volume& v : platform().volumes())
            mounted << serialText(v.serial);
        qint32 serial = 1;
        while (mounted.contains(serialText(serial)))
            ++serial;
        db::Database database;
        if (!database.open(fixture.paths().collectionFile(1)) ||
            !database.execute("UPDATE Supports SET Identifiant = '" + serialText(serial) + "'"))
            return QString();
        return serialText(serial);
    }

    test::CollectionFixture fixture;
    QTemporaryDir medium;
    QString catalogued; // "tmp\qt-xxxx\Docs\Sub\a.txt"
    QString onDisk;
};

TEST_F(LocateCommandTest, PrintsTheFileOnTheMountedMedium) {
    for (const QString& typed : {catalogued, QString(catalogued).replace('\\', '/')}) {
        const CliRun run = locate({"Disque", typed});
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        EXPECT_EQ(run.out, onDisk + "\n");
        EXPECT_EQ(run.err, "");
    }
}

// The machine's volume still holds the path, but it is not the support's medium.
TEST_F(LocateCommandTest, WithTheMediumOutTheSupportToInsertIsNamed) {
    const QString serial = takeTheMediumOut();
    ASSERT_FALSE(serial.isEmpty());
    const QString request = "Insérez le support « Disque ».\nType du support : CD-ROM\n"
                            "Numéro de série du volume : " +
                            serial + "\n";
    const CliRun now = locate({"Disque", catalogued});
    EXPECT_EQ(now.status, 1);
    EXPECT_EQ(now.out, "");
    EXPECT_EQ(now.err, request);
    const CliRun waited = locate({"Disque", catalogued, "--wait", "1"});
    EXPECT_EQ(waited.status, 1);
    EXPECT_EQ(waited.out, "");
    EXPECT_EQ(waited.err, request + "En attente du support pendant 1 s au plus…\n"
                                    "Le support « Disque » n'a pas été inséré à temps.\n");
}

TEST_F(LocateCommandTest, AFileGoneFromTheMountedMediumIsSaidToBeMissing) {
    ASSERT_TRUE(QFile::remove(onDisk));
    const CliRun run = locate({"Disque", catalogued});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.out, "");
    EXPECT_EQ(run.err,
              "Le fichier " + catalogued + " n'a pas été trouvé sur le support « Disque » inséré.\n");
}

TEST_F(LocateCommandTest, Refusals) {
    const struct {
        const char* what;
        QStringList arguments;
        int status;
        QString message;
    } refusals[] = {
        {"unknown support",
         {"Absent", catalogued},
         1,
         "Le support « Absent » n'est pas dans cette collection."},
        {"file not catalogued",
         {"Disque", "Docs/absent.txt"},
         1,
         "Le fichier Docs/absent.txt n'est pas dans le catalogue du support « Disque »."},
        {"wait not a number",
         {"Disque", catalogued, "--wait", "bientôt"},
         2,
         "La durée d'attente doit être un nombre entier de secondes : bientôt"},
        {"negative wait", {"Disque", catalogued, "--wait", "-1"}, 2, "nombre entier de secondes : -1"},
        {"no path", {"Disque"}, 2, "Utilisation : velmar-cli locate"},
        {"unknown option", {"Disque", catalogued, "--now"}, 2, "Argument inattendu : --now"},
    };
    for (const auto& r : refusals) {
        const CliRun run = locate(r.arguments);
        EXPECT_EQ(run.status, r.status) << r.what;
        EXPECT_TRUE(run.err.contains(r.message)) << r.what << ": " << run.err.toStdString();
        EXPECT_EQ(run.out, "") << r.what;
    }
    const CliRun unknownCollection = cli({"locate", "--collection", "Inconnue", "Disque", catalogued});
    EXPECT_EQ(unknownCollection.status, 1);
    EXPECT_EQ(unknownCollection.err, "Collection non trouvé !\n");
}

} // namespace
} // namespace velmar
