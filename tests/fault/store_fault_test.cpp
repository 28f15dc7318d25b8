// Faults around the collections and their registry, each on real files with
// the real velmar-cli: a second writer, a full disk, read-only files and
// folders, damaged collection files, an interrupted compaction and a file made
// by an older build. Every case checks the exit status, the message and what
// is left on the disk.

#include "app/files.h"
#include "collection_fixture.h"
#include "platform/file_lock.h"
#include "store/collection_schema.h"
#include "store_fault_run.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

#include <gtest/gtest.h>
#include <sys/stat.h>

inline void PrintTo(const QString& text, std::ostream* out) {
    *out << '"' << text.toStdString() << '"';
}

namespace velmar {
namespace {

using test::CliRun;
using test::Fault;

QByteArray bytesOf(const QString& path) {
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("(absent)");
}

bool writeBytes(const QString& path, const QByteArray& content) {
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(content) == content.size();
}

// Two collections, A and B, each with one explored support; the Ini lists an
// exploration reads.
class StoreFaultTest : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_TRUE(fixture.valid());
        const QString ini = fixture.paths().dataDir + "Ini/";
        ASSERT_TRUE(QDir().mkpath(ini));
        ASSERT_TRUE(writeTextLines(ini + "IgnorerRep.txt", {"Temp"}));
        ASSERT_TRUE(writeTextLines(ini + "IgnorerExt.txt", {"BAK"}));
        ASSERT_TRUE(writeTextLines(ini + "TypesAnalyses.dat", {"TXT#TEXTE#OUI"}));
        ASSERT_TRUE(QDir().mkpath(medium.filePath("docs")));
        ASSERT_TRUE(writeBytes(medium.filePath("docs/notes.txt"), "Bonjour"));
        ASSERT_TRUE(writeBytes(medium.filePath("photo.jpeg"), "abc"));
        for (const QString& name : {QStringLiteral("A"), QStringLiteral("B")}) {
            ASSERT_EQ(cli({"create", name}).status, 0);
            const CliRun explored = explore(name, "Disque " + name);
            ASSERT_EQ(explored.status, 0) << explored.err.toStdString();
        }
    }
    CliRun cli(const QStringList& arguments, const Fault& fault = {}) {
        return test::runCliWithFault(arguments, fixture.paths().dataDir, fault);
    }
    CliRun explore(const QString& collection, const QString& support, const Fault& fault = {}) {
        return cli({"explore", "--collection", collection, "--name", support, medium.path()}, fault);
    }
    QString collection(int n) const { return fixture.paths().collectionFile(n); }
    QString registry() const { return fixture.paths().registryFile(); }
    QString base() const { return fixture.paths().baseDir(); }
    // Every file of Base/ but the lock files, with its content.
    QMap<QString, QByteArray> baseFiles() const {
        QMap<QString, QByteArray> files;
        for (const QString& name : QDir(base()).entryList(QDir::Files | QDir::Hidden))
            if (!name.endsWith(".lock"))
                files.insert(name, bytesOf(base() + name));
        return files;
    }
    qint64 count(int n, const QString& sql) {
        db::Database database;
        EXPECT_TRUE(database.open(collection(n)));
        db::Recordset rs = database.openRecordset(sql);
        return rs.eof() ? -1 : rs.field(rs.fieldNames().first()).toNumber();
    }
    // The data folder handed to the user velmar-cli runs as.
    void giveToOtherUser() {
        if (geteuid() != 0)
            return;
        const QString top = QFileInfo(fixture.paths().dataDir).dir().absolutePath() + "/..";
        ASSERT_EQ(::chown(QFile::encodeName(QDir(top).absolutePath()).constData(), test::kOtherUser,
                          test::kOtherUser),
                  0);
        QDirIterator it(top, QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot,
                        QDirIterator::Subdirectories);
        while (it.hasNext())
            ASSERT_EQ(::chown(QFile::encodeName(it.next()).constData(), test::kOtherUser, test::kOtherUser),
                      0);
    }

    test::CollectionFixture fixture;
    QTemporaryDir medium;
};

// ---- Two processes at once ------------------------------------------------

