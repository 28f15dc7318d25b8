#pragma once

// The name field of a RAR 3.x file header flagged as Unicode (0x200): the
// name in the archiving system's code page, a 0 byte, then the same name in
// UTF-16 packed against it. Without the 0 byte the whole field is UTF-8.

#include <QByteArray>
#include <QString>

namespace velmar::archives {

QString rarUnicodeName(const QByteArray& field);

} // namespace velmar::archives
