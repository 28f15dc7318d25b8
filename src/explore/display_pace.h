#pragma once

#include <QElapsedTimer>

namespace velmar {

// Texts that change with every file (the name being read, the running counts)
// are shown at most this often: the window repaints each one synchronously, and
// at one repaint per file the labels would cost more than the files. Counts are
// shown once more when a phase ends, so the last figures are always exact.
class DisplayPace {
public:
    static constexpr qint64 kIntervalMs = 40;

    // True at the first call and then once the interval has passed.
    bool due() {
        if (m_shown.isValid() && m_shown.elapsed() < kIntervalMs)
            return false;
        m_shown.start();
        return true;
    }

private:
    QElapsedTimer m_shown;
};

} // namespace velmar
