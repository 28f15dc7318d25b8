#include "explore/exploration_phases.h"

#include "app/files.h"
#include "app/phrases.h"
#include "explore/catalogue_path.h"
#include "explore/directory_read_ahead.h"
#include "explore/directory_walk.h"
#include "explore/display_pace.h"
#include "explore/exploration_failure.h"
#include "explore/gauge.h"
#include "explore/liste_auto.h"
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
        display.showText(QStringLiteral("lblCheminTropLong"),
                         countText(counters.longPaths, QStringLiteral("# répertoire au chemin trop long"),
                                   QStringLiteral("# répertoires au chemin trop long")));
        return;
    }
    ++counters.unreadableDirectories;
    display.showText(QStringLiteral("lblRepertoireIllisible"),
                     countText(counters.unreadableDirectories, QStringLiteral("# répertoire illisible"),
                               QStringLiteral("# répertoires illisibles")));
}

} // namespace

qint64 Exploration_RechRepertoires(const PhaseSetup& setup, ExplorationCounters& counters) {
    const ExplorationContext& c = setup.context;
    QStringList lines;
    if (!listDirectories(setup, counters, lines))
        return 0;
    const qint64 total = lines.size();
    const ListeAuto ignored =
        setup.request.excludeDirectories ? loadIgnoredNames(setup.ignoredDirsFile) : ListeAuto();

    const std::vector<bool> visit = directoriesToVisit(lines, setup.request.volume.rootPath,
                                                       setup.request.excludeDirectories ? &ignored : nullptr);
    DirectoryReadAhead readAhead(lines, visit, readAheadThreads(setup.request.volume));

    c.display.showText(QStringLiteral("Label38"), QStringLiteral("Répertoire scanné :"));
    RecordFile records(setup.recordsFile);
    bool recordsWritten = records.openForWriting();
    FileEnumeration files;
    files.logFile = setup.logFile;
    ParentLookup parents(c.store, setup.support);
    DisplayPace pace;
    int lastPercentage = -1;
    int lastFrame = -1;
    qint64 count = 0;
    for (const QString& line : lines) {
        if (!recordsWritten || storeFailed(c, counters))
            break;
        if (c.progress.stopRequested()) {
            counters.stopped = true;
            break;
        }
        const qsizetype index = count++;
        const QString relative = catalogueRelativePath(setup.request.volume.rootPath, line);
        const QString name = directoryName(count == 1, relative);
        const QString parent = relativeParent(relative);
        qint64 parentNumber = 0;
        const bool excluded =
            !visit[static_cast<std::size_t>(index)] || !parents.numberOf(parent, count == 1, parentNumber);
        if (excluded) {
            ++counters.excludedDirectories;
            c.display.showText(QStringLiteral("lblRepertoireExclus"),
                               countText(counters.excludedDirectories, QStringLiteral("# répertoire exclu"),
                                         QStringLiteral("# répertoires exclus")));
            continue;
        }
        const bool show = pace.due();
        if (show)
            c.display.showText(QStringLiteral("RepertoireActuel"), line);
        c.progress.yield();
        const bool read = readAhead.entries(index, [&](const DirectoryEntry& entry) {
            recordsWritten = recordFileEntry(line, entry, records, files);
            return recordsWritten;
        });
        if (!read && recordsWritten)
            countUnreadDirectory(c.display, line, counters);
        if (show)
            c.display.showText(QStringLiteral("lblInfoTaille"), sizePhrase(files.totalSize, false));
        c.store.addDirectory(setup.support, parent, name, parentNumber);
        ++counters.directories;
        c.store.batchBoundary();

        const int percentage = static_cast<int>(count * 100 / total);
        if (percentage == lastPercentage)
            continue;
        lastPercentage = percentage;
        c.display.showText(QStringLiteral("Label7"), QString::number(percentage) + QStringLiteral(" %"));
        c.display.showText(
            QStringLiteral("lblFichierTrouve"),
            countText(files.nextRecord - 1, QStringLiteral("# fichier"), QStringLiteral("# fichiers")));
        c.display.showText(QStringLiteral("lblRepAjoute"),
                           countText(count, QStringLiteral("# répertoire"), QStringLiteral("# répertoires")));
        const int frame = gaugeFrame(percentage);
        if (frame != lastFrame) {
            lastFrame = frame;
            c.display.showGauge(QStringLiteral("Image7"), frame);
        }
        c.progress.yield();
    }
    if (!records.close() || !recordsWritten)
        reportExplorationFailure(counters, FileAccess::Write, setup.recordsFile, records.failureReason());
    c.display.showText(QStringLiteral("lblInfoTaille"), sizePhrase(files.totalSize, false));
    c.store.commit();
    storeFailed(c, counters);
    counters.files = files.nextRecord - 1;
    counters.leftOut = files.leftOut;
    return files.nextRecord - 1;
}

} // namespace velmar
