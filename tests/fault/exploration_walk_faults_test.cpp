// What the walk of `velmar-cli explore` meets on real trees and must not drop
// in silence: unreadable folders and files (read as an ordinary user), names
// that are no UTF-8, names holding a backslash or a line break, paths longer
// than the system opens.

#include "collection_fixture.h"
#include "platform/file_names.h"
#include "store/db/database.h"
#include "support/cli_run.h"

#include <QDir>
#include <QDirIterator>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QStorageInfo>

#include <gtest/gtest.h>

#include <climits>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmar {
namespace {

constexpr uid_t kNobody = 65534;

class ExplorationWalkFaultsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fixture.valid());
        ASSERT_TRUE(fixture.writeEmptyIniLists());
        ASSERT_EQ(test::runCli({"create", "Photos"}, fixture.paths().dataDir).status, 0);
    }
    // QDir cannot remove names that are no UTF-8 nor paths past the system's
    // limit; rm works from descriptors.
    void TearDown() override { QProcess::execute("rm", {"-rf", medium.path()}); }
    test::CliRun explore(const QStringList& options = {}) {
        return test::runCli(QStringList{"explore", "--collection", "Photos", "--name", "Disque"} + options +
                                QStringList{medium.path()},
                            fixture.paths().dataDir);
    }
    // `relative` made of raw bytes under the medium.
    QByteArray raw(const QByteArray& relative) const {
        return QFile::encodeName(medium.path()) + "/" + relative;
    }
    void makeDirectory(const QByteArray& relative) const {
        ASSERT_EQ(::mkdir(raw(relative).constData(), 0755), 0);
    }
    void makeFile(const QByteArray& relative, const QByteArray& content = "abc") const {
        const int fd = ::open(raw(relative).constData(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        ASSERT_GE(fd, 0) << relative.toStdString();
        ASSERT_EQ(::write(fd, content.constData(), static_cast<size_t>(content.size())), content.size());
        ::close(fd);
    }
    QStringList rows(const QString& sql) { return fixture.rows(sql); }
    static QString counterLine(const QString& caption, int n) {
        return caption + "\t" + QString::number(n) + "\n";
    }

    test::CollectionFixture fixture;
    QTemporaryDir medium;
};

// Each name as bytes: no UTF-8, a backslash, a line break, a character of the
// escape range itself, and a folder of each kind holding a file.
TEST_F(ExplorationWalkFaultsTest, EveryNameIsStoredAndLeadsBackToItsBytes) {
    const QList<QByteArray> files = {"caf\xe9.txt",
                                     "a\\b.txt",
                                     "ligne\nsuite.txt",
                                     "\xef\x9c\x80priv\xc3\xa9.txt",
                                     "r\xe9pertoire/dedans.txt",
                                     "x\\y/dedans.txt"};
    makeDirectory("r\xe9pertoire");
    makeDirectory("x\\y");
    for (const QByteArray& file : files)
        makeFile(file);

    const test::CliRun run = explore({"--deep", "--crc"});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(counterLine("Répertoires ajoutés", 3))) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(counterLine("Répertoires exclus", 0)));
    EXPECT_TRUE(run.out.contains(counterLine("Fichiers associés ajoutés", 6)));
    EXPECT_TRUE(run.out.contains(counterLine("Fichiers illisibles", 0)))
        << "each file read by its real bytes";

    // Locating a row: the volume's root, its directory's catalogue path with
    // '\' as the separator, then its name, encoded back at the file-system
    // boundary. A name split at its backslash would lead nowhere.
    const QByteArray root = QFile::encodeName(QStorageInfo(medium.path()).rootPath()) + "/";
    const QByteArray prefix = QFile::encodeName(medium.path()) + "/";
    QList<QByteArray> located;
    for (const QString& row :
         rows("SELECT r.RepertoireParent, r.RepertoireSeul, f.Fichier, f.CRC FROM Fichiers f "
              "JOIN Repertoires r ON r.NumRepertoire = f.NumRepertoire")) {
        const QStringList fields = row.split('|');
        ASSERT_EQ(fields.size(), 4) << row.toStdString();
        EXPECT_EQ(fields[3], "352441C2") << row.toStdString();
        const QString directory = (fields[0].isEmpty() ? fields[1] : fields[0] + "\\" + fields[1]);
        QByteArray path = root;
        for (const QString& component : directory.split('\\', Qt::SkipEmptyParts))
            path += encodeFileName(component) + "/";
        path = QDir::cleanPath(QString::fromLatin1(path + encodeFileName(fields[2]))).toLatin1();
        EXPECT_EQ(::access(path.constData(), R_OK), 0) << path.toStdString();
        EXPECT_TRUE(path.startsWith(prefix)) << path.toStdString();
        located << path.mid(prefix.size());
    }
    std::sort(located.begin(), located.end());
    QList<QByteArray> expected = files;
    std::sort(expected.begin(), expected.end());
    EXPECT_EQ(located, expected);
}

