#pragma once

// The version resource of a Windows PE executable (32 or 64 bit), found through
// the DOS header, the PE header, the section table and the resource directory.
// 16-bit NE executables and anything else give no resource.

#include "archives/byte_source.h"

#include <QByteArray>

namespace velmar::pe {

// The bytes of the first RT_VERSION resource (first name, first language), or
// an empty array. Every offset and length is checked against the source.
QByteArray versionResource(archives::ByteSource& source);

} // namespace velmar::pe
