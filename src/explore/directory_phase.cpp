#include "explore/exploration_phases.h"

#include "app/files.h"
#include "explore/catalogue_path.h"
#include "explore/directory_read_ahead.h"
#include "explore/directory_walk.h"
#include "explore/display_pace.h"
#include "explore/exploration_failure.h"
#include "explore/liste_auto.h"
#include "explore/phase_gauge.h"
#include "platform/file_names.h"

#include <QFile>
#include <QSet>

namespace velmar {

namespace {

// The ignored names, upper-cased once here rather than at every directory.
ListeAuto loadIgnoredNames(const QString& file) {
    ListeAuto list;
    QStringList lines;
    readTextLines(file, lines);
    for (const QString& line : lines)
        if (!line.isEmpty())
            list.AjoutElement(line.toUpper());
    return list;
}

bool isIgnoredDirectory(const ListeAuto& ignoredUpper, const QString& name) {
    return ignoredUpper.ChercheElement(name.toUpper()) >= 0;
}

// The name of a line of the list: "" for the volume root, which is the first
// line when the exploration starts there.
QString directoryName(bool first, const QString& relative) {
    return first && relative.isEmpty() ? QString() : lastComponent(relative);
}

// The lines the phase visits, as far as names decide: a directory whose name
// is ignored is left out, and so is everything under it (a parent precedes its
// children in the list). The reader works ahead from this plan.
std::vector<bool> directoriesToVisit(const QStringList& lines, const QString& volumeRoot,
                                     const ListeAuto* ignoredUpper) {
    std::vector<bool> visit(static_cast<std::size_t>(lines.size()), true);
    if (!ignoredUpper)
        return visit;
    QSet<QString> leftOut;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const QString relative = catalogueRelativePath(volumeRoot, lines.at(i));
        if (isIgnoredDirectory(*ignoredUpper, directoryName(i == 0, relative)) ||
            (i > 0 && leftOut.contains(relativeParent(relative)))) {
            visit[static_cast<std::size_t>(i)] = false;
            leftOut.insert(relative);
        }
    }
    return visit;
}

// Resolves parent numbers, remembering the last one: consecutive siblings
// share their parent's lookup.
class ParentLookup {
public:
    ParentLookup(ExplorationStore& store, int support) : m_store(store), m_support(support) {}
    // False when the parent has no row (it was excluded, so the subtree goes).
    bool numberOf(const QString& parent, bool first, qint64& number) {
        if (parent.isEmpty() || first) {
            number = 0;
            return true;
        }
        if (!m_known || parent != m_parent) {
            const qint64 found = m_store.findDirectory(parent, m_support);
            if (found == 0)
                return false;
            m_parent = parent;
            m_number = found;
            m_known = true;
        }
        number = m_number;
        return true;
    }

private:
    ExplorationStore& m_store;
    int m_support;
    bool m_known = false;
    QString m_parent;
    qint64 m_number = 0;
};

// An optical or floppy drive reads one place at a time: a second reader would
// only make it seek from directory to directory.
int readAheadThreads(const Volume& volume) {
    return volume.type == DriveType::CdRom || volume.isFloppy ? 1 : 2;
}

// Writes the list of directories and reads it back; false, after its message,
// when the list file could not be written or read.
bool listDirectories(const PhaseSetup& setup, ExplorationCounters& counters, QStringList& lines) {
    for (const QString& file : {setup.listFile, setup.recordsFile, setup.logFile})
        if (!file.isEmpty())
            QFile::remove(file);
    QString reason;
    if (writeDirectoryList(setup.request.startDirectory, setup.listFile, setup.context.progress, reason) ==
        ListOutcome::Failed) {
        reportExplorationFailure(counters, FileAccess::Write, setup.listFile, reason);
        return false;
    }
    QFile list(setup.listFile);
    if (!readTextLines(setup.listFile, lines)) {
        list.open(QIODevice::ReadOnly);
        reportExplorationFailure(counters, FileAccess::Read, setup.listFile, list.errorString());
        return false;
    }
    list.remove();
    return true;
}

// A directory whose entries could not all be read is stored, and counted
// apart: its path too long for the system, or unreadable.
void countUnreadDirectory(ExplorationDisplay& display, const QString& path, ExplorationCounters& counters) {
    if (encodeFileName(path).size() >= maxPathBytes()) {
        ++counters.longPaths;
        display.showCounters(counters, Counter::LongPaths);
        return;
    }
    ++counters.unreadableDirectories;
    display.showCounters(counters, Counter::UnreadableDirectories);
}

// Reads the directories of the list in order: stores a row for each kept one
// and writes the records of its files.
class DirectoryPhase {
public:
    DirectoryPhase(const PhaseSetup& setup, const QStringList& lines, ExplorationCounters& counters);
    void run();
    // Closes the records and commits; the number of records written.
    qint64 finish();

private:
    // Stores the directory of line `index` and the records of its files;
    // false when the directory is excluded.
    bool storeDirectory(qsizetype index);
    void recordFiles(qsizetype index, const QString& line);
    void showProgress(qint64 count);
    void showTotalSize();