TEST_F(StoreFaultTest, WritersOfABusyCollectionAreRefusedAndReadersGoOn) {
    FileLock exploring(fixture.paths().collectionLockFile(1)); // another process writing into A
    ASSERT_TRUE(exploring.acquire(0));
    const QMap<QString, QByteArray> before = baseFiles();
    const QList<QStringList> writers{
        {"compact", "A"},
        {"rename", "A", "C"},
        {"delete", "A", "--yes"},
        {"delete-all", "--yes"},
        {"explore", "--collection", "A", "--name", "Autre", medium.path()},
        {"support-rename", "--collection", "A", "Disque A", "Disque C"},
        {"support-delete", "--collection", "A", "Disque A", "--yes"},
        {"clean", "--collection", "A"},
    };
    for (const QStringList& writer : writers) {
        SCOPED_TRACE(writer.join(' ').toStdString());
        const CliRun run = cli(writer);
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(
            run.err.contains("La collection « A » est en cours de modification par un autre programme"))
            << run.err.toStdString();
        EXPECT_EQ(baseFiles(), before);
    }
    const QList<QStringList> readers{{"supports", "A"},
                                     {"ls", "--collection", "A", "Disque A"},
                                     {"search", "--collection", "A", "--name", "notes*"},
                                     {"collections"}};
    for (const QStringList& reader : readers) {
        SCOPED_TRACE(reader.join(' ').toStdString());
        EXPECT_EQ(cli(reader).status, 0);
    }
    // B is not A: its writers go on.
    EXPECT_EQ(cli({"compact", "B"}).status, 0);
    exploring.release();
    EXPECT_EQ(cli({"compact", "A"}).status, 0);
}

TEST_F(StoreFaultTest, RegistryWritersWaitForEachOther) {
    FileLock other(fixture.paths().registryLockFile());
    ASSERT_TRUE(other.acquire(0));
    const QMap<QString, QByteArray> before = baseFiles();
    const CliRun run = cli({"create", "C"});
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err,
              QString("La liste des collections est en cours de modification par un autre programme. "
                      "Réessayez quand il aura terminé.\n"));
    EXPECT_EQ(baseFiles(), before);
    other.release();
    EXPECT_EQ(cli({"create", "C"}).status, 0);
    EXPECT_TRUE(cli({"collections"}).out.contains("3\tC\tCompil3.mdb"));
}

TEST_F(StoreFaultTest, ALockEndsWithTheProcessThatHeldIt) {
    const QString flock = QStandardPaths::findExecutable("flock");
    if (flock.isEmpty())
        GTEST_SKIP() << "no flock program to hold a lock from another process";
    const QString lockFile = fixture.paths().collectionLockFile(1);
    // Holds A's lock until killed, as a writer that crashes would; the shell
    // becomes sleep, so the process killed is the one holding the lock.
    QProcess holder;
    holder.start("/bin/sh", {"-c", "exec 9>\"$0\" && flock 9 && exec sleep 600", lockFile});
    ASSERT_TRUE(holder.waitForStarted());
    FileLock probe(lockFile);
    while (probe.acquire(0)) { // until the holder has it, unless it ended
        probe.release();
        if (holder.waitForFinished(10))
            break;
    }
    ASSERT_EQ(holder.state(), QProcess::Running) << holder.readAllStandardError().toStdString();
    const CliRun refused = cli({"compact", "A"});
    EXPECT_EQ(refused.status, 1);
    EXPECT_TRUE(refused.err.contains("La collection « A » est en cours de modification"));
    holder.kill();
    ASSERT_TRUE(holder.waitForFinished());
    const CliRun compacted = cli({"compact", "A"});
    EXPECT_EQ(compacted.status, 0) << compacted.err.toStdString();
    EXPECT_EQ(compacted.err, QString("Compactage effectué.\n"));
}

// ---- Full disk -------------------------------------------------------------

