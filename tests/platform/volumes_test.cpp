#include "platform/drive_type.h"
#include "platform/posix_platform.h"
#include "platform/volume_identity.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace velmar;

TEST(VolumeIdentity, SerialFromTheFileSystemId) {
    const struct {
        const char* uuid;
        const char* fs;
        qint32 serial;
    } cases[] = {
        {"1A2B-3C4D", "vfat", 0x1A2B3C4D},
        {"F0E1-D2C3", "vfat", static_cast<qint32>(0xF0E1D2C3u)}, // negative as a signed value
        {"0123456789ABCDEF", "ntfs", static_cast<qint32>(0x89ABCDEFu)},
        {"6e1c9a2b-1111-2222-3333-444455556666", "ext4", 0x6e1c9a2b},
    };
    for (const auto& c : cases) {
        qint32 serial = 0;
        ASSERT_TRUE(serialFromUuid(c.uuid, c.fs, serial)) << c.uuid;
        EXPECT_EQ(serial, c.serial) << c.uuid;
    }
    qint32 serial = 0;
    EXPECT_FALSE(serialFromUuid("", "vfat", serial));
}

TEST(DriveType, FromTheFileSystemAndTheDevice) {
    EXPECT_EQ(driveTypeOf("iso9660", false), DriveType::CdRom);
    EXPECT_EQ(driveTypeOf("udf", true), DriveType::CdRom);
    EXPECT_EQ(driveTypeOf("nfs4", false), DriveType::Remote);
    EXPECT_EQ(driveTypeOf("fuse.sshfs", false), DriveType::Remote);
    EXPECT_EQ(driveTypeOf("tmpfs", false), DriveType::RamDisk);
    EXPECT_EQ(driveTypeOf("vfat", true), DriveType::Removable);
    EXPECT_EQ(driveTypeOf("ext4", false), DriveType::Fixed);
    EXPECT_TRUE(isPseudoFileSystem("proc"));
    EXPECT_TRUE(isPseudoFileSystem("cgroup2"));
    EXPECT_FALSE(isPseudoFileSystem("ext4"));
}

TEST(Volumes, TheMachineShowsRealFileSystemsOnly) {
    PosixPlatform posix;
    const QList<Volume> volumes = posix.volumes();
    ASSERT_FALSE(volumes.isEmpty());
    for (const Volume& v : volumes) {
        EXPECT_FALSE(isPseudoFileSystem(v.fileSystem)) << v.rootPath.toStdString();
        EXPECT_TRUE(v.rootPath.endsWith('/'));
        EXPECT_GE(v.totalBytes, v.freeBytes);
    }
    Volume holder;
    EXPECT_TRUE(volumeHolding(volumes, QDir::tempPath(), holder));
}

TEST(Volumes, TheLongestRootHoldsAPath) {
    QList<Volume> volumes(2);
    volumes[0].rootPath = "/";
    volumes[1].rootPath = "/media/usb/";
    Volume found;
    ASSERT_TRUE(volumeHolding(volumes, "/media/usb/Docs", found));
    EXPECT_EQ(found.rootPath, "/media/usb/");
    ASSERT_TRUE(volumeHolding(volumes, "/media/usbkey", found));
    EXPECT_EQ(found.rootPath, "/");
}
