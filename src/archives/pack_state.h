#pragma once

// The one archive state shared by the dispatcher and every reader: each
// Get_Contents overwrites it, so only the archive read last can be questioned.

#include <QString>

namespace velmar::archives {

struct PackState {
    quint8 PackLoaded = 0;    // only zero / non-zero is meaningful
    qint32 PackFileCount = 0; // entries found by the last walk
    QString PackFileName;     // full path of the archive read last
    QString PackComments;     // archive-level comment, "" when none
};

PackState& packState();

} // namespace velmar::archives
