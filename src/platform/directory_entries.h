#pragma once

// The entries of one directory read straight from the file system: names,
// kinds, sizes and times, without following symbolic links. The exploration
// reads millions of entries, so this costs one readdir per entry and one statx
// per entry whose details are wanted, and nothing more.

#include <QString>

#include <functional>

namespace velmar {

// A moment in local time, as the catalogue writes dates.
struct LocalTime {
    int year = 1970;
    int month = 1;
    int day = 1;
    int hour = 0;
    int minute = 0;
    int second = 0;
};

struct DirectoryEntry {
    enum class Kind { Directory, File, SymbolicLink, Other };
    QString name;
    Kind kind = Kind::Other;
    // Filled for AllButDirectories.
    qint64 size = 0; // bytes of a regular file, 0 for anything else
    LocalTime modified;
    LocalTime born; // the modification time when the file system keeps no birth time
};

// Which entries are visited, and with what: a walk lists the directories of
// a directory first and reads the details of everything else later.
enum class EntryDetails {
    DirectoriesOnly,   // the directories, with their kind
    AllButDirectories, // every other entry (files, links, devices...), with kind, size and times
};

// Calls `visit` for each entry of `directory` except "." and "..", until it
// returns false. Names are decoded by decodeFileName, and `directory` encoded
// back by encodeFileName. False when the directory cannot be read, or when
// reading it failed part way or left out an entry it could not examine; entries
// that vanish while being read are skipped.
bool readDirectoryEntries(const QString& directory, EntryDetails details,
                          const std::function<bool(const DirectoryEntry&)>& visit);

} // namespace velmar
