// A catalogued file found by its support and path, and on the medium of its
// support: the volume with the support's serial, whatever else is mounted.
// The collection is filled by a real exploration of a temporary folder.

#include "app/files.h"
#include "app/session.h"
#include "collection_fixture.h"
#include "store/catalogued_file.h"
#include "store/support_medium.h"
#include "support/fake_platform.h"
#include "support/quiet_exploration.h"
#include "support/scripted_dialogs.h"

#include <QDir>

#include <gtest/gtest.h>

#include <optional>

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace velmar {
namespace {

constexpr qint32 kSerial = -123456789; // a serial with its high bit set

class SupportMediumTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fixture.valid() && fixture.writeEmptyIniLists());
        session().paths = DataLayout(media.path(), fixture.paths().dataDir);
        ASSERT_TRUE(QDir().mkpath(session().paths.tmpDir));
        ASSERT_TRUE(fixture.makeCollectionFile(fixture.paths().collectionFile(1)));
        ASSERT_TRUE(db.open(fixture.paths().collectionFile(1)));
        write("usb/Docs/Sub/a.txt");
        write("usb/racine.txt");
        write("copie/Docs/Sub/a.txt"); // the same path on another medium
        ExplorationRequest request;
        request.supportName = "Clé";
        request.supportType = 1;
        request.volume = platform.emplace().addVolume(folder("usb"), "CLE", kSerial);
        request.startDirectory = folder("usb");
        ASSERT_EQ(test::exploreQuietly(db, request), ExplorationOutcome::Completed);
        ASSERT_TRUE(readSupportMedium(db, 1, medium));
        // From here on, only what each test mounts.
        platform.reset();
        platform.emplace();
    }
    QString folder(const QString& name) const { return QDir(media.path()).absoluteFilePath(name); }
    void write(const QString& relative) {
        ASSERT_TRUE(QDir().mkpath(QFileInfo(folder(relative)).path()));
        QFile file(folder(relative));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly) && file.write("contenu") == 7);
    }

    test::ScriptedDialogs dialogs;
    test::CollectionFixture fixture;
    QTemporaryDir media;
    std::optional<test::FakePlatform> platform;
    db::Database db;
    SupportMedium medium;
};

TEST_F(SupportMediumTest, AFileIsFoundByThePathAUserTypes) {
    const struct {
        const char* typed;
        const char* stored; // "" when the catalogue has no such file
    } cases[] = {
        {"Docs/Sub/a.txt", "Docs\\Sub\\a.txt"},
        {"Docs\\Sub\\a.txt", "Docs\\Sub\\a.txt"},
        {"/Docs/Sub/A.TXT", "Docs\\Sub\\a.txt"}, // file names without regard to case
        {"racine.txt", "racine.txt"},
        {"docs/sub/a.txt", ""}, // directory names as stored
        {"Docs/Sub", ""},       // a directory is not a file
        {"Docs/absent.txt", ""},
        {"", ""},
    };
    for (const auto& c : cases) {
        SelectedFile file;
        const bool found = findCataloguedFile(db, 1, c.typed, file);
        EXPECT_EQ(found, *c.stored != '\0') << c.typed;
        QString relative;
        if (found) {
            ASSERT_TRUE(FichierSelectionne_RenvoieInfos(db, file, relative));
            EXPECT_EQ(relative, QString(c.stored)) << c.typed;
        }
    }
    SelectedFile file;
    EXPECT_FALSE(findCataloguedFile(db, 2, "racine.txt", file)); // no second support
}

TEST_F(SupportMediumTest, TheMediumIsTheVolumeWithTheSupportsSerial) {
    EXPECT_EQ(medium.name, "Clé");
    EXPECT_EQ(medium.serial, "-123456789");
    platform->addVolume(folder("copie"), "CLE", kSerial + 1);
    EXPECT_FALSE(supportMediumMounted(platform->volumes(), medium));
    EXPECT_EQ(findOnSupportMedium(platform->volumes(), medium, "Docs\\Sub\\a.txt"), "");
    // One file system at two mount points, the first of them showing a folder
    // without the file.
    platform->addVolume(folder("copie/Docs"), "CLE", kSerial);
    platform->addVolume(folder("usb"), "CLE", kSerial);
    EXPECT_EQ(findOnSupportMedium(platform->volumes(), medium, "Docs\\Sub\\a.txt"),
              folder("usb/Docs/Sub/a.txt"));
    EXPECT_EQ(findOnSupportMedium(platform->volumes(), medium, "Docs\\absent.txt"), "");
    SupportMedium none;
    EXPECT_FALSE(readSupportMedium(db, 2, none));
}

TEST_F(SupportMediumTest, WaitingEndsWhenTheMediumIsInserted) {
    platform->addVolume(folder("copie"), "CLE", kSerial + 1);
    platform->addVolumeLater(folder("usb"), "CLE", kSerial, 3);
    const QList<Volume> volumes =
        waitForSupportMedium(medium, QDeadlineTimer(std::chrono::minutes(1)), std::chrono::milliseconds(0));
    EXPECT_EQ(findOnSupportMedium(volumes, medium, "racine.txt"), folder("usb/racine.txt"));
}

} // namespace
} // namespace velmar
