#pragma once

// A Progress that answers "stop" from the `after`-th time it is asked on.

#include "app/progress.h"

namespace velmar::test {

class StopAfter final : public Progress {
public:
    explicit StopAfter(int after) : m_left(after) {}
    void yield() override {}
    bool stopRequested() const override { return m_left-- <= 0; }

private:
    mutable int m_left;
};

} // namespace velmar::test
