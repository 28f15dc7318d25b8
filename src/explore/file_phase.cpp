#include "explore/exploration_phases.h"

#include "app/crc32.h"
#include "app/dialogs.h"
#include "app/files.h"
#include "app/phrases.h"
#include "explore/analysed_types.h"
#include "explore/catalogue_path.h"
#include "explore/display_pace.h"
#include "explore/exploration_failure.h"
#include "explore/gauge.h"
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

void showCount(ExplorationDisplay& display, const char* control, qint64 n, const char* singular,
               const char* plural) {
    if (n > 0)
        display.showText(QLatin1String(control),
                         countText(n, QString::fromUtf8(singular), QString::fromUtf8(plural)));
}

void showFileCounts(ExplorationDisplay& display, const ExplorationCounters& counters) {
    showCount(display, "lblFichierProgramme", counters.programs, "# programme ajouté",
              "# programmes ajoutés");
    showCount(display, "lblFichierArchive", counters.archives, "# archive ajoutée", "# archives ajoutées");
    showCount(display, "lblFichierAssocie", counters.associated, "# fichier associé ajouté",
              "# fichiers associés ajoutés");
    showCount(display, "lblFichierExclu", counters.excludedFiles, "# fichier exclu", "# fichiers exclus");
    showCount(display, "lblFichierIllisible", counters.unreadable, "# fichier illisible",
              "# fichiers illisibles");
    showCount(display, "lblFichierLaisse", counters.leftOut, "# fichier laissé de côté (nom trop long)",
              "# fichiers laissés de côté (nom trop long)");
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

} // namespace

void Exploration_MemoFichiers(const PhaseSetup& setup, qint64 recordCount, ExplorationCounters& counters) {
    const ExplorationContext& c = setup.context;
    const ExplorationRequest& r = setup.request;
    const AnalysedTypes types = AnalysedTypes::load(setup.analysedTypesFile);
    QStringList excludedPatterns;
    if (r.excludeExtensions)
        readTextLines(setup.ignoredExtsFile, excludedPatterns);
    excludedPatterns.removeAll(QString());
    const bool analyse = r.deep && r.readInfos;
    const bool crc = r.deep && r.computeCrc;

    RecordFile records(setup.recordsFile);
    if (recordCount > 0 && !records.openForReading()) {
        reportExplorationFailure(counters, FileAccess::Read, setup.recordsFile, records.failureReason());
        return;
    }
    QString previousDir;
    qint64 directory = 0;
    DisplayPace pace;
    int lastPercentage = -1;
    int lastFrame = -1;
    for (qint64 i = 1; i <= recordCount; ++i) {
        if (c.progress.stopRequested()) {
            counters.stopped = true;
            break;
        }
        FileRecord record;
        if (!records.read(i, record)) {
            reportExplorationFailure(counters, FileAccess::Read, setup.recordsFile, records.failureReason());
            break;
        }
        if (i == 1 || record.dirPath != previousDir) {
            previousDir = record.dirPath;
            c.store.batchBoundary();
            if (storeFailed(c, counters))
                break;
            directory = c.store.findDirectory(catalogueRelativePath(r.volume.rootPath, record.dirPath),
                                              setup.support);
            if (directory == 0) {
                dialogs().message(QStringLiteral("Le répertoire d'un fichier n'a pas été trouvé !"),
                                  MessageStyle::Exclamation);
                break;
            }
            const int percentage = static_cast<int>(i * 100 / recordCount);
            if (percentage != lastPercentage) {
                lastPercentage = percentage;
                c.display.showText(QStringLiteral("Label18"),
                                   QString::number(percentage) + QStringLiteral(" %"));
                const int frame = gaugeFrame(percentage);
                if (frame != lastFrame) {
                    lastFrame = frame;
                    c.display.showGauge(QStringLiteral("Image6"), frame);
                }
            }
            c.progress.yield();
        }
        const bool show = pace.due();
        if (show) {
            c.display.showText(QStringLiteral("RepertoireActuel"), record.dirPath);
            showFileCounts(c.display, counters);
        }
        if (isExcludedExtension(excludedPatterns, record.extension)) {
            ++counters.excludedFiles;
            continue;
        }
        if (show)
            c.display.showText(QStringLiteral("Label38"), record.nameFull);
        const QString fullPath = record.dirPath + record.nameFull;
        const ReadablePath readablePath(fullPath, ReadablePath::holdsEscapedBytes(fullPath)
                                                      ? setup.workFiles.linkFile(record.extension)
                                                      : QString());
        const QString& path = readablePath.path();
        FileRow row;
        const QString mode = analyse ? types.modeFor(record.extension) : QString();
        const bool needsReading = !mode.isEmpty() || crc;
        const bool canRead = needsReading && readable(path);
        if (needsReading && !canRead)
            ++counters.unreadable;
        if (canRead && !mode.isEmpty())
            row.infos = c.analysis.informationText(path, mode).left(kInfosLength);
        row.support = setup.support;
        row.directory = directory;
        row.name = record.nameFull;
        row.size = record.size;
        row.extension = record.extension.left(kExtensionLength);
        row.modified = isoDate(record.modified);
        if (canRead && crc) {
            if (show)
                c.display.showText(QStringLiteral("Label38"), QStringLiteral("CRC de ") + record.nameFull);
            bool error = false;
            row.crc = clsCRC32().CRCFromFile(path, error);
            if (error)
                ++counters.unreadable;
        }
        c.store.addFile(row);
        classify(c, record.extension, counters);
    }
    records.close();
    showFileCounts(c.display, counters);
    c.store.commit();
    storeFailed(c, counters);
}

} // namespace velmar
