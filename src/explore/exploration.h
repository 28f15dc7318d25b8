#pragma once

// One exploration of a medium into the open collection: the checks on the new
// support, its row, the directory phase, the file phase and the totals.

#include "app/progress.h"
#include "explore/exploration_store.h"
#include "platform/platform.h"

#include <QString>

namespace velmar {

struct ExplorationRequest {
    QString supportName; // as typed; cut to 50 characters
    int supportType = 0;
    Volume volume;           // the drive explored
    QString startDirectory;  // native path inside the volume, normally its root
    bool deep = false;       // "Exploration approfondie"
    bool readInfos = false;  // deep option: information texts
    bool computeCrc = false; // deep option: CRC-32
    bool excludeExtensions = false;
    bool excludeDirectories = false;
};

// What the progress panel shows, by control name: labels such as
// "lblFichierTrouve" or "Label7", and the gauges "Image7" and "Image6".
class ExplorationDisplay {
public:
    virtual ~ExplorationDisplay() = default;
    virtual void showText(const QString& control, const QString& text) = 0;
    virtual void showGauge(const QString& image, int frame) = 0;
    // The checks passed and the support row exists: the progress panel comes up.
    virtual void phasesStarting() = 0;
};

enum class ExplorationOutcome {
    Refused,   // a check refused the support; the window stays on "Nouveau support"
    Cancelled, // the user declined to explore a medium already catalogued
    Completed, // both phases ran to their end (or were stopped); totals are written
    Failed,    // a write failed: the rows committed stay, the totals are written if they can be
};

struct ExplorationCounters {
    qint64 directories = 0;
    qint64 excludedDirectories = 0;
    qint64 files = 0; // records written by the directory phase
    qint64 programs = 0;
    qint64 archives = 0;
    qint64 associated = 0;
    qint64 excludedFiles = 0;
    qint64 unreadable = 0;            // files stored without information text or CRC
    qint64 leftOut = 0;               // files whose name or path does not fit a record
    qint64 unreadableDirectories = 0; // stored, but their entries could not all be read
    qint64 longPaths = 0;             // directories stored, their path too long to read them
    bool stopped = false;
    bool failed = false; // a work file or the collection could not be written (message shown)
};

struct ExplorationContext {
    ExplorationStore& store;
    FileAnalysis& analysis;
    ExplorationDisplay& display;
    Progress& progress;
};

ExplorationOutcome runExploration(const ExplorationRequest& request, const ExplorationContext& context,
                                  ExplorationCounters& counters);

} // namespace velmar
