#include "explore/phase_gauge.h"

namespace velmar {

bool PhaseGauge::advance(qint64 done) {
    const int percentage = static_cast<int>(done * 100 / m_total);
    if (percentage == m_shown)
        return false;
    m_shown = percentage;
    (m_display.*m_show)(PhaseProgress::at(percentage));
    return true;
}

} // namespace velmar