    const PhaseSetup& m_setup;
    const ExplorationContext& m_context;
    const QStringList& m_lines;
    ExplorationCounters& m_counters;
    const ListeAuto m_ignored;
    const std::vector<bool> m_visit;
    DirectoryReadAhead m_readAhead;
    RecordFile m_records;
    bool m_recordsWritten = false;
    FileEnumeration m_files;
    ParentLookup m_parents;
    DisplayPace m_pace;
    PhaseGauge m_gauge;
};

DirectoryPhase::DirectoryPhase(const PhaseSetup& setup, const QStringList& lines,
                               ExplorationCounters& counters)
    : m_setup(setup), m_context(setup.context), m_lines(lines), m_counters(counters),
      m_ignored(setup.request.excludeDirectories ? loadIgnoredNames(setup.ignoredDirsFile) : ListeAuto()),
      m_visit(directoriesToVisit(lines, setup.request.volume.rootPath,
                                 setup.request.excludeDirectories ? &m_ignored : nullptr)),
      m_readAhead(lines, m_visit, readAheadThreads(setup.request.volume)), m_records(setup.recordsFile),
      m_parents(setup.context.store, setup.support),
      m_gauge(setup.context.display, &ExplorationDisplay::showDirectoryProgress, lines.size()) {
    m_files.logFile = setup.logFile;
}

void DirectoryPhase::run() {
    m_context.display.showPhase(ExplorationPhase::ReadingDirectories);
    m_recordsWritten = m_records.openForWriting();
    for (qsizetype index = 0; index < m_lines.size(); ++index) {
        if (!m_recordsWritten || storeFailed(m_context, m_counters))
            break;
        if (m_context.progress.stopRequested()) {
            m_counters.stopped = true;
            break;
        }
        if (storeDirectory(index))
            showProgress(index + 1);
    }
}

bool DirectoryPhase::storeDirectory(qsizetype index) {
    const ExplorationContext& c = m_context;
    const QString& line = m_lines.at(index);
    const bool first = index == 0;
    const QString relative = catalogueRelativePath(m_setup.request.volume.rootPath, line);
    const QString parent = relativeParent(relative);
    qint64 parentNumber = 0;
    if (!m_visit[static_cast<std::size_t>(index)] || !m_parents.numberOf(parent, first, parentNumber)) {
        ++m_counters.excludedDirectories;
        c.display.showCounters(m_counters, Counter::ExcludedDirectories);
        return false;
    }
    const bool show = m_pace.due();
    if (show)
        c.display.showCurrentDirectory(line);
    c.progress.yield();
    recordFiles(index, line);
    if (show)
        showTotalSize();
    c.store.addDirectory(m_setup.support, parent, directoryName(first, relative), parentNumber);
    ++m_counters.directories;
    c.store.batchBoundary();
    return true;
}

void DirectoryPhase::recordFiles(qsizetype index, const QString& line) {
    const bool read = m_readAhead.entries(index, [&](const DirectoryEntry& entry) {
        m_recordsWritten = recordFileEntry(line, entry, m_records, m_files);
        return m_recordsWritten;
    });
    if (!read && m_recordsWritten)
        countUnreadDirectory(m_context.display, line, m_counters);
}

// The figures move with each percentage, `count` lines of the list gone through.
void DirectoryPhase::showProgress(qint64 count) {
    if (!m_gauge.advance(count))
        return;
    m_counters.files = m_files.nextRecord - 1;
    m_counters.listedDirectories = count;
    m_context.display.showCounters(m_counters, Counter::FilesFound | Counter::ListedDirectories);
    m_context.progress.yield();
}

void DirectoryPhase::showTotalSize() {
    m_counters.totalSize = m_files.totalSize;
    m_context.display.showCounters(m_counters, Counter::TotalSize);
}

qint64 DirectoryPhase::finish() {
    if (!m_records.close() || !m_recordsWritten)
        reportExplorationFailure(m_counters, FileAccess::Write, m_setup.recordsFile,
                                 m_records.failureReason());
    showTotalSize();
    m_context.store.commit();
    storeFailed(m_context, m_counters);
    m_counters.files = m_files.nextRecord - 1;
    m_counters.leftOut = m_files.leftOut;
    return m_counters.files;
}

} // namespace

qint64 Exploration_RechRepertoires(const PhaseSetup& setup, ExplorationCounters& counters) {
    QStringList lines;
    if (!listDirectories(setup, counters, lines))
        return 0;
    DirectoryPhase phase(setup, lines, counters);
    phase.run();
    return phase.finish();
}

} // namespace velmar
