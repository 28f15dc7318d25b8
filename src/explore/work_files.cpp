#include "explore/work_files.h"

#include "platform/process_alive.h"

#include <QDir>
#include <QFile>

#include <atomic>

namespace velmar {

namespace {

const QString kListStem = QStringLiteral("ListeRep");
const QString kRecordsStem = QStringLiteral("ListeFichiers");
const QString kLinkStem = QStringLiteral("Lien");
const QString kSuffix = QStringLiteral(".tmp");

// "<stem>.<pid>-<n>.tmp"
QString workFileName(const QString& stem, qint64 pid, int run) {
    return stem + QLatin1Char('.') + QString::number(pid) + QLatin1Char('-') + QString::number(run) + kSuffix;
}

// The process number of a work file's name, 0 when it is none of ours.
qint64 ownerOf(const QString& fileName) {
    const qsizetype dot = fileName.indexOf(QLatin1Char('.'));
    const qsizetype dash = fileName.indexOf(QLatin1Char('-'), dot);
    if (dot < 0 || dash < 0)
        return 0;
    bool ok = false;
    const qint64 pid = fileName.mid(dot + 1, dash - dot - 1).toLongLong(&ok);
    return ok ? pid : 0;
}

} // namespace

ExplorationWorkFiles::ExplorationWorkFiles(const QString& tmpDir) {
    static std::atomic<int> runs{0};
    const qint64 pid = currentProcessId();
    const int run = ++runs;
    m_listFile = tmpDir + workFileName(kListStem, pid, run);
    m_recordsFile = tmpDir + workFileName(kRecordsStem, pid, run);
    m_linkStem = tmpDir + workFileName(kLinkStem, pid, run);
}

QString ExplorationWorkFiles::linkFile(const QString& extension) const {
    return extension.isEmpty() ? m_linkStem : m_linkStem + QLatin1Char('.') + extension;
}

ExplorationWorkFiles::~ExplorationWorkFiles() {
    QFile::remove(m_listFile);
    QFile::remove(m_recordsFile);
}

void ExplorationWorkFiles::removeLeftOvers(const QString& tmpDir) {
    const QDir dir(tmpDir);
    const QStringList patterns{kListStem + QStringLiteral(".*") + kSuffix,
                               kRecordsStem + QStringLiteral(".*") + kSuffix,
                               kLinkStem + QStringLiteral(".*")};
    // QDir::System lists the links, broken ones included.
    for (const QString& name : dir.entryList(patterns, QDir::Files | QDir::Hidden | QDir::System)) {
        const qint64 owner = ownerOf(name);
        if (owner > 0 && !processIsRunning(owner))
            QFile::remove(dir.filePath(name));
    }
}

} // namespace velmar
