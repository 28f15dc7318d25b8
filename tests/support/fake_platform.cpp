#include "support/fake_platform.h"

#include <QDir>

namespace velmar::test {

Volume& FakePlatform::addVolume(const QString& folder, const QString& label, qint32 serial, DriveType type) {
    Volume v;
    v.rootPath = QDir(folder).absolutePath() + QLatin1Char('/');
    v.label = label;
    v.serial = serial;
    v.type = type;
    v.totalBytes = 1024LL * 1024 * 1024;
    v.freeBytes = 512LL * 1024 * 1024;
    v.fileSystem = QStringLiteral("vfat");
    m_volumes.append(v);
    return m_volumes.last();
}

void FakePlatform::addVolumeLater(const QString& folder, const QString& label, qint32 serial, int calls) {
    m_laterVolumes.append({addVolume(folder, label, serial), m_calls + calls + 1});
    m_volumes.removeLast();
}

QList<Volume> FakePlatform::volumes() {
    ++m_calls;
    QList<Volume> mounted = m_volumes;
    for (const LaterVolume& later : m_laterVolumes)
        if (m_calls >= later.call)
            mounted << later.volume;
    return mounted;
}

LaunchResult FakePlatform::openWithDefault(const QString& path) {
    launches << QStringLiteral("open ") + path;
    return nextLaunchResult;
}

LaunchResult FakePlatform::explore(const QString& folder) {
    launches << QStringLiteral("explore ") + folder;
    return nextLaunchResult;
}

LaunchResult FakePlatform::openAddress(const QString& address) {
    launches << QStringLiteral("address ") + address;
    return nextLaunchResult;
}

LaunchResult FakePlatform::startProgram(const QString& program, const QStringList& arguments,
                                        bool waitForExit) {
    launches << (QStringList{QStringLiteral("start"), program} + arguments).join(QLatin1Char(' ')) +
                    (waitForExit ? QStringLiteral(" (wait)") : QString());
    return nextLaunchResult;
}

QString FakePlatform::iconNameForFile(const QString& fileName) {
    return fileName.endsWith(QLatin1String(".txt"), Qt::CaseInsensitive) ? QStringLiteral("text-plain")
                                                                         : QString();
}

} // namespace velmar::test
