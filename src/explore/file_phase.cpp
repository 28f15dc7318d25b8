#include "explore/exploration_phases.h"

#include "app/crc32.h"
#include "app/dialogs.h"
#include "app/files.h"
#include "explore/analysed_types.h"
#include "explore/catalogue_path.h"
#include "explore/display_pace.h"
#include "explore/exploration_failure.h"
#include "explore/phase_gauge.h"
#include "explore/record_file.h"
#include "explore/wildcard.h"
#include "platform/readable_path.h"

#include <QDateTime>
#include <QFile>
#include <QFileInfo>

namespace velmar {

namespace {

constexpr int kInfosLength = 255;
constexpr int kExtensionLength = 5;

bool isExcludedExtension(const QStringList& patterns, const QString& extension) {
    for (const QString& pattern : patterns)
        if (wildcardMatches(extension, pattern))
            return true;
    return false;
}

// The value of `width` decimal digits at `at`, or -1 when one is no digit.
int digitsAt(QStringView text, qsizetype at, qsizetype width) {
    int value = 0;
    for (const QChar ch : text.mid(at, width)) {
        if (ch < u'0' || ch > u'9')
            return -1;
        value = value * 10 + (ch.unicode() - u'0');
    }
    return value;
}

// The record's "05/03/2004 09:07:00" (local time) as the database's
// "2004-03-05 09:07:00", or "" when it is no valid date. A reordering of the
// fields: no time zone is involved, so none is looked up.
QString isoDate(const QString& recordDate) {
    constexpr qsizetype kLength = 19; // "dd/MM/yyyy HH:mm:ss"
    const QStringView text(recordDate);
    if (text.size() != kLength || text[2] != u'/' || text[5] != u'/' || text[10] != u' ' ||
        text[13] != u':' || text[16] != u':')
        return {};
    const int year = digitsAt(text, 6, 4); // -1 would be a valid year to QDate
    if (year < 0 || !QDate::isValid(year, digitsAt(text, 3, 2), digitsAt(text, 0, 2)) ||
        !QTime::isValid(digitsAt(text, 11, 2), digitsAt(text, 14, 2), digitsAt(text, 17, 2)))
        return {};
    QString iso;
    iso.reserve(kLength);
    iso.append(text.mid(6, 4)).append(u'-').append(text.mid(3, 2)).append(u'-').append(text.mid(0, 2));
    return iso.append(u' ').append(text.mid(11, 8));
}

void classify(const ExplorationContext& c, const QString& extension, ExplorationCounters& counters) {
    bool program = false;
    bool archive = false;
    c.analysis.classify(extension, program, archive);
    ++(program ? counters.programs : archive ? counters.archives : counters.associated);
}

// A plain file the process may read; devices, FIFOs and sockets are never opened.
bool readable(const QString& path) {
    const QFileInfo info(path);
    return info.isFile() && info.isReadable();
}

// Stores one row per record, the records of a directory following one another.
class FilePhase {
public:
    FilePhase(const PhaseSetup& setup, qint64 recordCount, ExplorationCounters& counters);
    // False, after its message, when the records cannot be read.
    bool open();
    void run();
    void finish();

private:
    // Finds the row of the directory the next records are in, the `index`-th
    // record its first; false, after its message, when it cannot.
    bool enterDirectory(qint64 index, const QString& dirPath);
    void storeFile(const FileRecord& record);
    FileRow rowOf(const FileRecord& record, const QString& modified, bool unchanged, bool show);
    void readContent(const FileRecord& record, const QString& mode, bool show, FileRow& row);

