// The choice of the data folder and its first lay-out from the defaults.

#include "app/data_location.h"
#include "app/files.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <unistd.h>

using namespace velmar;

namespace {

class DataLocationTest : public ::testing::Test {
protected:
    // A file under the temporary folder, with the folders leading to it.
    QString put(const QString& relative, const QString& line = QStringLiteral("0")) {
        const QString path = root.filePath(relative);
        EXPECT_TRUE(QDir().mkpath(QFileInfo(path).path()));
        EXPECT_TRUE(writeTextLines(path, {line}));
        return path;
    }
    QString dir(const QString& relative) const { return root.filePath(relative) + QLatin1Char('/'); }
    QString bin() const { return root.filePath(QStringLiteral("prefix/bin")); }

    QTemporaryDir root;
};

TEST_F(DataLocationTest, OverrideThenWritableFolderBesideTheProgramThenTheUsersFolder) {
    put("prefix/share/velmar/Data/Ini/Init.dat");
    const DataEnvironment xdg{QString(), dir("xdg"), dir("home")};
    const DataEnvironment relativeXdg{QString(), QStringLiteral("relative/xdg"), dir("home")};
    const DataEnvironment overridden{dir("elsewhere/MesDonnees"), dir("xdg"), dir("home")};
    struct Case {
        const char* what;
        bool dataBesideProgram;
        DataEnvironment environment;
        QString rootDir;
        QString dataDir;
        QString defaultsDir;
    };
    const Case cases[] = {
        {"installed", false, xdg, dir("xdg/velmar"), dir("xdg/velmar/Data"), dir("prefix/share/velmar/Data")},
        {"relative XDG_DATA_HOME", false, relativeXdg, dir("home/.local/share/velmar"),
         dir("home/.local/share/velmar/Data"), dir("prefix/share/velmar/Data")},
        {"portable", true, xdg, dir("prefix/bin"), dir("prefix/bin/Data"), QString()},
        {"override", true, overridden, dir("elsewhere"), dir("elsewhere/MesDonnees"), QString()},
    };
    for (const Case& c : cases) {
        QDir(bin()).removeRecursively();
        ASSERT_TRUE(QDir().mkpath(bin() + (c.dataBesideProgram ? "/Data" : "")));
        const DataLocation location = chooseDataLocation(bin(), c.environment);
        EXPECT_EQ(location.rootDir, c.rootDir) << c.what;
        EXPECT_EQ(location.dataDir, c.dataDir) << c.what;
        EXPECT_EQ(location.defaultsDir, c.defaultsDir) << c.what;
    }
}

TEST_F(DataLocationTest, AReadOnlyFolderBesideTheProgramSeedsTheUsersFolder) {
    if (geteuid() == 0)
        GTEST_SKIP() << "root may write into a read-only folder";
    put("prefix/bin/Data/Ini/Init.dat");
    ASSERT_TRUE(QFile::setPermissions(bin() + "/Data", QFileDevice::ReadOwner | QFileDevice::ExeOwner));
    const DataLocation location = chooseDataLocation(bin(), {QString(), dir("xdg"), dir("home")});
    QFile::setPermissions(bin() + "/Data",
                          QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_EQ(location.dataDir, dir("xdg/velmar/Data"));
    EXPECT_EQ(location.defaultsDir, dir("prefix/bin/Data"));
}

TEST_F(DataLocationTest, SeedingCopiesTheDefaultsOnceAsTheUsersOwnFiles) {
    const QString installed = put("share/Data/Ini/Init.dat", "LOGICIEL_HAUTEUR=7000");
    put("share/Data/Base/Base.mdb");
    ASSERT_TRUE(QFile::setPermissions(installed, QFileDevice::ReadOwner | QFileDevice::ReadOther));
    const DataLocation location{dir("user/velmar"), dir("user/velmar/Data"), dir("share/Data")};
    QString error;
    ASSERT_TRUE(seedDataFolder(location, error)) << error.toStdString();
    EXPECT_EQ(QDir(location.rootDir).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
              QStringList({"Data"}));
    const QString copy = location.dataDir + "Ini/Init.dat";
    EXPECT_TRUE(QFileInfo(location.dataDir + "Base/Base.mdb").isFile());
    EXPECT_TRUE(QFileInfo(copy).permissions() & QFileDevice::WriteOwner);

    // A later start keeps what the user changed.
    ASSERT_TRUE(writeTextLines(copy, {"LOGICIEL_HAUTEUR=5000"}));
    ASSERT_TRUE(seedDataFolder(location, error));
    QStringList lines;
    ASSERT_TRUE(readTextLines(copy, lines));
    EXPECT_EQ(lines, QStringList({"LOGICIEL_HAUTEUR=5000"}));
}

TEST_F(DataLocationTest, NoDefaultsLeaveTheFolderMissingAndAFailureSaysWhere) {
    QString error;
    EXPECT_TRUE(seedDataFolder({dir("user/velmar"), dir("user/velmar/Data"), QString()}, error));
    EXPECT_FALSE(QFileInfo::exists(dir("user")));

    put("share/Data/Ini/Init.dat");
    const QString blocker = put("blocker");
    EXPECT_FALSE(seedDataFolder({blocker + "/velmar/", blocker + "/velmar/Data/", dir("share/Data")}, error));
    EXPECT_TRUE(error.contains(QDir::toNativeSeparators(blocker + "/velmar/"))) << error.toStdString();
}

} // namespace
