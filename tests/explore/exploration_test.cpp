// The exploration flow over a folder, with the collection kept in memory.

#include "app/files.h"
#include "app/session.h"
#include "explore/exploration.h"
#include "support/scripted_dialogs.h"
#include "support/stop_after.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>
#include <unistd.h>

using namespace velmar;

namespace {

struct DirRow {
    int support;
    QString parent, name;
    qint64 parentNumber, number;
};

class MemoryStore final : public ExplorationStore {
public:
    qint64 countSupportsWithIdentifiant(const QString& serial) override { return serials.count(serial); }
    bool addSupport(const QString& name, const QString&, int, const QString& serial,
                    const QString&) override {
        if (names.contains(name, Qt::CaseInsensitive))
            return false;
        names << name;
        serials << serial;
        unfinished << name;
        return true;
    }
    bool findSupportByName(const QString& name, int& number) override {
        number = static_cast<int>(names.indexOf(name)) + 1;
        return number > 0;
    }
    qint64 findDirectory(const QString& path, int support) override {
        const QString name = path.section('\\', -1);
        const QString parent = path.contains('\\') ? path.section('\\', 0, -2) : QString();
        for (const DirRow& d : dirs)
            if (d.support == support && d.name == name && d.parent == parent)
                return d.number;
        return 0;
    }
    bool addDirectory(int support, const QString& parent, const QString& name, qint64 parentNumber) override {
        dirs.append({support, parent, name, parentNumber, dirs.size() + 1});
        return true;
    }
    bool addFile(const FileRow& row) override {
        files.append(row);
        return true;
    }
    void batchBoundary() override {}
    void commit() override { ++commits; }
    void updateSupportTotals(const QString&) override { ++totalsUpdated; }
    QString storeFile() const override { return "memoire"; }
    QString writeError() const override { return {}; }
    qint64 storedDirectories(int) override { return dirs.size(); }
    QHash<QString, qint64> storedFilesByExtension(int) override { return {}; }
    bool findUnfinishedSupport(const QString& name, int& number) override {
        return unfinished.contains(name) && findSupportByName(name, number);
    }
    void explorationFinished(int support) override { unfinished.removeAll(names.value(support - 1)); }
    bool deleteSupport(int support) override {
        unfinished.removeAll(names.value(support - 1));
        names[support - 1] = "(supprimé)";
        return true;
    }

    QStringList names, serials, unfinished;
    QList<DirRow> dirs;
    QList<FileRow> files;
    int commits = 0;
    int totalsUpdated = 0;
};

class FakeAnalysis final : public FileAnalysis {
public:
    QString informationText(const QString& path, const QString& mode) override {
        return mode + ":" + QFileInfo(path).fileName() + QString(300, '.');
    }
    void classify(const QString& extension, bool& program, bool& archive) override {
        program = extension == "EXE";
        archive = extension == "ZIP";
    }
};

using test::StopAfter;

// Stops once the store holds `rows` file rows.
class StopAfterFiles final : public Progress {
public:
    StopAfterFiles(const MemoryStore& store, int rows) : m_store(store), m_rows(rows) {}
    void yield() override {}
    bool stopRequested() const override { return m_store.files.size() >= m_rows; }

private:
    const MemoryStore& m_store;
    int m_rows;
};

// The last value the display was given of each counter, and of the directory progress.
class RecordingDisplay final : public ExplorationDisplay {
public:
    void phasesStarting() override { started = true; }
    void showDirectoryProgress(const PhaseProgress& progress) override { directories = progress; }
    void showCounters(const ExplorationCounters& counters, Counters changed) override {
        for (int bit = 0; (1 << bit) <= int(Counter::LeftOut); ++bit)
            if (const auto counter = static_cast<Counter>(1 << bit); changed.testFlag(counter))
                shown[counter] = counterValue(counters, counter);
    }
    QMap<Counter, qint64> shown;
    PhaseProgress directories;
    bool started = false;
};

class ExplorationTest : public ::testing::Test {
protected:
    void SetUp() override {
        session().paths = DataLayout(app.path());
        QDir().mkpath(session().paths.tmpDir);
        QDir().mkpath(session().paths.dataDir + "Ini");
        writeTextLines(session().paths.ignoredDirsFile, {"Temp"});
        writeTextLines(session().paths.ignoredExtsFile, {"BAK", "~*"});
        writeTextLines(session().paths.analysedTypesFile, {"TXT#TEXTE#OUI", "JPEG#AUTO#OUI"});
        request.supportName = "Disque \"A\"";
        request.volume.rootPath = medium.path() + "/";
        request.volume.serial = -42;
        request.startDirectory = medium.path();
    }
    void file(const QString& relative, const QByteArray& content = "abc") {
        QDir().mkpath(QFileInfo(medium.filePath(relative)).absolutePath());
        QFile f(medium.filePath(relative));
        ASSERT_TRUE(f.open(QIODevice::WriteOnly));
        f.write(content);
    }
    ExplorationOutcome run(Progress& progress) {
        return runExploration(request, {store, analysis, display, progress}, counters);
    }
    ExplorationOutcome run() {
        NoProgress progress;
        return run(progress);
    }
    const FileRow* row(const QString& name) const {
        for (const FileRow& r : store.files)
            if (r.name == name)
                return &r;
        return nullptr;
    }

