#pragma once

#include "platform/platform.h"

#include <memory>

class QLockFile;

namespace velmar {

// Volumes from the mount table (QStorageInfo), labels and serials from libblkid,
// the desktop through xdg-open and xdg-mime.
class PosixPlatform final : public Platform {
public:
    PosixPlatform();
    ~PosixPlatform() override;

    QList<Volume> volumes() override;
    bool claimSingleInstance(const QString& lockDirectory) override;
    LaunchResult openWithDefault(const QString& path) override;
    LaunchResult explore(const QString& folder) override;
    LaunchResult openAddress(const QString& address) override;
    LaunchResult startProgram(const QString& program, const QStringList& arguments,
                              bool waitForExit) override;
    QString iconNameForFile(const QString& fileName) override;

private:
    std::unique_ptr<QLockFile> m_instanceLock;
};

} // namespace velmar
