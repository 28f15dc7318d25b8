#pragma once

// Queries into a VS_VERSIONINFO resource, the tree of blocks that Windows'
// version API walks: "\VarFileInfo\Translation" gives the translation array,
// "\StringFileInfo\040C04E4\FileVersion" a text value.

#include <QByteArray>
#include <QString>

namespace velmar::pe {

// The value bytes of the block at `path` (components separated by '\', keys
// compared without regard to case). False when the path is not in the tree.
bool queryValue(const QByteArray& resource, const QString& path, QByteArray& value);

// A text value: UTF-16 up to its first NUL or the end of the block.
bool queryText(const QByteArray& resource, const QString& path, QString& text);

} // namespace velmar::pe
