#pragma once

// Long loops hand control back to the user interface between items and test
// the stop flag before the next one. The windows pump their event loop here;
// the command line and the tests have their own.

namespace velmar {

class Progress {
public:
    virtual ~Progress() = default;
    // Lets the interface repaint and take the user's clicks.
    virtual void yield() = 0;
    // True once the user asked to stop.
    virtual bool stopRequested() const = 0;
};

// Never stops, never waits.
class NoProgress final : public Progress {
public:
    void yield() override {}
    bool stopRequested() const override { return false; }
};

} // namespace velmar
