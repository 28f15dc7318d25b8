#pragma once

// The file analysis of an exploration: the content probes and the type table.

#include "explore/exploration_store.h"

namespace velmar {

class ProbeAnalysis final : public FileAnalysis {
public:
    QString informationText(const QString& path, const QString& mode) override;
    void classify(const QString& extension, bool& program, bool& archive) override;
};

} // namespace velmar
