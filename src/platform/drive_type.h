#pragma once

#include "platform/platform.h"

namespace velmar {

// Pseudo file systems that hold no user files and never appear as volumes.
bool isPseudoFileSystem(const QString& fileSystem);

// The drive kind of a mounted file system: CD-ROM for iso9660/udf, remote for
// network file systems, RAM disk for tmpfs/ramfs, removable when the block
// device says so, fixed otherwise.
DriveType driveTypeOf(const QString& fileSystem, bool removableDevice);

} // namespace velmar