    QTemporaryDir app, medium;
    test::ScriptedDialogs dialogs;
    MemoryStore store;
    FakeAnalysis analysis;
    RecordingDisplay display;
    ExplorationRequest request;
    ExplorationCounters counters;
};

} // namespace

TEST_F(ExplorationTest, TheTreeOfTheWorkedExample) {
    QDir().mkpath(medium.filePath("A/B"));
    EXPECT_EQ(run(), ExplorationOutcome::Completed);
    ASSERT_EQ(store.dirs.size(), 3);
    EXPECT_EQ(store.dirs[0].parent, "");
    EXPECT_EQ(store.dirs[0].name, "");
    EXPECT_EQ(store.dirs[0].parentNumber, 0);
    EXPECT_EQ(store.dirs[1].parent, "");
    EXPECT_EQ(store.dirs[1].name, "A");
    EXPECT_EQ(store.dirs[1].parentNumber, 0);
    EXPECT_EQ(store.dirs[2].parent, "A");
    EXPECT_EQ(store.dirs[2].name, "B");
    EXPECT_EQ(store.dirs[2].parentNumber, store.dirs[1].number);
    EXPECT_EQ(display.directories.percentage, 100);
    EXPECT_EQ(display.directories.frame, 26);
    EXPECT_EQ(display.shown[Counter::ListedDirectories], 3);
    EXPECT_EQ(store.totalsUpdated, 1);
    EXPECT_EQ(store.serials, QStringList({"-42"}));
}

TEST_F(ExplorationTest, AnIgnoredNameGoesAtAnyDepthWithItsSubtree) {
    QDir().mkpath(medium.filePath("temp/inner"));
    QDir().mkpath(medium.filePath("Docs/TEMP/deep"));
    file("Docs/TEMP/deep/lost.txt");
    file("Docs/kept.txt");
    request.excludeDirectories = true;
    run();
    QStringList names;
    for (const DirRow& d : store.dirs)
        names << d.name;
    EXPECT_EQ(names, QStringList({"", "Docs"}));
    EXPECT_EQ(counters.excludedDirectories, 4);
    EXPECT_EQ(display.shown[Counter::ExcludedDirectories], 4);
    EXPECT_TRUE(row("kept.txt"));
    EXPECT_FALSE(row("lost.txt"));
}

TEST_F(ExplorationTest, DeepExplorationStoresInfosAndCrcOfAnalysedTypes) {
    file("photo.jpeg");
    file("notes.txt", "123456789");
    file("copie.backup");
    file("old.bak");
    file("setup.exe");
    request.deep = request.readInfos = request.computeCrc = request.excludeExtensions = true;
    run();
    ASSERT_TRUE(row("photo.jpeg"));
    EXPECT_EQ(row("photo.jpeg")->extension, "JPEG");
    EXPECT_TRUE(row("photo.jpeg")->infos.startsWith("AUTO:photo.jpeg"));
    EXPECT_EQ(row("photo.jpeg")->infos.size(), 255);
    EXPECT_EQ(row("notes.txt")->crc, "CBF43926");
    EXPECT_TRUE(row("notes.txt")->infos.startsWith("TEXTE:"));
    EXPECT_EQ(row("copie.backup")->extension, "BACKU");
    EXPECT_EQ(row("copie.backup")->infos, "");
    EXPECT_FALSE(row("old.bak"));
    EXPECT_EQ(counters.excludedFiles, 1);
    EXPECT_EQ(display.shown[Counter::ExcludedFiles], 1);
    EXPECT_EQ(counters.programs, 1);
    EXPECT_EQ(counters.associated, 3);
}

