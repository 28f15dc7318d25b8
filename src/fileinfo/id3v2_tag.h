#pragma once

// The text frames (ids starting with T, and COMM) of an ID3v2 tag at the start
// of a file, versions 2.2, 2.3 and 2.4: syncsafe sizes, unsynchronisation of the
// whole tag (2.2, 2.3) or of each frame (2.4), the extended header skipped by
// its size. Version 2.2 ids are given under their 2.3 names (TT2 as TIT2).
// Compressed or encrypted frames are left out. The walk ends at the padding, at
// a frame that does not fit in the tag, or at the end of the file.

#include "archives/byte_source.h"

#include <QByteArray>
#include <QList>
#include <QString>

namespace velmar {

struct Id3v2Frame {
    QByteArray id;
    // The frame's strings (id3v2_text.h); for COMM its language code, its
    // description, a NUL and the comment.
    QString text;
};

// False when the file does not start with a tag of a version this reader knows.
bool readId3v2Frames(archives::ByteSource& file, QList<Id3v2Frame>& frames);

} // namespace velmar
