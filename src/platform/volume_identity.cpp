#include "platform/volume_identity.h"

#include <blkid/blkid.h>
#include <sys/statvfs.h>

namespace velmar {

bool serialFromUuid(const QString& uuid, const QString& fileSystem, qint32& serial) {
    QString hex;
    for (const QChar c : uuid)
        if (c.isLetterOrNumber() && c.unicode() < 128)
            hex += c;
    bool ok = false;
    if (hex.isEmpty())
        return false;
    // NTFS shows its 64-bit id as 16 digits; the volume serial is the low half.
    const QString part =
        (fileSystem == QLatin1String("ntfs") && hex.size() == 16) ? hex.right(8) : hex.left(8);
    const quint32 value = part.toUInt(&ok, 16);
    if (!ok)
        return false;
    serial = static_cast<qint32>(value);
    return true;
}

bool blkidIdentity(const QString& device, QString& label, QString& uuid) {
    if (!device.startsWith(QLatin1String("/dev/")))
        return false;
    const QByteArray name = device.toLocal8Bit();
    blkid_probe probe = blkid_new_probe_from_filename(name.constData());
    if (!probe)
        return false;
    blkid_probe_enable_superblocks(probe, 1);
    blkid_probe_set_superblocks_flags(probe, BLKID_SUBLKS_LABEL | BLKID_SUBLKS_UUID);
    bool found = false;
    if (blkid_do_safeprobe(probe) == 0) {
        const char* value = nullptr;
        size_t length = 0;
        if (blkid_probe_lookup_value(probe, "LABEL", &value, &length) == 0 && value)
            label = QString::fromUtf8(value);
        if (blkid_probe_lookup_value(probe, "UUID", &value, &length) == 0 && value) {
            uuid = QString::fromUtf8(value);
            found = true;
        }
    }
    blkid_free_probe(probe);
    return found;
}

qint32 statvfsSerial(const QString& rootPath) {
    struct statvfs info {};
    if (statvfs(rootPath.toLocal8Bit().constData(), &info) != 0)
        return 0;
    const auto id = static_cast<unsigned long long>(info.f_fsid);
    return static_cast<qint32>(static_cast<quint32>(id ^ (id >> 32)));
}

} // namespace velmar