// A folder whose path passes the system's limit is stored and counted; the
// folders above it are walked as usual.
TEST_F(ExplorationWalkFaultsTest, APathTooLongIsCountedUnderItsOwnCaption) {
    const QByteArray component(250, 'p');
    int fd = ::open(QFile::encodeName(medium.path()).constData(), O_RDONLY | O_DIRECTORY);
    qsizetype length = QFile::encodeName(medium.path()).size();
    int levels = 0;
    for (; length + 1 + component.size() + 1 < PATH_MAX || levels == 0; ++levels) {
        ASSERT_EQ(::mkdirat(fd, component.constData(), 0755), 0);
        const int next = ::openat(fd, component.constData(), O_RDONLY | O_DIRECTORY);
        ::close(fd);
        fd = next;
        length += 1 + component.size();
    }
    ASSERT_EQ(::mkdirat(fd, component.constData(), 0755), 0); // the one that passes the limit
    const int file = ::openat(fd, "loin.txt", O_WRONLY | O_CREAT, 0644);
    ::close(file);
    ::close(fd);

    const test::CliRun run = explore();
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(counterLine("Répertoires ajoutés", levels + 2))) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(counterLine("Répertoires au chemin trop long", 1))) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(counterLine("Répertoires illisibles", 0)));
}

// Runs velmar-cli as an ordinary user, for whom permissions hold.
class AsOrdinaryUser {
public:
    static bool possible(QString& why) {
        if (geteuid() != 0)
            return true;
        if (QStandardPaths::findExecutable("setpriv").isEmpty()) {
            why = "running as root without setpriv to drop privileges";
            return false;
        }
        return true;
    }
    static void giveAway(const QString& root) {
        ::chown(QFile::encodeName(root).constData(), kNobody, kNobody);
        for (QDirIterator it(root, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                             QDirIterator::Subdirectories);
             it.hasNext();)
            ::lchown(QFile::encodeName(it.next()).constData(), kNobody, kNobody);
    }
    static test::CliRun run(const QStringList& arguments, const QString& dataDir) {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert("VELMAR_DATA_DIR", dataDir);
        process.setProcessEnvironment(environment);
        if (geteuid() == 0)
            process.start("setpriv", QStringList{"--reuid=65534", "--regid=65534", "--clear-groups",
                                                 QStringLiteral(VELMAR_CLI_PATH)} +
                                         arguments);
        else
            process.start(QStringLiteral(VELMAR_CLI_PATH), arguments);
        if (!process.waitForFinished(120000))
            return {};
        return {process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
                QString::fromUtf8(process.readAllStandardError())};
    }
};

TEST_F(ExplorationWalkFaultsTest, UnreadableFoldersAndFilesAreCountedNotDropped) {
    QString why;
    if (!AsOrdinaryUser::possible(why))
        GTEST_SKIP() << why.toStdString();
    makeDirectory("ouvert");
    makeDirectory("secret");
    makeFile("ouvert/lisible.txt");
    makeFile("ouvert/bloque.txt");
    makeFile("secret/cache.txt");
    for (const QString& root : {QDir(fixture.paths().dataDir + "..").absolutePath(), medium.path()})
        AsOrdinaryUser::giveAway(root);
    ASSERT_EQ(::chmod(raw("secret").constData(), 0), 0);
    ASSERT_EQ(::chmod(raw("ouvert/bloque.txt").constData(), 0), 0);

    const test::CliRun run = AsOrdinaryUser::run(
        {"explore", "--collection", "Photos", "--name", "Disque", "--deep", "--crc", medium.path()},
        fixture.paths().dataDir);
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains(counterLine("Répertoires ajoutés", 3))) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(counterLine("Répertoires illisibles", 1))) << run.out.toStdString();
    EXPECT_TRUE(run.out.contains(counterLine("Fichiers illisibles", 1))) << run.out.toStdString();
    EXPECT_EQ(
        rows("SELECT RepertoireSeul FROM Repertoires WHERE RepertoireSeul IN ('ouvert', 'secret') ORDER BY "
             "RepertoireSeul"),
        QStringList({"ouvert", "secret"}));
    EXPECT_EQ(rows("SELECT Fichier, CRC FROM Fichiers ORDER BY Fichier"),
              QStringList({"bloque.txt|", "lisible.txt|352441C2"}));
}

} // namespace
} // namespace velmar
