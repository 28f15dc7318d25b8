// Finding a catalogued file on the mounted volumes, launching it and copying it.

#include "app/file_location.h"
#include "app/launch.h"
#include "support/fake_platform.h"
#include "support/scripted_dialogs.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace velmar {
namespace {

LaunchRequest request(const QString& path, bool mustExist = false, LaunchVerb verb = LaunchVerb::Open,
                      const QString& parameters = QString(), bool wait = false) {
    LaunchRequest r;
    r.path = path;
    r.mustExist = mustExist;
    r.verb = verb;
    r.parameters = parameters;
    r.wait = wait;
    return r;
}

class LaunchTest : public ::testing::Test {
protected:
    QString make(const QString& relative, const QByteArray& content = "x") {
        const QString path = dir.path() + "/" + relative;
        QDir().mkpath(QFileInfo(path).absolutePath());
        QFile f(path);
        EXPECT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
        return path;
    }
    QTemporaryDir dir;
    test::FakePlatform platform;
    test::ScriptedDialogs dialogs;
};

TEST_F(LaunchTest, TheFirstVolumeHoldingThePathWinsAndFloppiesAreSkipped) {
    make("floppy/Docs/a.txt");
    make("second/Docs/a.txt");
    make("third/Docs/a.txt");
    make("first/Other/b.txt");
    platform.addVolume(dir.path() + "/floppy", "", 1).isFloppy = true;
    platform.addVolume(dir.path() + "/first", "", 2);
    platform.addVolume(dir.path() + "/second", "", 3);
    platform.addVolume(dir.path() + "/third", "", 4);
    EXPECT_EQ(findOnPresentVolumes("Docs\\a.txt"), QDir(dir.path()).absolutePath() + "/second/Docs/a.txt");
    EXPECT_EQ(findOnPresentVolumes("Other\\b.txt"), QDir(dir.path()).absolutePath() + "/first/Other/b.txt");
    EXPECT_EQ(findOnPresentVolumes("Docs\\missing.txt"), "");
}

TEST_F(LaunchTest, ProgramsStartDirectlyAndDocumentsGoToTheirApplication) {
    const QString program = make("Jeu/LANCE.exe");
    const QString document = make("Docs/notes.odt");
    const QString folder = dir.path() + "/Docs";
    const struct {
        LaunchRequest request;
        QString launch;
        bool started;
    } cases[] = {
        {request(program, true), "start " + program, true},
        {request(program + " -plein écran", true), "start " + program + " -plein écran", true},
        {request(program, false, LaunchVerb::Open, "\"deux mots\" trois", true),
         "start " + program + " deux mots trois (wait)", true},
        {request(document), "open " + document, true},
        {request(folder, false, LaunchVerb::Explore), "explore " + folder, true},
        {request("https://example.org/a b"), "address https://example.org/a b", true},
    };
    for (const auto& c : cases) {
        platform.launches.clear();
        EXPECT_EQ(LanceFichier(c.request), c.started) << c.request.path.toStdString();
        EXPECT_EQ(platform.launches, QStringList{c.launch});
    }
    EXPECT_TRUE(dialogs.messageTexts().isEmpty());
}

TEST_F(LaunchTest, FailuresAreToldInMessages) {
    const QString document = make("Docs/plan.xyz");
    platform.nextLaunchResult = LaunchResult::NoAssociation;
    EXPECT_FALSE(LanceFichier(request(document)));
    platform.nextLaunchResult = LaunchResult::Started;
    EXPECT_FALSE(LanceFichier(request(dir.path() + "/absent.txt", true)));
    EXPECT_TRUE(LanceFichier(request(document, false, LaunchVerb::Open, "", true)));
    const QStringList expected = {
        "Le fichier à lancer est de type XYZ mais aucune application n'est associée.",
        "Fichier " + QDir::toNativeSeparators(dir.path() + "/absent.txt") + " inexistant !",
        "L'attente de la fin d'exécution d'un document n'est pas gérée !"};
    EXPECT_EQ(dialogs.messageTexts(), expected);
}

TEST_F(LaunchTest, ALaunchTheSystemCouldNotPerformIsReportedWhateverItsKind) {
    const QString program = make("Jeu/LANCE.EXE");
    const QString document = make("Docs/plan.odt");
    const QString folder = dir.path() + "/Docs";
    const QString noMemory = "Le système manque de mémoire pour exécuter le fichier.";
    const struct {
        LaunchRequest request;
        LaunchResult result;
        QString text;
        int style;
    } cases[] = {
        {request(document), LaunchResult::Failed, noMemory, MessageStyle::Critical},
        {request(folder, false, LaunchVerb::Explore), LaunchResult::Failed, noMemory, MessageStyle::Critical},
        {request("https://example.org"), LaunchResult::Failed, noMemory, MessageStyle::Critical},
        {request(program), LaunchResult::Failed, noMemory, MessageStyle::Critical},
        {request(program, false, LaunchVerb::Open, "", true), LaunchResult::Failed, noMemory,
         MessageStyle::Critical},
        // A program needs no association: not finding one is a failed start.
        {request(program), LaunchResult::NoAssociation, noMemory, MessageStyle::Critical},
        // A desktop without a file manager.
        {request(folder, false, LaunchVerb::Explore), LaunchResult::NoAssociation,
         "Le fichier à lancer est de type  mais aucune application n'est associée.",
         MessageStyle::Exclamation},
    };
    for (const auto& c : cases) {
        dialogs.clear();
        platform.nextLaunchResult = c.result;
        EXPECT_FALSE(LanceFichier(c.request)) << c.request.path.toStdString();
        ASSERT_EQ(dialogs.messages().size(), 1) << c.request.path.toStdString();
        EXPECT_EQ(dialogs.messages().first().text, c.text);
        EXPECT_EQ(dialogs.messages().first().style, c.style);
    }
}

TEST_F(LaunchTest, CommandLinesSplitAtTheLongestExistingProgram) {
    const QString program = make("Mes Jeux/run game");
    EXPECT_EQ(splitCommandLine(program + " --niveau 2").command, program);
    EXPECT_EQ(splitCommandLine(program + " --niveau 2").arguments, "--niveau 2");
    EXPECT_EQ(splitCommandLine("\"/opt/x y/z\" -a").command, "/opt/x y/z");
    EXPECT_EQ(splitCommandLine("/nulle/part -a").command, "/nulle/part -a");
}

TEST_F(LaunchTest, CopyCreatesTheFolderAndDoesNotDoubleTheSeparator) {
    const QString source = make("Docs/a.txt", "contenu");
    const QString target = dir.path() + "/copies/deux/niveaux";
    ASSERT_TRUE(copyIntoFolder(source, target + "/"));
    QFile copied(target + "/a.txt");
    ASSERT_TRUE(copied.open(QIODevice::ReadOnly));
    EXPECT_EQ(copied.readAll(), "contenu");
    EXPECT_EQ(dialogs.messageTexts(), QStringList{"Fichier copié !"});

    dialogs.clear();
    dialogs.answerQuestions({MessageAnswer::No});
    EXPECT_FALSE(copyIntoFolder(source, target));
    EXPECT_EQ(dialogs.messageTexts().size(), 1); // only the question

    dialogs.clear();
    make("fichier", "");
    EXPECT_FALSE(copyIntoFolder(source, dir.path() + "/fichier/sous"));
    EXPECT_EQ(
        dialogs.messageTexts(),
        QStringList{"Une erreur s'est produite pendant la création des répertoires sur la destination !"});
}

} // namespace
} // namespace velmar
