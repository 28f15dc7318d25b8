#pragma once

// The process-wide state built at start-up and alive until exit.

#include "app/data_layout.h"
#include "app/settings.h"

namespace velmar {

struct Session {
    DataLayout paths;
    Settings settings;
    bool logMode = false;
    bool applyingGeometry = false;
    QString backgroundPicture;
};

Session& session();

} // namespace velmar
