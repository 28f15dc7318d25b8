#pragma once

#include <cmath>

namespace velmar {

// The gauge picture (1 to 26) for a whole percentage: percentage × 0.25 + 1,
// rounded to the nearest whole number, halves to the even one.
inline int gaugeFrame(int percentage) {
    return static_cast<int>(std::nearbyint(percentage * 0.25 + 1.0));
}

// How far a phase has gone: its whole percentage and the gauge picture for it.
struct PhaseProgress {
    int percentage = 0;
    int frame = 1;

    static PhaseProgress at(int percentage) { return {percentage, gaugeFrame(percentage)}; }
};

} // namespace velmar
