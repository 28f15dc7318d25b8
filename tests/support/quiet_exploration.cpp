#include "support/quiet_exploration.h"

#include "explore/probe_analysis.h"
#include "store/catalogue_writer.h"

namespace velmar::test {

ExplorationOutcome exploreQuietly(db::Database& collection, const ExplorationRequest& request) {
    CatalogueWriter writer(collection);
    ProbeAnalysis analysis;
    ExplorationDisplay display; // shows nothing
    NoProgress progress;
    ExplorationCounters counters;
    return runExploration(request, {writer, analysis, display, progress}, counters);
}

} // namespace velmar::test
