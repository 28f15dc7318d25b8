// Faults during `velmar-cli explore`, on real processes and real trees: two
// explorations at once, SIGKILL, SIGTERM and SIGINT, a full disk under Tmp/ and
// under Base/. Each case checks the exit status, the message and what the
// collection file holds afterwards.

#include "app/files.h"
#include "collection_fixture.h"
#include "store/db/database.h"

#include <QDir>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include <csignal>
#include <sys/mount.h>
#include <unistd.h>

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

// Standard output and error of a process, streamed into failure messages.
inline std::ostream& operator<<(std::ostream& out, const QString& text) {
    return out << text.toStdString();
}

namespace velmar {
namespace {

constexpr int kWaitMs = 120000; // a bound for a hung process, never a measure of speed

// A velmar-cli process the test drives while it runs.
class CliProcess {
public:
    CliProcess(const QStringList& arguments, const QString& dataDir) {
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("VELMAR_DATA_DIR"), dataDir);
        m_process.setProcessEnvironment(environment);
        m_process.setReadChannel(QProcess::StandardError); // the progress goes there
        m_process.start(QStringLiteral(VELMAR_CLI_PATH), arguments);
    }
    ~CliProcess() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished(kWaitMs);
        }
    }
    qint64 pid() const { return m_process.processId(); }
    // Reads standard error until a line matches `pattern`; false when the
    // process ended first.
    bool waitForProgress(const QRegularExpression& pattern) {
        for (;;) {
            while (m_process.canReadLine()) {
                const QString line = QString::fromUtf8(m_process.readLine());
                m_err += line;
                if (pattern.match(line).hasMatch())
                    return true;
            }
            if (m_process.state() == QProcess::NotRunning || !m_process.waitForReadyRead(kWaitMs))
                return false;
        }
    }
    void signal(int number) { ::kill(static_cast<pid_t>(pid()), number); }
    bool finish() {
        const bool done = m_process.waitForFinished(kWaitMs);
        m_err += QString::fromUtf8(m_process.readAllStandardError());
        m_out = QString::fromUtf8(m_process.readAllStandardOutput());
        return done;
    }
    bool crashed() const { return m_process.exitStatus() == QProcess::CrashExit; }
    int status() const { return m_process.exitCode(); }
    const QString& out() const { return m_out; }
    const QString& err() const { return m_err; }

private:
    QProcess m_process;
    QString m_out;
    QString m_err;
};

struct Ran {
    int status = -1;
    QString out, err;
};

class ExplorationFaultsTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fixture.valid());
        ASSERT_TRUE(fixture.writeEmptyIniLists());
        ASSERT_EQ(run({"create", "Photos"}).status, 0);
    }
    void TearDown() override {
        for (const QString& point : mounts)
            umount2(QFile::encodeName(point).constData(), MNT_DETACH);
    }

    Ran run(const QStringList& arguments) {
        CliProcess process(arguments, fixture.paths().dataDir);
        EXPECT_TRUE(process.finish());
        return {process.crashed() ? -1 : process.status(), process.out(), process.err()};
    }
    QStringList exploreArguments(const QString& collection, const QString& tree,
                                 const QStringList& options = {}) {
        return QStringList{"explore", "--collection", collection, "--name", "Disque"} + options +
               QStringList{tree};
    }
    // `directories` folders of `files` files each, with `nameLength`-character names.
    static void makeTree(const QString& root, int directories, int files, int nameLength = 12) {
        for (int d = 0; d < directories; ++d) {
            const QString dir = root + QString("/dossier%1").arg(d, 4, 10, QChar('0'));
            ASSERT_TRUE(QDir().mkpath(dir));
            for (int f = 0; f < files; ++f) {
                QFile file(dir + "/" + QString("f%1").arg(f, nameLength - 5, 10, QChar('0')) + ".txt");
                ASSERT_TRUE(file.open(QIODevice::WriteOnly));
                file.write("contenu");
            }
        }
    }
    QString tmpDir() const { return QDir::cleanPath(fixture.paths().dataDir + "../Tmp"); }
    QStringList workFiles() const {
        return QDir(tmpDir()).entryList(QDir::Files | QDir::System | QDir::Hidden);
    }
    // A tmpfs of `kib` KiB over `folder`; false (the test skips) where mounting is not allowed.
    bool mountSmallDisk(const QString& folder, int kib) {
        EXPECT_TRUE(QDir().mkpath(folder));
        const QByteArray options = "size=" + QByteArray::number(kib) + "k";
        if (mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, options.constData()) != 0)
            return false;
        mounts << folder;
        return true;
    }

    // One value per row of the query, fields joined by '|'.
    QStringList rows(const QString& sql, int collection = 1) { return fixture.rows(sql, collection); }
    qint64 count(const QString& sql, int collection = 1) {
        return rows(sql, collection).value(0).toLongLong();
    }
    qint64 storedFiles(int collection = 1) { return count("SELECT COUNT(*) FROM Fichiers", collection); }
    // The counters of standard output by caption.
    static qint64 counter(const QString& out, const QString& caption) {
        const QRegularExpression line("^" + QRegularExpression::escape(caption) + "\\t(\\d+)$",
                                      QRegularExpression::MultilineOption);
        const QRegularExpressionMatch match = line.match(out);
        return match.hasMatch() ? match.captured(1).toLongLong() : -1;
    }
    // The collection is sound, each file row has its directory and the
    // support's totals (when written) are its rows.
    void expectConsistent(int collection = 1) {
        EXPECT_EQ(rows("PRAGMA integrity_check", collection), QStringList{"ok"});
        EXPECT_EQ(count("SELECT COUNT(*) FROM Fichiers f LEFT JOIN Repertoires r ON r.NumRepertoire = "
                        "f.NumRepertoire WHERE r.NumRepertoire IS NULL",
                        collection),
                  0);
    }
    void expectCountersMatchTheCollection(const QString& out) {
        EXPECT_EQ(counter(out, "Répertoires ajoutés"), count("SELECT COUNT(*) FROM Repertoires")) << out;
        EXPECT_EQ(counter(out, "Programmes ajoutés") + counter(out, "Archives ajoutées") +
                      counter(out, "Fichiers associés ajoutés"),
                  storedFiles())
            << out;
    }

    test::CollectionFixture fixture;
    QTemporaryDir medium;
    QStringList mounts;
};

// Two commands exploring at once into two collections of one data folder: the
// first is held still in its directory phase, its work files written, while
// the second runs from start to end.
TEST_F(ExplorationFaultsTest, TwoExplorationsAtOnceKeepTheirOwnWorkFiles) {
    ASSERT_EQ(run({"create", "Musique"}).status, 0);
    QTemporaryDir other;
    makeTree(medium.path(), 150, 40);
    makeTree(other.path(), 20, 10);
    // A left-over of a process that no longer runs, and one of a running process.
    ASSERT_TRUE(QDir().mkpath(tmpDir()));
    ASSERT_TRUE(writeTextLines(tmpDir() + "/ListeFichiers.999999999-1.tmp", {"mort"}));
    const QString alive = QString("ListeRep.%1-1.tmp").arg(getpid());
    ASSERT_TRUE(writeTextLines(tmpDir() + "/" + alive, {"vivant"}));

    CliProcess first(exploreArguments("Photos", medium.path(), {"--deep", "--crc"}), fixture.paths().dataDir);
    ASSERT_TRUE(first.waitForProgress(QRegularExpression("^Répertoires : \\d+ %"))) << first.err();
    first.signal(SIGSTOP);
    const Ran reading = run({"ls", "--collection", "Photos"});
    EXPECT_EQ(reading.status, 0);
    EXPECT_FALSE(reading.err.contains("n'a pas abouti")) << "an exploration under way is no unfinished one";
    const Ran second = run(exploreArguments("Musique", other.path()));
    first.signal(SIGCONT);
    ASSERT_TRUE(first.finish());

    EXPECT_EQ(second.status, 0) << second.err;
    EXPECT_EQ(first.status(), 0) << first.err();
    EXPECT_EQ(storedFiles(1), 6000);
    EXPECT_EQ(storedFiles(2), 200);
    EXPECT_EQ(counter(first.out(), "Fichiers associés ajoutés"), 6000);
    EXPECT_EQ(workFiles(), QStringList{alive});
}

