#pragma once

// The browse tree's nodes as the catalogue sees them: each node's key carries
// its support, its directory and whether its subdirectories are loaded.
//   support   "S" + NumSupport + "\"
//   directory "R" + NumSupport + "\" + NumRepertoire + "\" + "D" (loaded) or "ND"

#include "store/db/database.h"

#include <QList>
#include <QString>

namespace velmar {

struct NodeKey {
    enum class Kind { Invalid, Support, Directory };
    Kind kind = Kind::Invalid;
    int support = 0;
    qint64 directory = 0; // 0 for a support node
    bool loaded = false;  // directory nodes: subdirectories in the tree

    static NodeKey parse(const QString& key);
    static QString supportKey(int support);
    static QString directoryKey(int support, qint64 directory, bool loaded);
    QString text() const;
};

// One support of the tree: its text and the key of its type's icon.
struct SupportNode {
    int support = 0;
    QString name;
    qint64 fileCount = 0;
    QString text; // "Photos 2003 (12 fichiers)"
    QString iconKey;
};
// Supports in name order; a type outside 1..typeCount shows the icon of type 1.
QList<SupportNode> supportNodes(db::Database& db, int typeCount);
QString supportNodeText(const QString& name, qint64 fileCount);
QString supportIconKey(int supportType, int typeCount);

// A subdirectory shown under a node, in creation order; the starting
// directory (empty name) is never one.
struct DirectoryNode {
    qint64 directory = 0;
    QString name;
};
QList<DirectoryNode> subdirectoryNodes(db::Database& db, int support, qint64 parent);

// The directory whose files a support node lists: the starting directory of
// its exploration. That is the root row (empty name) when the medium was
// explored from its root; from a folder below it, the folder's own row, the
// first one the exploration wrote. 0 when the support has no directory.
qint64 supportStartingDirectory(db::Database& db, int support);

} // namespace velmar
