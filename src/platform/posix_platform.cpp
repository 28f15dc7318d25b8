#include "platform/posix_platform.h"

#include "platform/drive_type.h"
#include "platform/volume_identity.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QMimeDatabase>
#include <QProcess>
#include <QStorageInfo>

#include <algorithm>

namespace velmar {

namespace {

// The sysfs "removable" flag of a block device, looked up on the whole disk
// when the device is a partition.
bool isRemovableDevice(const QString& device) {
    if (!device.startsWith(QLatin1String("/dev/")))
        return false;
    const QString name = QFileInfo(device).canonicalFilePath().section(QLatin1Char('/'), -1);
    QString sysDir = QFileInfo(QStringLiteral("/sys/class/block/") + name).canonicalFilePath();
    for (int depth = 0; depth < 2 && !sysDir.isEmpty(); ++depth) {
        QFile flag(sysDir + QStringLiteral("/removable"));
        if (flag.open(QIODevice::ReadOnly))
            return flag.readAll().trimmed() == "1";
        sysDir = QFileInfo(sysDir).absolutePath();
    }
    return false;
}

Volume volumeOf(const QStorageInfo& storage) {
    Volume v;
    v.rootPath = storage.rootPath();
    if (!v.rootPath.endsWith(QLatin1Char('/')))
        v.rootPath += QLatin1Char('/');
    v.fileSystem = QString::fromLatin1(storage.fileSystemType());
    v.device = QString::fromLocal8Bit(storage.device());
    v.totalBytes = storage.bytesTotal();
    v.freeBytes = storage.bytesFree();
    v.isFloppy = v.device.startsWith(QLatin1String("/dev/fd"));
    v.type = driveTypeOf(v.fileSystem, v.isFloppy || isRemovableDevice(v.device));
    QString uuid;
    QString label;
    if (blkidIdentity(v.device, label, uuid) && serialFromUuid(uuid, v.fileSystem, v.serial))
        v.label = label;
    else
        v.serial = statvfsSerial(v.rootPath);
    if (v.label.isEmpty())
        v.label = storage.name();
    return v;
}

LaunchResult startDetached(const QString& program, const QStringList& arguments) {
    return QProcess::startDetached(program, arguments) ? LaunchResult::Started : LaunchResult::Failed;
}

// False only when the desktop's database says that no application handles
// the type; when it cannot be asked, the opener is left to decide.
bool mayHaveDefaultApplication(const QString& mimeType) {
    QProcess query;
    query.start(QStringLiteral("xdg-mime"), {QStringLiteral("query"), QStringLiteral("default"), mimeType});
    return !(query.waitForFinished(5000) && query.exitStatus() == QProcess::NormalExit &&
             query.exitCode() == 0 && query.readAllStandardOutput().trimmed().isEmpty());
}

LaunchResult openThroughDesktop(const QString& path, const QString& mimeType) {
    if (!mayHaveDefaultApplication(mimeType))
        return LaunchResult::NoAssociation;
    return startDetached(QStringLiteral("xdg-open"), {path});
}

} // namespace

PosixPlatform::PosixPlatform() = default;
PosixPlatform::~PosixPlatform() = default;

QList<Volume> PosixPlatform::volumes() {
    QList<Volume> result;
    for (const QStorageInfo& storage : QStorageInfo::mountedVolumes()) {
        if (!storage.isValid() || !storage.isReady())
            continue;
        if (isPseudoFileSystem(QString::fromLatin1(storage.fileSystemType())))
            continue;
        result << volumeOf(storage);
    }
    std::sort(result.begin(), result.end(),
              [](const Volume& a, const Volume& b) { return a.rootPath < b.rootPath; });
    return result;
}

bool PosixPlatform::claimSingleInstance(const QString& lockDirectory) {
    // One lock per data folder: two copies of the program that keep separate
    // data may run side by side.
    const QByteArray key =
        QCryptographicHash::hash(lockDirectory.toUtf8(), QCryptographicHash::Sha1).toHex().left(16);
    m_instanceLock = std::make_unique<QLockFile>(QDir::tempPath() + QStringLiteral("/velmar-") +
                                                 QString::fromLatin1(key) + QStringLiteral(".lock"));
    m_instanceLock->setStaleLockTime(0);
    return m_instanceLock->tryLock(0);
}

LaunchResult PosixPlatform::openWithDefault(const QString& path) {
    if (!QFileInfo::exists(path))
        return LaunchResult::NotFound;
    return openThroughDesktop(path, QMimeDatabase().mimeTypeForFile(path).name());
}

LaunchResult PosixPlatform::explore(const QString& folder) {
    if (!QFileInfo(folder).isDir())
        return LaunchResult::NotFound;
    // A bare desktop may have no file manager at all.
    return openThroughDesktop(folder, QStringLiteral("inode/directory"));
}

LaunchResult PosixPlatform::openAddress(const QString& address) {
    return startDetached(QStringLiteral("xdg-open"), {address});
}

LaunchResult PosixPlatform::startProgram(const QString& program, const QStringList& arguments,
                                         bool waitForExit) {
    if (!QFileInfo::exists(program))
        return LaunchResult::NotFound;
    // Programs run from their own folder, where they expect their files.
    const QString folder = QFileInfo(program).absolutePath();
    if (!waitForExit)
        return QProcess::startDetached(program, arguments, folder) ? LaunchResult::Started
                                                                   : LaunchResult::Failed;
    QProcess process;
    process.setWorkingDirectory(folder);
    process.start(program, arguments);
    if (!process.waitForStarted())
        return LaunchResult::Failed;
    process.waitForFinished(-1);
    return LaunchResult::Started;
}

QString PosixPlatform::iconNameForFile(const QString& fileName) {
    const QMimeType type = QMimeDatabase().mimeTypeForFile(fileName, QMimeDatabase::MatchExtension);
    return type.isDefault() ? QString() : type.iconName();
}

namespace {
PosixPlatform* defaultPlatform() {
    static PosixPlatform posix;
    return &posix;
}
Platform* installedPlatform = nullptr;
} // namespace

Platform& platform() {
    return installedPlatform ? *installedPlatform : *defaultPlatform();
}

void installPlatform(Platform* implementation) {
    installedPlatform = implementation;
}

void keepLocalTimeZoneLoaded() {
    if (qEnvironmentVariableIsEmpty("TZ"))
        qputenv("TZ", ":/etc/localtime");
}

} // namespace velmar
