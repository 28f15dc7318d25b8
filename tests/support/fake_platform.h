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
    // The same, mounted only once volumes() has been asked `calls` more times:
    // a medium the user inserts while the program waits for it.
    void addVolumeLater(const QString& folder, const QString& label, qint32 serial, int calls);

    QList<Volume> volumes() override;
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
    struct LaterVolume {
        Volume volume;
        int call = 0; // the call to volumes() from which it is mounted
    };
    QList<Volume> m_volumes;
    QList<LaterVolume> m_laterVolumes;
    int m_calls = 0;
};

} // namespace velmar::test
