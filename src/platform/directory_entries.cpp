#include "platform/directory_entries.h"

#include "platform/file_names.h"

#include <cerrno>

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <time.h>

namespace velmar {

namespace {

LocalTime localTimeOf(qint64 seconds) {
    const time_t t = static_cast<time_t>(seconds);
    tm parts{};
    if (!localtime_r(&t, &parts))
        return {};
    return {parts.tm_year + 1900, parts.tm_mon + 1, parts.tm_mday, parts.tm_hour, parts.tm_min, parts.tm_sec};
}

// Files of one directory are often written, or copied, in the same second: the
// last conversion of each kind of time is kept, as localtime_r takes the
// time-zone lock at every call.
class LocalTimes {
public:
    LocalTime of(qint64 seconds) {
        if (!m_known || seconds != m_seconds) {
            m_seconds = seconds;
            m_time = localTimeOf(seconds);
            m_known = true;
        }
        return m_time;
    }

private:
    bool m_known = false;
    qint64 m_seconds = 0;
    LocalTime m_time;
};

DirectoryEntry::Kind kindOfMode(unsigned mode) {
    if (S_ISDIR(mode))
        return DirectoryEntry::Kind::Directory;
    if (S_ISREG(mode))
        return DirectoryEntry::Kind::File;
    if (S_ISLNK(mode))
        return DirectoryEntry::Kind::SymbolicLink;
    return DirectoryEntry::Kind::Other;
}

DirectoryEntry::Kind kindOfType(unsigned char type) {
    switch (type) {
    case DT_DIR:
        return DirectoryEntry::Kind::Directory;
    case DT_REG:
        return DirectoryEntry::Kind::File;
    case DT_LNK:
        return DirectoryEntry::Kind::SymbolicLink;
    default:
        return DirectoryEntry::Kind::Other;
    }
}

struct EntryTimes {
    LocalTimes modified;
    LocalTimes born;
};

// False when the entry vanished or cannot be examined (errno says which).
bool examine(int directoryFd, const char* name, EntryDetails details, unsigned char type, EntryTimes& times,
             DirectoryEntry& entry) {
    if (details == EntryDetails::DirectoriesOnly && type != DT_UNKNOWN) {
        entry.kind = kindOfType(type);
        return true;
    }
    struct statx st {};
    const unsigned mask = details == EntryDetails::DirectoriesOnly
                              ? STATX_TYPE
                              : STATX_TYPE | STATX_SIZE | STATX_MTIME | STATX_BTIME;
    if (statx(directoryFd, name, AT_SYMLINK_NOFOLLOW | AT_NO_AUTOMOUNT, mask, &st) != 0)
        return false;
    entry.kind = kindOfMode(st.stx_mode);
    if (details == EntryDetails::DirectoriesOnly)
        return true;
    entry.size = entry.kind == DirectoryEntry::Kind::File ? static_cast<qint64>(st.stx_size) : 0;
    entry.modified = times.modified.of(st.stx_mtime.tv_sec);
    entry.born = (st.stx_mask & STATX_BTIME) != 0 ? times.born.of(st.stx_btime.tv_sec) : entry.modified;
    return true;
}

} // namespace

bool readDirectoryEntries(const QString& directory, EntryDetails details,
                          const std::function<bool(const DirectoryEntry&)>& visit) {
    DIR* dir = opendir(encodeFileName(directory).constData());
    if (!dir)
        return false;
    const int fd = dirfd(dir);
    DirectoryEntry entry;
    EntryTimes times;
    bool complete = true;
    for (;;) {
        errno = 0;
        const dirent* d = readdir(dir);
        if (!d) {
            complete = complete && errno == 0;
            break;
        }
        const char* name = d->d_name;
        if (name[0] == '.' && (name[1] == '\0' || (name[1] == '.' && name[2] == '\0')))
            continue;
        // Entries of the other kind are left by their type, before their
        // names are even decoded; only an unknown type needs a statx.
        const bool wantsDirectories = details == EntryDetails::DirectoriesOnly;
        if (d->d_type != DT_UNKNOWN && (d->d_type == DT_DIR) != wantsDirectories)
            continue;
        if (!examine(fd, name, details, d->d_type, times, entry)) {
            complete = complete && errno == ENOENT;
            continue;
        }
        if ((entry.kind == DirectoryEntry::Kind::Directory) != wantsDirectories)
            continue;
        entry.name = decodeFileName(name);
        if (!visit(entry))
            break;
    }
    closedir(dir);
    return complete;
}

} // namespace velmar