TEST_F(StoreFaultTest, RenameOnAFullDiskKeepsTheRegistryWhole) {
    QStringList lines{" 42 ", "A", "B"};
    for (int n = 3; n <= 42; ++n)
        lines << "Collection numéro " + QString::number(n);
    ASSERT_TRUE(writeTextLines(registry(), lines));
    const QByteArray before = bytesOf(registry());
    const CliRun run = cli({"rename", "A", "Photos"}, Fault{false, before.size() / 2});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(
        run.err.startsWith("Impossible d'écrire le fichier " + QDir::toNativeSeparators(registry()) + " : "))
        << run.err.toStdString();
    EXPECT_EQ(bytesOf(registry()), before);
    EXPECT_EQ(QDir(base()).entryList(QDir::Files).filter("Collections").size(), 2) // .dat and .lock
        << QDir(base()).entryList(QDir::Files).join(' ').toStdString();
}

// ---- Read-only files and folders ------------------------------------------

TEST_F(StoreFaultTest, ReadOnlyRegistryKeepsEveryCollectionFile) {
    if (const QString why = test::otherUserUnavailable(); !why.isEmpty())
        GTEST_SKIP() << why.toStdString();
    giveToOtherUser();
    ASSERT_EQ(::chmod(QFile::encodeName(registry()).constData(), 0444), 0);
    const QMap<QString, QByteArray> before = baseFiles();
    for (const QStringList& command : QList<QStringList>{
             {"delete", "A", "--yes"}, {"delete-all", "--yes"}, {"rename", "A", "C"}, {"create", "C"}}) {
        SCOPED_TRACE(command.join(' ').toStdString());
        const CliRun run = cli(command, Fault{true, 0});
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(
            run.err.contains("Impossible d'écrire le fichier " + QDir::toNativeSeparators(registry())))
            << run.err.toStdString();
        EXPECT_EQ(baseFiles(), before);
    }
}

TEST_F(StoreFaultTest, ReadOnlyBaseFolderRefusesEveryChange) {
    if (const QString why = test::otherUserUnavailable(); !why.isEmpty())
        GTEST_SKIP() << why.toStdString();
    giveToOtherUser();
    ASSERT_EQ(::chmod(QFile::encodeName(base()).constData(), 0555), 0);
    const QMap<QString, QByteArray> before = baseFiles();
    for (const QStringList& command : QList<QStringList>{{"rename", "A", "C"},
                                                         {"delete", "A", "--yes"},
                                                         {"delete-all", "--yes"},
                                                         {"create", "C"},
                                                         {"compact", "A"}}) {
        SCOPED_TRACE(command.join(' ').toStdString());
        const CliRun run = cli(command, Fault{true, 0});
        EXPECT_EQ(run.status, 1);
        EXPECT_TRUE(run.err.contains(QDir::toNativeSeparators(base()))) << run.err.toStdString();
        EXPECT_EQ(baseFiles(), before);
    }
    ASSERT_EQ(::chmod(QFile::encodeName(base()).constData(), 0755), 0);
}

// ---- Damaged collection files ---------------------------------------------

TEST_F(StoreFaultTest, AFileThatIsNotACollectionIsRefusedAndLeftAlone) {
    const QString foreign = base() + "foreign.db";
    {
        db::Database other;
        ASSERT_TRUE(other.create(foreign));
        ASSERT_TRUE(other.execute("CREATE TABLE Notes (Texte TEXT)"));
    }
    struct Case {
        const char* what;
        QByteArray content;
        const char* reason;
    };
    const QList<Case> cases{
        {"empty", QByteArray(), "la table Fichiers est absente"},
        {"another program's database", bytesOf(foreign), "la table Fichiers est absente"},
        {"not SQLite", QByteArray(4096, 'x'), "fichier illisible"},
        {"cut", bytesOf(collection(1)).left(1024), "fichier illisible"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ASSERT_TRUE(writeBytes(collection(1), c.content));
        for (const QStringList& command : QList<QStringList>{
                 {"supports", "A"}, {"explore", "--collection", "A", "--name", "X", medium.path()}}) {
            const CliRun run = cli(command);
            EXPECT_EQ(run.status, 1);
            EXPECT_TRUE(run.err.startsWith("Impossible d'ouvrir la collection A (" +
                                           QDir::toNativeSeparators(collection(1)) + ") : " + c.reason))
                << run.err.toStdString();
            EXPECT_EQ(bytesOf(collection(1)), c.content);
        }
    }
}

// ---- Interrupted compaction -----------------------------------------------

TEST_F(StoreFaultTest, AnInterruptedCompactionIsPutBackAtTheNextOpen) {
    const QByteArray whole = bytesOf(collection(1));
    const qint64 files = count(1, "SELECT COUNT(*) FROM Fichiers");
    ASSERT_EQ(files, 2);
    const QString tmp = base() + "Compil1.tmp";
    const QString old = base() + "Compil1.old";
    struct Case {
        const char* moment;
        QByteArray mdb, tmp, old; // "(absent)" for a missing file
    };
    const QByteArray absent("(absent)");
    const QList<Case> cases{
        {"while the copy is written", whole, whole.left(whole.size() / 2), absent},
        {"between the two renames", absent, whole, whole},
        {"between the two renames, copy unsynced", absent, whole.left(100), whole},
        {"before the saved copy is deleted", whole, absent, whole},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.moment);
        for (const auto& [path, content] : {std::pair{collection(1), c.mdb}, {tmp, c.tmp}, {old, c.old}}) {
            QFile::remove(path);
            if (content != absent) {
                ASSERT_TRUE(writeBytes(path, content));
            }
        }
        const CliRun run = cli({"supports", "A"});
        EXPECT_EQ(run.status, 0) << run.err.toStdString();
        EXPECT_TRUE(run.out.contains("Disque A"));
        EXPECT_FALSE(QFile::exists(tmp));
        EXPECT_FALSE(QFile::exists(old));
        EXPECT_EQ(count(1, "SELECT COUNT(*) FROM Fichiers"), files);
    }
}

