#include "support/quiet_exploration.h"

#include "explore/probe_analysis.h"
#include "store/catalogue_writer.h"

namespace velmar::test {

namespace {

class SilentDisplay final : public ExplorationDisplay {
public:
    void showText(const QString&, const QString&) override {}
    void showGauge(const QString&, int) override {}
    void phasesStarting() override {}
};

} // namespace

ExplorationOutcome exploreQuietly(db::Database& collection, const ExplorationRequest& request) {
    CatalogueWriter writer(collection);
    ProbeAnalysis analysis;
    SilentDisplay display;
    NoProgress progress;
    ExplorationCounters counters;
    return runExploration(request, {writer, analysis, display, progress}, counters);
}

} // namespace velmar::test
