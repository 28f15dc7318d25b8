#pragma once

// The two phases of an exploration, once the support row exists.

#include "explore/exploration.h"
#include "explore/work_files.h"

namespace velmar {

struct PhaseSetup {
    const ExplorationRequest& request;
    const ExplorationContext& context;
    int support = 0;
    QString listFile;    // Tmp/ListeRep.<pid>-<n>.tmp
    QString recordsFile; // Tmp/ListeFichiers.<pid>-<n>.tmp
    const ExplorationWorkFiles& workFiles;
    QString logFile; // "" unless in log mode
    QString ignoredDirsFile;
    QString ignoredExtsFile;
    QString analysedTypesFile;
};

// The progress panel comes up, the directory phase lists and reads the
// directories, the file phase stores the files into `support`. The counters
// say whether it stopped or failed.
void runExplorationPhases(const ExplorationRequest& request, const ExplorationContext& context, int support,
                          ExplorationCounters& counters);

// Lists the directories, stores one Repertoires row for each kept one and one
// record per file; returns the number of records.
qint64 Exploration_RechRepertoires(const PhaseSetup& setup, ExplorationCounters& counters);

// Stores one Fichiers row per record, with information text and CRC when asked.
void Exploration_MemoFichiers(const PhaseSetup& setup, qint64 recordCount, ExplorationCounters& counters);

} // namespace velmar