// ---- Files of older builds and missing lists ------------------------------

TEST_F(StoreFaultTest, AFileOfAnOlderBuildGetsTodaysIndexesWithEveryRow) {
    const QString indexes = "SELECT COUNT(*) FROM sqlite_master WHERE type='index'";
    const qint64 todays = count(1, indexes);
    {
        db::Database old;
        ASSERT_TRUE(old.open(collection(1)));
        ASSERT_TRUE(old.execute("DROP INDEX FichiersNommes; DROP INDEX FichiersParRepertoireEtNom; "
                                "PRAGMA user_version = 0"));
    }
    ASSERT_EQ(count(1, indexes), todays - 2);
    const CliRun run = cli({"search", "--collection", "A", "--name", "notes*"});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_TRUE(run.out.contains("notes.txt"));
    EXPECT_EQ(count(1, indexes), todays);
    EXPECT_EQ(count(1, "PRAGMA user_version"), kCollectionVersion);
    EXPECT_EQ(count(1, "SELECT COUNT(*) FROM Fichiers"), 2);
    EXPECT_EQ(count(1, "SELECT COUNT(*) FROM Repertoires"), 2);
}

TEST_F(StoreFaultTest, AVersionOneFileGetsTheParentIndexWithTheSupport) {
    const QString parentIndexes = "SELECT count(*) FROM sqlite_master WHERE type='index' AND name = ";
    {
        db::Database old;
        ASSERT_TRUE(old.open(collection(1)));
        ASSERT_TRUE(old.execute("DROP INDEX RepertoiresParParentEtSupport; "
                                "CREATE INDEX RepertoiresParParent ON Repertoires (NumRepertoireParent); "
                                "PRAGMA user_version = 1"));
    }
    const CliRun run = cli({"ls", "--collection", "A"});
    EXPECT_EQ(run.status, 0) << run.err.toStdString();
    EXPECT_EQ(count(1, "PRAGMA user_version"), 2);
    EXPECT_EQ(count(1, parentIndexes + "'RepertoiresParParentEtSupport'"), 1);
    EXPECT_EQ(count(1, parentIndexes + "'RepertoiresParParent'"), 0);
}

TEST_F(StoreFaultTest, AMissingListStopsAnExplorationBeforeItStarts) {
    ASSERT_TRUE(QFile::remove(fixture.paths().dataDir + "Ini/IgnorerRep.txt"));
    const QByteArray before = bytesOf(collection(1));
    const CliRun run = explore("A", "Nouveau");
    EXPECT_EQ(run.status, 1);
    EXPECT_EQ(run.err, QString("Fichier de configuration des répertoires à ignorer introuvable !\n"));
    EXPECT_EQ(bytesOf(collection(1)), before);
}

} // namespace
} // namespace velmar
