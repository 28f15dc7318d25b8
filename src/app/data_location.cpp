#include "app/data_location.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

namespace velmar {

namespace {

QString withSlash(QString dir) {
    if (!dir.endsWith(QLatin1Char('/')))
        dir += QLatin1Char('/');
    return dir;
}

QString quoted(const QString& path) {
    return QStringLiteral("« ") + QDir::toNativeSeparators(path) + QStringLiteral(" »");
}

bool isWritableDirectory(const QString& path) {
    const QFileInfo info(path);
    return info.isDir() && info.isWritable();
}

// $XDG_DATA_HOME when it is an absolute path, as the XDG base directory
// rules ask; ~/.local/share otherwise.
QString userDataHome(const DataEnvironment& environment) {
    if (QDir::isAbsolutePath(environment.xdgDataHome))
        return withSlash(environment.xdgDataHome);
    const QString home = environment.home.isEmpty() ? QDir::homePath() : environment.home;
    return withSlash(home) + QStringLiteral(".local/share/");
}

// The installed defaults sit in share/velmar/Data/ beside the bin/ folder of
// the executable, whatever the installation prefix.
QString defaultsFor(const QString& executableDir) {
    for (const QString& candidate :
         {executableDir + QStringLiteral("/../share/velmar/Data"), executableDir + QStringLiteral("/Data")}) {
        if (QFileInfo(candidate).isDir())
            return withSlash(QDir::cleanPath(candidate));
    }
    return QString();
}

// Installed files are read-only for the user; their copies are the user's own.
constexpr QFileDevice::Permissions kCopyPermissions = QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                                      QFileDevice::ReadUser | QFileDevice::WriteUser |
                                                      QFileDevice::ReadGroup | QFileDevice::ReadOther;

bool copyTree(const QString& from, const QString& to, QString& error) {
    if (!QDir().mkpath(to)) {
        error = QStringLiteral("Impossible de créer le répertoire ") + quoted(to) + QStringLiteral(".");
        return false;
    }
    const QFileInfoList entries =
        QDir(from).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden, QDir::Name);
    for (const QFileInfo& entry : entries) {
        const QString target = to + QLatin1Char('/') + entry.fileName();
        if (entry.isDir()) {
            if (!copyTree(entry.filePath(), target, error))
                return false;
        } else if (!QFile::copy(entry.filePath(), target) ||
                   !QFile::setPermissions(target, kCopyPermissions)) {
            error = QStringLiteral("Impossible de copier ") + quoted(entry.filePath()) +
                    QStringLiteral(" vers ") + quoted(target) + QStringLiteral(".");
            return false;
        }
    }
    return true;
}

} // namespace

DataEnvironment DataEnvironment::fromProcess() {
    return {qEnvironmentVariable("VELMAR_DATA_DIR"), qEnvironmentVariable("XDG_DATA_HOME"),
            qEnvironmentVariable("HOME")};
}

DataLocation chooseDataLocation(const QString& executableDir, const DataEnvironment& environment) {
    if (!environment.dataDirOverride.isEmpty()) {
        const QString data = withSlash(QDir(environment.dataDirOverride).absolutePath());
        return {withSlash(QDir::cleanPath(data + QStringLiteral(".."))), data, QString()};
    }
    const QString beside = withSlash(executableDir) + QStringLiteral("Data/");
    if (isWritableDirectory(beside))
        return {withSlash(executableDir), beside, QString()};
    const QString root = userDataHome(environment) + QStringLiteral("velmar/");
    return {root, root + QStringLiteral("Data/"), defaultsFor(executableDir)};
}

bool seedDataFolder(const DataLocation& location, QString& error) {
    if (location.defaultsDir.isEmpty() || QFileInfo::exists(location.dataDir))
        return true;
    if (!QDir().mkpath(location.rootDir)) {
        error = QStringLiteral("Impossible de créer le répertoire ") + quoted(location.rootDir) +
                QStringLiteral(".");
        return false;
    }
    QTemporaryDir staging(location.rootDir + QStringLiteral("Data-XXXXXX"));
    if (!staging.isValid()) {
        error = QStringLiteral("Impossible de créer un répertoire dans ") + quoted(location.rootDir) +
                QStringLiteral(".");
        return false;
    }
    if (!copyTree(location.defaultsDir, staging.path(), error))
        return false;
    if (QDir().rename(staging.path(), QDir::cleanPath(location.dataDir)))
        return true;
    // Another start may have laid the folder out in the meantime.
    if (QFileInfo(location.dataDir).isDir())
        return true;
    error = QStringLiteral("Impossible de créer le répertoire des données ") + quoted(location.dataDir) +
            QStringLiteral(".");
    return false;
}

} // namespace velmar