    const PhaseSetup& m_setup;
    const ExplorationContext& m_context;
    const qint64 m_recordCount;
    ExplorationCounters& m_counters;
    const AnalysedTypes m_types;
    QStringList m_excludedPatterns;
    const bool m_analyse;
    const bool m_crc;
    RecordFile m_records;
    QString m_previousDir;
    QString m_relativeDir; // m_previousDir in the catalogue's form
    qint64 m_directory = 0;
    DisplayPace m_pace;
    PhaseGauge m_gauge;
};

FilePhase::FilePhase(const PhaseSetup& setup, qint64 recordCount, ExplorationCounters& counters)
    : m_setup(setup), m_context(setup.context), m_recordCount(recordCount), m_counters(counters),
      m_types(AnalysedTypes::load(setup.analysedTypesFile)),
      m_analyse(setup.request.deep && setup.request.readInfos),
      m_crc(setup.request.deep && setup.request.computeCrc), m_records(setup.recordsFile),
      m_gauge(setup.context.display, &ExplorationDisplay::showFileProgress, recordCount) {
    if (setup.request.excludeExtensions)
        readTextLines(setup.ignoredExtsFile, m_excludedPatterns);
    m_excludedPatterns.removeAll(QString());
}

bool FilePhase::open() {
    if (m_recordCount == 0 || m_records.openForReading())
        return true;
    reportExplorationFailure(m_counters, FileAccess::Read, m_setup.recordsFile, m_records.failureReason());
    return false;
}

void FilePhase::run() {
    for (qint64 i = 1; i <= m_recordCount; ++i) {
        if (m_context.progress.stopRequested()) {
            m_counters.stopped = true;
            break;
        }
        FileRecord record;
        if (!m_records.read(i, record)) {
            reportExplorationFailure(m_counters, FileAccess::Read, m_setup.recordsFile,
                                     m_records.failureReason());
            break;
        }
        if ((i == 1 || record.dirPath != m_previousDir) && !enterDirectory(i, record.dirPath))
            break;
        storeFile(record);
    }
}

bool FilePhase::enterDirectory(qint64 index, const QString& dirPath) {
    const ExplorationContext& c = m_context;
    m_previousDir = dirPath;
    c.store.batchBoundary();
    if (storeFailed(c, m_counters))
        return false;
    m_relativeDir = catalogueRelativePath(m_setup.request.volume.rootPath, dirPath);
    m_directory = c.store.findDirectory(m_relativeDir, m_setup.support);
    if (m_directory == 0) {
        dialogs().message(QStringLiteral("Le répertoire d'un fichier n'a pas été trouvé !"),
                          MessageStyle::Exclamation);
        return false;
    }
    m_gauge.advance(index);
    c.progress.yield();
    return true;
}

void FilePhase::storeFile(const FileRecord& record) {
    const bool show = m_pace.due();
    if (show) {
        m_context.display.showCurrentDirectory(record.dirPath);
        m_context.display.showCounters(m_counters, kFileKinds);
    }
    if (isExcludedExtension(m_excludedPatterns, record.extension)) {
        ++m_counters.excludedFiles;
        return;
    }
    if (show)
        m_context.display.showCurrentFile(record.nameFull, FileStep::Recording);
    const QString modified = isoDate(record.modified);
    PreviousFile* previous =
        m_setup.request.previous
            ? m_setup.request.previous->unchanged(m_relativeDir, record.nameFull, record.size, modified)
            : nullptr;
    // An update keeps the row of an unchanged file, unless it lacks the CRC asked for.
    if (previous && !(m_crc && !previous->hasCrc))
        previous->kept = true;
    else
        m_context.store.addFile(rowOf(record, modified, previous != nullptr, show));
    classify(m_context, record.extension, m_counters);
}

// The row of a record, with the information text and the CRC asked for when
// the file can be read. Of a file an update found unchanged, only the CRC is
// read, which the support did not hold.
FileRow FilePhase::rowOf(const FileRecord& record, const QString& modified, bool unchanged, bool show) {
    FileRow row;
    row.support = m_setup.support;
    row.directory = m_directory;
    row.name = record.nameFull;
    row.size = record.size;
    row.extension = record.extension.left(kExtensionLength);
    row.modified = modified;
    const QString mode = m_analyse && !unchanged ? m_types.modeFor(record.extension) : QString();
    if (!mode.isEmpty() || m_crc)
        readContent(record, mode, show, row);
    return row;
}

void FilePhase::readContent(const FileRecord& record, const QString& mode, bool show, FileRow& row) {
    const QString fullPath = record.dirPath + record.nameFull;
    const ReadablePath readablePath(fullPath, ReadablePath::holdsEscapedBytes(fullPath)
                                                  ? m_setup.workFiles.linkFile(record.extension)
                                                  : QString());
    const QString& path = readablePath.path();
    if (!readable(path)) {
        ++m_counters.unreadable;
        return;
    }
    if (!mode.isEmpty())
        row.infos = m_context.analysis.informationText(path, mode).left(kInfosLength);
    if (m_crc) {
        if (show)
            m_context.display.showCurrentFile(record.nameFull, FileStep::ComputingCrc);
        bool error = false;
        row.crc = clsCRC32().CRCFromFile(path, error);
        if (error)
            ++m_counters.unreadable;
    }
}

void FilePhase::finish() {
    m_records.close();
    m_context.display.showCounters(m_counters, kFileKinds);
    m_context.store.commit();
    storeFailed(m_context, m_counters);
}

} // namespace

void Exploration_MemoFichiers(const PhaseSetup& setup, qint64 recordCount, ExplorationCounters& counters) {
    FilePhase phase(setup, recordCount, counters);
    if (!phase.open())
        return;
    phase.run();
    phase.finish();
}

} // namespace velmar
