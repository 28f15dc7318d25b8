#pragma once

// One exploration of a medium into the open collection: the checks on the new
// support, its row, the directory phase, the file phase and the totals.

#include "app/progress.h"
#include "explore/exploration_display.h"
#include "explore/exploration_store.h"
#include "explore/previous_files.h"
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
    // An update's former files: those found unchanged are marked kept, and
    // neither read again nor stored again.
    PreviousFiles* previous = nullptr;
};

// Support names are cut to this many characters.
constexpr int kSupportNameLength = 50;

enum class ExplorationOutcome {
    Refused,   // a check refused the support; the window stays on "Nouveau support"
    Cancelled, // the user declined to explore a medium already catalogued
    Completed, // both phases ran to their end (or were stopped); totals are written
    Failed,    // a write failed: the rows committed stay, the totals are written if they can be
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