// SIGKILL in the directory phase, early and late in the file phase: the
// collection stays sound, the next command on it names the unfinished support,
// and the support can be explored again under its name.
TEST_F(ExplorationFaultsTest, KilledExplorationIsRecognisedAndExploredAgain) {
    makeTree(medium.path(), 100, 50);
    const QStringList moments = {"^Répertoires : [1-9]\\d? %", "^Fichiers : [1-9] %", "^Fichiers : 9\\d %"};
    for (const QString& moment : moments) {
        SCOPED_TRACE(moment.toStdString());
        {
            CliProcess killed(exploreArguments("Photos", medium.path(), {"--yes"}), fixture.paths().dataDir);
            ASSERT_TRUE(killed.waitForProgress(QRegularExpression(moment))) << killed.err();
            killed.signal(SIGKILL);
            ASSERT_TRUE(killed.finish());
            ASSERT_TRUE(killed.crashed());
        }
        expectConsistent();
        EXPECT_LT(storedFiles(), 5000);

        const Ran listing = run({"ls", "--collection", "Photos"});
        EXPECT_EQ(listing.status, 0);
        EXPECT_TRUE(listing.err.contains("L'exploration du support « Disque » n'a pas abouti"))
            << listing.err;

        const Ran again = run(exploreArguments("Photos", medium.path(), {"--yes"}));
        EXPECT_EQ(again.status, 0) << again.err;
        EXPECT_EQ(storedFiles(), 5000);
        EXPECT_EQ(rows("SELECT NbFichiersSupport FROM Supports"), QStringList{"5000"});
        EXPECT_TRUE(workFiles().isEmpty()) << workFiles().join(' ').toStdString();
        EXPECT_FALSE(run({"ls", "--collection", "Photos"}).err.contains("n'a pas abouti"));
        // Ready for the next moment: the support is unfinished once more.
        ASSERT_EQ(run({"delete", "Photos", "--yes"}).status, 0);
        ASSERT_EQ(run({"create", "Photos"}).status, 0);
    }
}

// SIGKILL during an update: the support keeps every row it
// had, the next command says the update did not finish, and the next update
// clears what the killed one left and completes.
TEST_F(ExplorationFaultsTest, KilledUpdateLeavesTheSupportAsItWas) {
    makeTree(medium.path(), 100, 50);
    ASSERT_EQ(run(exploreArguments("Photos", medium.path())).status, 0);
    const QString everyRow = "SELECT NumFichier, NumRepertoire, Fichier, Taille, DerniereModif FROM Fichiers "
                             "WHERE NumSupport = 1 ORDER BY NumFichier";
    const QStringList before = rows(everyRow);
    ASSERT_EQ(before.size(), 5000);
    // In the walk, with many directories still to read: what comes after the
    // walk of unchanged files takes milliseconds, too little to be sure that
    // the kill lands before the end.
    for (const QString moment : {"^Répertoires : [1-9] %", "^Répertoires : [3-5]\\d %"}) {
        SCOPED_TRACE(moment.toStdString());
        {
            CliProcess killed(exploreArguments("Photos", medium.path(), {"--update"}),
                              fixture.paths().dataDir);
            ASSERT_TRUE(killed.waitForProgress(QRegularExpression(moment))) << killed.err();
            killed.signal(SIGKILL);
            ASSERT_TRUE(killed.finish());
            ASSERT_TRUE(killed.crashed());
        }
        expectConsistent();
        EXPECT_EQ(rows(everyRow), before);
        EXPECT_TRUE(run({"ls", "--collection", "Photos"}).err.contains("Une mise à jour n'a pas abouti"));

        const Ran again = run(exploreArguments("Photos", medium.path(), {"--update"}));
        EXPECT_EQ(again.status, 0) << again.err;
        EXPECT_TRUE(again.out.endsWith("Mise à jour\t0 ajouté, 0 modifié, 0 supprimé, 5000 inchangés\n"))
            << again.out;
        EXPECT_EQ(rows(everyRow), before);
        EXPECT_EQ(rows("SELECT NomSupport FROM Supports"), QStringList{"Disque"});
        EXPECT_FALSE(run({"ls", "--collection", "Photos"}).err.contains("n'a pas abouti"));
    }
}

// Without --yes the unfinished support is kept: the command line never decides alone.
TEST_F(ExplorationFaultsTest, AnUnfinishedSupportIsReplacedOnlyWhenTheUserAgrees) {
    makeTree(medium.path(), 60, 50);
    {
        CliProcess killed(exploreArguments("Photos", medium.path()), fixture.paths().dataDir);
        ASSERT_TRUE(killed.waitForProgress(QRegularExpression("^Fichiers : \\d+ %"))) << killed.err();
        killed.signal(SIGKILL);
        ASSERT_TRUE(killed.finish());
    }
    const qint64 before = storedFiles();
    const Ran refused = run(exploreArguments("Photos", medium.path()));
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.err.contains("Souhaitez-vous la remplacer par une nouvelle exploration ?"))
        << refused.err;
    EXPECT_EQ(storedFiles(), before);
}

