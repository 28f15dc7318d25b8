#pragma once

// What an exploration tells the one watching it: the phase it is in, how far
// each phase has gone, its counters, the directory and the file being read.
// The window shows all of it; the command line prints the percentages. A call
// a display has no use for does nothing.

#include "explore/exploration_counters.h"
#include "explore/gauge.h"

#include <QString>

namespace velmar {

enum class ExplorationPhase {
    ListingDirectories, // the list of every directory is being written
    ReadingDirectories, // each directory is read for the records of its files
    ReadingFiles,       // each record becomes a file row
};

// What is being done with the current file.
enum class FileStep { Recording, ComputingCrc };

class ExplorationDisplay {
public:
    virtual ~ExplorationDisplay() = default;
    // The checks passed and the support row exists: the progress panel comes up.
    virtual void phasesStarting() {}
    virtual void showPhase(ExplorationPhase) {}
    // Each time a phase's whole percentage changes, and once more at 100 when
    // the directory phase ends.
    virtual void showDirectoryProgress(const PhaseProgress&) {}
    virtual void showFileProgress(const PhaseProgress&) {}
    // The counters named in `changed` have new values.
    virtual void showCounters(const ExplorationCounters& /*counters*/, Counters /*changed*/) {}
    // The directory being read, as a native path ending with '/'.
    virtual void showCurrentDirectory(const QString& /*path*/) {}
    virtual void showCurrentFile(const QString& /*name*/, FileStep) {}
};

} // namespace velmar
