#pragma once

// The progress of one phase over its items, as both phases show it: the
// display hears of it only when the whole percentage changes, so that a
// phase of millions of items shows at most a hundred and one figures.

#include "explore/exploration_display.h"

namespace velmar {

class PhaseGauge {
public:
    using Show = void (ExplorationDisplay::*)(const PhaseProgress&);

    // `show` is the display's call for this phase; `total` items, at least one
    // once advance() is called.
    PhaseGauge(ExplorationDisplay& display, Show show, qint64 total)
        : m_display(display), m_show(show), m_total(total) {}

    // Shows the progress after `done` items unless its percentage is the one
    // last shown; true when it showed it.
    bool advance(qint64 done);

private:
    ExplorationDisplay& m_display;
    Show m_show;
    qint64 m_total;
    int m_shown = -1;
};

} // namespace velmar