class StopSignalTest : public ExplorationFaultsTest, public ::testing::WithParamInterface<int> {};

// SIGINT and SIGTERM stop as "Arrêter" answered Yes: what was found is committed,
// the totals are written, and the support is finished.
TEST_P(StopSignalTest, StopsCleanlyKeepingWhatWasStored) {
    const int number = GetParam();
    const QString name = number == SIGINT ? "SIGINT" : "SIGTERM";
    makeTree(medium.path(), 100, 50);
    CliProcess stopped(exploreArguments("Photos", medium.path()), fixture.paths().dataDir);
    ASSERT_TRUE(stopped.waitForProgress(QRegularExpression("^Fichiers : [1-9] %"))) << stopped.err();
    stopped.signal(number);
    ASSERT_TRUE(stopped.finish());

    ASSERT_FALSE(stopped.crashed()) << "ended by " << name.toStdString();
    EXPECT_EQ(stopped.status(), 128 + number);
    EXPECT_TRUE(stopped.err().contains("Exploration arrêtée par le signal " + name)) << stopped.err();
    EXPECT_TRUE(stopped.out().contains("Exploration arrêtée\toui\n")) << stopped.out();
    expectConsistent();
    const qint64 stored = storedFiles();
    EXPECT_GT(stored, 0);
    EXPECT_LT(stored, 5000);
    EXPECT_EQ(counter(stopped.out(), "Fichiers associés ajoutés"), stored);
    EXPECT_EQ(rows("SELECT NbFichiersSupport FROM Supports"), QStringList{QString::number(stored)});
    EXPECT_TRUE(workFiles().isEmpty());
    EXPECT_FALSE(run({"ls", "--collection", "Photos"}).err.contains("n'a pas abouti"));
}

INSTANTIATE_TEST_SUITE_P(Signals, StopSignalTest, ::testing::Values(SIGINT, SIGTERM),
                         [](const auto& info) { return info.param == SIGINT ? "SIGINT" : "SIGTERM"; });

// Tmp/ fills up while the file records are written.
TEST_F(ExplorationFaultsTest, FullDiskUnderTmpStopsWithAMessage) {
    makeTree(medium.path(), 40, 25);
    if (!mountSmallDisk(tmpDir(), 64))
        GTEST_SKIP() << "mounting a small tmpfs is not allowed here";
    const Ran full = run(exploreArguments("Photos", medium.path()));
    EXPECT_EQ(full.status, 1);
    EXPECT_TRUE(full.err.contains(
        QRegularExpression("Impossible d'écrire dans le fichier « .*ListeFichiers\\.\\d+-\\d+\\.tmp » : "
                           "No space left on device")))
        << full.err;
    expectConsistent();
    expectCountersMatchTheCollection(full.out);
    EXPECT_LT(storedFiles(), 1000);
    EXPECT_TRUE(run({"ls", "--collection", "Photos"}).err.contains("n'a pas abouti"));
}

// Base/ fills up while the rows are inserted.
TEST_F(ExplorationFaultsTest, FullDiskUnderBaseStopsWithAMessageAndTrueCounters) {
    makeTree(medium.path(), 100, 100, 60);
    const QString base = fixture.paths().baseDir();
    const QString saved = base.chopped(1) + "-copie";
    ASSERT_TRUE(QDir().rename(base, saved));
    qint64 used = 0;
    for (const QFileInfo& file : QDir(saved).entryInfoList(QDir::Files))
        used += file.size();
    if (!mountSmallDisk(base, static_cast<int>(used / 1024) + 256))
        GTEST_SKIP() << "mounting a small tmpfs is not allowed here";
    for (const QString& name : QDir(saved).entryList(QDir::Files))
        ASSERT_TRUE(QFile::copy(saved + "/" + name, base + name));

    const Ran full = run(exploreArguments("Photos", medium.path()));
    EXPECT_EQ(full.status, 1);
    EXPECT_TRUE(
        full.err.contains(QRegularExpression("Impossible d'écrire dans le fichier « .*Compil1\\.mdb » : ")))
        << full.err;
    expectConsistent();
    expectCountersMatchTheCollection(full.out);
    EXPECT_LT(storedFiles(), 10000);
}

} // namespace
} // namespace velmar