TEST_F(ExplorationTest, ModificationTimesAreStoredAsLocalIsoText) {
    const struct {
        const char* name;
        QDateTime modified; // local time
        const char* stored;
    } cases[] = {
        {"classic.txt", QDateTime(QDate(2004, 3, 5), QTime(9, 7, 0)), "2004-03-05 09:07:00"},
        {"year_end.txt", QDateTime(QDate(1999, 12, 31), QTime(23, 59, 59)), "1999-12-31 23:59:59"},
        {"leap.txt", QDateTime(QDate(2024, 2, 29), QTime(0, 0, 1)), "2024-02-29 00:00:01"},
    };
    for (const auto& c : cases) {
        file(c.name);
        QFile f(medium.filePath(c.name));
        ASSERT_TRUE(f.open(QIODevice::ReadWrite));
        ASSERT_TRUE(f.setFileTime(c.modified, QFileDevice::FileModificationTime));
    }
    run();
    for (const auto& c : cases) {
        ASSERT_TRUE(row(c.name)) << c.name;
        EXPECT_EQ(row(c.name)->modified, c.stored) << c.name;
    }
}

TEST_F(ExplorationTest, AQuickExplorationReadsNoContent) {
    file("notes.txt");
    request.readInfos = request.computeCrc = true; // ticked, then quick chosen
    run();
    ASSERT_TRUE(row("notes.txt"));
    EXPECT_EQ(row("notes.txt")->infos, "");
    EXPECT_EQ(row("notes.txt")->crc, "");
}

TEST_F(ExplorationTest, AnUnreadableFileIsStoredWithoutContent) {
    // A link whose target vanished stands for every file that cannot be read
    // (root reads through any permission, so a mode of 000 would not do).
    ASSERT_EQ(symlink("/nonexistent/target", medium.filePath("gone.txt").toLocal8Bit().constData()), 0);
    file("fine.txt");
    request.deep = request.readInfos = request.computeCrc = true;
    run();
    ASSERT_TRUE(row("gone.txt"));
    EXPECT_EQ(row("gone.txt")->crc, "");
    EXPECT_EQ(row("gone.txt")->infos, "");
    EXPECT_EQ(row("fine.txt")->crc.size(), 8);
    EXPECT_EQ(counters.unreadable, 1);
}

TEST_F(ExplorationTest, AFifoIsRecordedWithoutBeingOpened) {
    ASSERT_EQ(mkfifo(medium.filePath("pipe.txt").toLocal8Bit().constData(), 0600), 0);
    request.deep = request.readInfos = request.computeCrc = true;
    run(); // would block forever if the FIFO were opened
    ASSERT_TRUE(row("pipe.txt"));
    EXPECT_EQ(row("pipe.txt")->crc, "");
}

TEST_F(ExplorationTest, StoppingDuringTheDirectoryPhaseKeepsWhatWasStored) {
    for (const char* d : {"a", "b", "c", "d"})
        QDir().mkpath(medium.filePath(d));
    file("a/x.txt");
    StopAfter progress(7); // the walk asks once a directory (5), then two directories go in
    EXPECT_EQ(run(progress), ExplorationOutcome::Completed);
    EXPECT_TRUE(counters.stopped);
    EXPECT_EQ(store.dirs.size(), 2);
    EXPECT_TRUE(store.files.isEmpty()) << "the file phase ends before its first record";
    EXPECT_EQ(store.totalsUpdated, 1);
    EXPECT_GE(store.commits, 1);
}

TEST_F(ExplorationTest, StoppingDuringTheFilePhaseKeepsTheFilesStored) {
    for (const char* f : {"a/1.txt", "a/2.txt", "b/3.txt", "b/4.txt"})
        file(f);
    StopAfterFiles progress(store, 3);
    EXPECT_EQ(run(progress), ExplorationOutcome::Completed);
    EXPECT_TRUE(counters.stopped);
    EXPECT_EQ(store.dirs.size(), 3);
    EXPECT_EQ(counters.files, 4);
    EXPECT_EQ(store.files.size(), 3);
    EXPECT_EQ(counters.associated, 3);
    EXPECT_EQ(store.totalsUpdated, 1);
    EXPECT_GE(store.commits, 2) << "each phase commits before it returns";
}

TEST_F(ExplorationTest, ChecksBeforeTheSupportIsMade) {
    request.supportName.clear();
    EXPECT_EQ(run(), ExplorationOutcome::Refused);
    EXPECT_EQ(dialogs.messageTexts(), QStringList({"Le support n'a pas été nommé."}));

    request.supportName = QString(60, 'n');
    EXPECT_EQ(run(), ExplorationOutcome::Completed);
    EXPECT_EQ(store.names.last(), QString(50, 'n'));

    dialogs.clear();
    dialogs.answerQuestions({MessageAnswer::No});
    request.supportName = "Autre";
    EXPECT_EQ(run(), ExplorationOutcome::Cancelled) << "same serial, declined";
    EXPECT_TRUE(dialogs.messages()[0].text.startsWith("Ce support a déjà été ajouté dans la collection."));
    EXPECT_EQ(store.names.size(), 1);
}
