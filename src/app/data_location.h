#pragma once

// Which Data/ folder the program uses, decided alike by the window and by
// velmar-cli:
// 1. VELMAR_DATA_DIR when it is set;
// 2. a writable Data/ beside the executable (the build tree, a portable copy);
// 3. otherwise $XDG_DATA_HOME/velmar/Data/ (~/.local/share/velmar/Data/),
//    seeded at the first start from the read-only defaults installed under
//    share/velmar/Data/ (or from a read-only Data/ beside the executable).

#include <QString>

namespace velmar {

// What the choice reads from the environment; tests pass their own.
struct DataEnvironment {
    QString dataDirOverride; // VELMAR_DATA_DIR
    QString xdgDataHome;     // XDG_DATA_HOME
    QString home;            // HOME

    static DataEnvironment fromProcess();
};

struct DataLocation {
    QString rootDir;     // holds Tmp/ (and, but for an override, Data/); ends with '/'
    QString dataDir;     // the Data/ folder; ends with '/'
    QString defaultsDir; // read-only defaults to copy when dataDir is missing; "" for none
};

DataLocation chooseDataLocation(const QString& executableDir,
                                const DataEnvironment& environment = DataEnvironment::fromProcess());

// Copies the defaults into the data folder when it does not exist yet. The copy
// is made in a staging folder renamed at the end, so that a failed copy leaves
// no half-filled Data/ behind. False with a French reason on failure; true when
// there was nothing to do.
bool seedDataFolder(const DataLocation& location, QString& error);

} // namespace velmar
