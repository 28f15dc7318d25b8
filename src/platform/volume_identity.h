#pragma once

// Label and serial number of a mounted file system, as the program records them.

#include <QString>

namespace velmar {

// The serial from a file system UUID text: the FAT/NTFS volume id ("1A2B-3C4D",
// or the low 32 bits of NTFS's 64-bit id), otherwise the first 32 bits of the
// UUID; read as a signed 32-bit value. False when the text holds no hex digits.
bool serialFromUuid(const QString& uuid, const QString& fileSystem, qint32& serial);

// Label and serial of a device through libblkid; false when blkid knows nothing.
bool blkidIdentity(const QString& device, QString& label, QString& uuid);

// A stable serial from statvfs's file-system id, for what blkid cannot read.
qint32 statvfsSerial(const QString& rootPath);

} // namespace velmar
