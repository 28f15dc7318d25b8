#pragma once

// The directory walk of an exploration: the list of every directory under the
// starting one, and the file records of one directory.

#include "app/progress.h"
#include "explore/record_file.h"

#include "platform/directory_entries.h"

#include <QString>
#include <QStringList>

namespace velmar {

// Writes the native path of every directory under `startDirectory` (itself
// first), each ending with '/', one a line. A directory is written when it is
// discovered, so a parent always precedes its children; the children of a
// directory follow one another in the name order of the user's locale (case
// ignored, numbers by value), and the next directory read is the
// alphabetically smallest pending one (case folded). Hidden directories are
// included; symbolic links are never followed. Failed, with the system's
// reason in `reason`, when the list file cannot be written.
enum class ListOutcome { Written, Stopped, Failed };
ListOutcome writeDirectoryList(const QString& startDirectory, const QString& listFile, Progress& progress,
                               QString& reason);

// Date and time as the records hold them: "05/03/2004 09:07:00", local time.
QString recordDateText(const LocalTime& time);

struct FileEnumeration {
    qint64 nextRecord = 1; // record number the next file is written at
    qint64 totalSize = 0;  // bytes of every file recorded so far
    qint64 leftOut = 0;    // files whose name or path does not fit a record
    QString logFile;       // "" unless the program runs in log mode
};

// Appends the record of one entry of `directory` that is no directory
// (symbolic links, sockets and FIFOs are recorded, none of them opened). A file
// whose texts do not fit a record is counted as left out. False when a record
// could not be written.
bool recordFileEntry(const QString& directory, const DirectoryEntry& entry, RecordFile& records,
                     FileEnumeration& state);

} // namespace velmar
