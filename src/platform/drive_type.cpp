#include "platform/drive_type.h"

#include <QSet>

namespace velmar {

bool isPseudoFileSystem(const QString& fileSystem) {
    static const QSet<QString> pseudo = {QStringLiteral("proc"),
                                         QStringLiteral("sysfs"),
                                         QStringLiteral("cgroup"),
                                         QStringLiteral("cgroup2"),
                                         QStringLiteral("devpts"),
                                         QStringLiteral("devtmpfs"),
                                         QStringLiteral("securityfs"),
                                         QStringLiteral("debugfs"),
                                         QStringLiteral("tracefs"),
                                         QStringLiteral("pstore"),
                                         QStringLiteral("bpf"),
                                         QStringLiteral("mqueue"),
                                         QStringLiteral("hugetlbfs"),
                                         QStringLiteral("configfs"),
                                         QStringLiteral("fusectl"),
                                         QStringLiteral("autofs"),
                                         QStringLiteral("binfmt_misc"),
                                         QStringLiteral("efivarfs"),
                                         QStringLiteral("rpc_pipefs"),
                                         QStringLiteral("nsfs"),
                                         QStringLiteral("selinuxfs"),
                                         QStringLiteral("fuse.portal"),
                                         QStringLiteral("fuse.gvfsd-fuse")};
    return pseudo.contains(fileSystem);
}

DriveType driveTypeOf(const QString& fileSystem, bool removableDevice) {
    static const QSet<QString> optical = {QStringLiteral("iso9660"), QStringLiteral("udf")};
    static const QSet<QString> remote = {
        QStringLiteral("nfs"),   QStringLiteral("nfs4"),       QStringLiteral("cifs"), QStringLiteral("smb3"),
        QStringLiteral("smbfs"), QStringLiteral("fuse.sshfs"), QStringLiteral("9p")};
    static const QSet<QString> memory = {QStringLiteral("tmpfs"), QStringLiteral("ramfs")};
    if (optical.contains(fileSystem))
        return DriveType::CdRom;
    if (remote.contains(fileSystem))
        return DriveType::Remote;
    if (memory.contains(fileSystem))
        return DriveType::RamDisk;
    return removableDevice ? DriveType::Removable : DriveType::Fixed;
}

} // namespace velmar
