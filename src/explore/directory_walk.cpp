#include "explore/directory_walk.h"

#include "platform/directory_entries.h"

#include <QCollator>
#include <QFile>

#include <algorithm>
#include <functional>
#include <queue>
#include <vector>

namespace velmar {

namespace {

struct Pending {
    QString key; // folded path: the walk takes the smallest first
    QString path;
    bool operator>(const Pending& other) const {
        return key != other.key ? key > other.key : path > other.path;
    }
};

// Siblings in the order a file manager shows them: by name, case-insensitive,
// in the user's locale, numbers by value ("Photo 2" before "Photo 10"). The
// disk's own order looks random on Linux file systems, and the catalogue keeps
// the order in which directories are written.
void sortLikeAFileManager(QStringList& names) {
    QCollator collator;
    collator.setCaseSensitivity(Qt::CaseInsensitive);
    collator.setNumericMode(true);
    std::sort(names.begin(), names.end(), [&](const QString& a, const QString& b) {
        const int order = collator.compare(a, b);
        return order != 0 ? order < 0 : a < b;
    });
}

// Only real directories are walked into: symbolic links, broken or looping,
// are files of their parent. Decoded names hold no line break, so each path
// stands on a line of the list file. A directory that cannot be read has no
// subdirectory here; the directory phase counts it when it reads it again.
QStringList subdirectories(const QString& directory) {
    QStringList names;
    readDirectoryEntries(directory, EntryDetails::DirectoriesOnly, [&](const DirectoryEntry& entry) {
        names << entry.name;
        return true;
    });
    sortLikeAFileManager(names);
    QStringList found;
    for (const QString& name : names)
        found << directory + name + QLatin1Char('/');
    return found;
}

bool writeLine(QFile& out, const QString& line) {
    const QByteArray bytes = line.toUtf8() + "\r\n";
    return out.write(bytes) == bytes.size();
}

void appendLog(const QString& logFile, const QStringList& lines) {
    QFile log(logFile);
    if (!log.open(QIODevice::Append))
        return;
    for (const QString& line : lines)
        log.write(line.toUtf8() + "\r\n");
}

} // namespace

ListOutcome writeDirectoryList(const QString& startDirectory, const QString& listFile, Progress& progress,
                               QString& reason) {
    QFile out(listFile);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        reason = out.errorString();
        return ListOutcome::Failed;
    }
    QString start = startDirectory;
    if (!start.endsWith(QLatin1Char('/')))
        start += QLatin1Char('/');
    std::priority_queue<Pending, std::vector<Pending>, std::greater<Pending>> pending;
    bool written = writeLine(out, start);
    pending.push({start.toLower(), start});
    while (written && !pending.empty()) {
        const QString current = pending.top().path;
        pending.pop();
        for (const QString& child : subdirectories(current)) {
            written = written && writeLine(out, child);
            pending.push({child.toLower(), child});
        }
        progress.yield();
        if (progress.stopRequested())
            return ListOutcome::Stopped;
    }
    if (!written || !out.flush()) {
        reason = out.errorString();
        return ListOutcome::Failed;
    }
    return ListOutcome::Written;
}

namespace {

// Digits appended one by one: QDateTime::toString and QString::asprintf go
// through formatters whose cost the walk would pay twice for every file.
void appendDigits(QString& out, int value, int digits) {
    int divisor = 1;
    for (int i = 1; i < digits; ++i)
        divisor *= 10;
    for (; divisor > 0; divisor /= 10)
        out.append(QChar(u'0' + value / divisor % 10));
}

} // namespace

QString recordDateText(const LocalTime& t) {
    QString text;
    text.reserve(19);
    appendDigits(text, t.day, 2);
    text.append(u'/');
    appendDigits(text, t.month, 2);
    text.append(u'/');
    appendDigits(text, t.year, 4);
    text.append(u' ');
    appendDigits(text, t.hour, 2);
    text.append(u':');
    appendDigits(text, t.minute, 2);
    text.append(u':');
    appendDigits(text, t.second, 2);
    return text;
}

bool recordFileEntry(const QString& directory, const DirectoryEntry& entry, RecordFile& records,
                     FileEnumeration& state) {
    FileRecord record;
    record.nameFull = entry.name;
    record.extension = recordExtension(record.nameFull);
    record.nameStem = recordStem(record.nameFull, record.extension);
    record.dirPath = directory;
    // The length comes from the directory entry, so an unreadable file
    // keeps its real size; links count as the link, never the target.
    record.size = entry.size;
    record.modified = recordDateText(entry.modified);
    record.created = recordDateText(entry.born);
    switch (records.write(state.nextRecord, record)) {
    case RecordFile::WriteResult::DoesNotFit:
        ++state.leftOut;
        return true;
    case RecordFile::WriteResult::Failed:
        return false;
    case RecordFile::WriteResult::Written:
        break;
    }
    if (!state.logFile.isEmpty())
        appendLog(state.logFile, {directory, record.nameFull, record.created, record.modified});
    ++state.nextRecord;
    state.totalSize += record.size;
    return true;
}

} // namespace velmar
