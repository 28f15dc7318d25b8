#pragma once

// Everything the program asks of the operating system beyond QtCore's files:
// mounted volumes, the single-instance lock, the desktop's shell, file-type
// icons. The POSIX implementation serves the program; a fake serves the tests.

#include <QList>
#include <QString>
#include <QStringList>

namespace velmar {

// Drive kinds, numbered as the program stores and compares them.
enum class DriveType : int {
    Unknown = 0,
    NoRootDirectory = 1,
    Removable = 2,
    Fixed = 3,
    Remote = 4,
    CdRom = 5,
    RamDisk = 6,
};

struct Volume {
    QString rootPath;  // native path of the mount point, ending with '/'
    QString label;     // volume label, "" when it has none
    qint32 serial = 0; // volume serial number as a signed 32-bit value
    DriveType type = DriveType::Unknown;
    qint64 totalBytes = 0;
    qint64 freeBytes = 0;
    QString fileSystem; // "vfat", "iso9660", ...
    QString device;     // "/dev/sdb1", "" for virtual file systems
    bool isFloppy = false;
};

// How launching a file through the desktop went.
enum class LaunchResult { Started, NoAssociation, NotFound, Failed };

class Platform {
public:
    virtual ~Platform() = default;

    // The mounted volumes holding real file systems, in a stable order.
    virtual QList<Volume> volumes() = 0;

    // True when this process is the only running instance of the program; the
    // claim holds until the process ends.
    virtual bool claimSingleInstance(const QString& lockDirectory) = 0;

    // The desktop's default handler for the file ("open"), the file manager on a
    // folder ("explore"), the desktop's handler of an internet address, a
    // program started directly with its arguments (and waited for on request).
    virtual LaunchResult openWithDefault(const QString& path) = 0;
    virtual LaunchResult explore(const QString& folder) = 0;
    virtual LaunchResult openAddress(const QString& address) = 0;
    virtual LaunchResult startProgram(const QString& program, const QStringList& arguments,
                                      bool waitForExit) = 0;

    // Icon theme name of a file type, found from the name alone (the file is
    // never opened); "" for an unknown type.
    virtual QString iconNameForFile(const QString& fileName) = 0;
};

// The implementation in use: the POSIX one unless another was installed.
Platform& platform();
void installPlatform(Platform* implementation);

} // namespace velmar

namespace velmar {

// The mounted volume holding `path` (the one with the longest matching root);
// false when none does.
bool volumeHolding(const QList<Volume>& volumes, const QString& path, Volume& found);

// Lets the C library keep the local time zone it has loaded. Without TZ set,
// glibc checks /etc/localtime again at every local-time conversion: a system
// call for each date of each file an exploration records. TZ is then set to
// that same default zone file, so local times do not change.
void keepLocalTimeZoneLoaded();

} // namespace velmar
