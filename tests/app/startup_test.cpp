#include "app/background.h"
#include "app/files.h"
#include "app/startup.h"
#include "app/support_types.h"
#include "support/fake_platform.h"
#include "support/scripted_dialogs.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace velmar;
using velmar::test::FakePlatform;
using velmar::test::ScriptedDialogs;

namespace {

// A complete application folder, made file by file so each can be removed.
class StartupTest : public ::testing::Test {
protected:
    void SetUp() override {
        const DataLayout p(app.path());
        for (const QString& d : {p.dataDir + "Base", p.dataDir + "Ini", p.supportTypesDir, p.backgroundsDir})
            QDir().mkpath(d);
        writeTextLines(p.modelDatabase, {});
        writeTextLines(p.optionNamesFile, {"Fenêtre", "-Hauteur[NUM][LOGICIEL_HAUTEUR]"});
        writeTextLines(p.optionValuesFile, {"LOGICIEL_HAUTEUR=7000"});
        writeTextLines(p.analysedTypesFile, {"MP3#AUTO#OUI"});
        writeTextLines(p.supportTypesFile, {"1#CD.bmp#CD-ROM#CD", "2#Fixe.bmp#Disque dur#FIXE"});
        writeTextLines(p.ignoredDirsFile, {"Temp"});
        writeTextLines(p.ignoredExtsFile, {"TMP"});
    }
    StartupOutcome start(const QStringList& args = {"velmar"}) {
        return runStartupChecks(session, DataLayout(app.path()), args,
                                [this](const QString& s) { statuses << s; });
    }

    QTemporaryDir app;
    ScriptedDialogs dialogs;
    FakePlatform platform;
    Session session;
    QStringList statuses;
};

} // namespace

TEST_F(StartupTest, ACompleteFolderStartsAndRepairsRegistryAndTmp) {
    EXPECT_EQ(start(), StartupOutcome::Continue);
    EXPECT_TRUE(dialogs.messages().isEmpty());
    EXPECT_EQ(statuses, QStringList({"Démarrage..."}));
    QStringList registry;
    ASSERT_TRUE(readTextLines(session.paths.registryFile, registry));
    EXPECT_EQ(registry, QStringList({"0"}));
    EXPECT_TRUE(QFileInfo(session.paths.tmpDir).isDir());
    EXPECT_EQ(session.settings.GetValue("LOGICIEL_HAUTEUR"), "7000");
    EXPECT_FALSE(session.logMode);
}

TEST_F(StartupTest, EachMissingFileEndsWithItsMessageInOrder) {
    const DataLayout p(app.path());
    struct Case {
        QString path;
        QString message;
    };
    // Removed one after another: each run stops at the first file still missing.
    const Case cases[] = {
        {p.ignoredExtsFile, "Fichier de configuration des extensions à ignorer introuvable ("},
        {p.ignoredDirsFile, "Fichier de configuration des répertoires à ignorer introuvable !"},
        {p.supportTypesFile, "Fichier des types de lecteurs introuvable !"},
        {p.analysedTypesFile, "Fichiers des types analysés introuvable !"},
        {p.optionValuesFile, "Fichiers des valeurs de paramètres introuvable !"},
        {p.optionNamesFile, "Fichiers des noms de paramètres introuvable !"},
        {p.modelDatabase, "Modèle de base de données introuvable !"},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(QFile::remove(c.path));
        dialogs.clear();
        EXPECT_EQ(start(), StartupOutcome::Fatal) << c.path.toStdString();
        ASSERT_EQ(dialogs.messages().size(), 1) << c.path.toStdString();
        EXPECT_TRUE(dialogs.messages()[0].text.startsWith(c.message))
            << dialogs.messages()[0].text.toStdString();
        EXPECT_EQ(dialogs.messages()[0].style, MessageStyle::Critical);
    }
    QDir(p.dataDir).removeRecursively();
    dialogs.clear();
    EXPECT_EQ(start(), StartupOutcome::Fatal);
    EXPECT_EQ(dialogs.messageTexts(), QStringList({"Répertoire des données inexistant !"}));
}

TEST_F(StartupTest, ASecondInstanceEndsSilently) {
    platform.anotherInstanceRunning = true;
    EXPECT_EQ(start(), StartupOutcome::AlreadyRunning);
    EXPECT_TRUE(dialogs.messages().isEmpty());
    EXPECT_FALSE(QFileInfo::exists(session.paths.registryFile));
}

TEST_F(StartupTest, LogModeOnlyFromTheFirstArgument) {
    for (const char* arg : {"log", "Log", "LOG"}) {
        EXPECT_EQ(start({"velmar", arg}), StartupOutcome::Continue);
        EXPECT_TRUE(session.logMode) << arg;
        EXPECT_TRUE(session.paths.logFile.endsWith("Tmp/LogAnalyse.txt"));
    }
    start({"velmar", "autre", "LOG"});
    EXPECT_FALSE(session.logMode);
}

TEST_F(StartupTest, SupportTypeIconsStopAtTheFirstMissingOne) {
    const DataLayout p(app.path());
    writeTextLines(p.supportTypesDir + "CD.bmp", {});
    const QList<SupportType> types = readSupportTypes(p.supportTypesFile);
    ASSERT_EQ(types.size(), 2);
    EXPECT_EQ(types[1].number, 2);
    EXPECT_EQ(types[1].label, "Disque dur");
    EXPECT_EQ(types[1].keyword, "FIXE");
    const QList<SupportType> loaded = supportTypesWithIcons(types, p.supportTypesDir);
    EXPECT_EQ(loaded.size(), 1);
    EXPECT_EQ(dialogs.messageTexts(),
              QStringList({"Le fichier de type lecteur nommé 'Fixe.bmp' est introuvable !"}));
}

TEST_F(StartupTest, BackgroundIsDrawnAmongPlainFilesOnly) {
    const DataLayout p(app.path());
    EXPECT_EQ(pickBackgroundPicture(p.backgroundsDir, 0.5), "");
    QDir(p.backgroundsDir).mkdir("sous-dossier");
    EXPECT_EQ(countBackgroundPictures(p.backgroundsDir), 0);
    writeTextLines(p.backgroundsDir + "a.png", {});
    writeTextLines(p.backgroundsDir + "b.png", {});
    EXPECT_EQ(countBackgroundPictures(p.backgroundsDir), 2);
    const QString first = pickBackgroundPicture(p.backgroundsDir, 0.0);
    const QString last = pickBackgroundPicture(p.backgroundsDir, 0.999);
    EXPECT_NE(first, last);
    EXPECT_TRUE(QFileInfo(first).isFile());
    EXPECT_TRUE(QFileInfo(last).isFile());
}

TEST(Titles, CarryTheVersion) {
    EXPECT_TRUE(versionLine().startsWith("Version "));
    EXPECT_EQ(versionLine().count('.'), 2);
    EXPECT_EQ(mainWindowTitle(), "Velmar +  (version " + versionLine().mid(8) + ")");
}
