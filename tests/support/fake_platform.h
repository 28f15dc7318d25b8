#pragma once

// A Platform double: volumes are folders the test chooses, launches are
// recorded, and the single-instance lock is a flag.

#include "platform/platform.h"

#include <QList>
#include <QStringList>

namespace velmar::test {

class FakePlatform final : public Platform {
public:
    FakePlatform() { installPlatform(this); }
    ~FakePlatform() override { installPlatform(nullptr); }

    // A folder served as a mounted volume.
    Volume& addVolume(const QString& folder, const QString& label, qint32 serial,
                      DriveType type = DriveType::Removable);

    QList<Volume> volumes() override { return m_volumes; }
    bool claimSingleInstance(const QString&) override { return !anotherInstanceRunning; }
    LaunchResult openWithDefault(const QString& path) override;
    LaunchResult explore(const QString& folder) override;
    LaunchResult openAddress(const QString& address) override;
    LaunchResult startProgram(const QString& program, const QStringList& arguments,
                              bool waitForExit) override;
    QString iconNameForFile(const QString& fileName) override;

    bool anotherInstanceRunning = false;
    LaunchResult nextLaunchResult = LaunchResult::Started;
    // "open <path>", "explore <folder>", "address <url>", "start <program> <arg>...",
    // with " (wait)" after a program waited for.
    QStringList launches;

private:
    QList<Volume> m_volumes;
};

} // namespace velmar::test
