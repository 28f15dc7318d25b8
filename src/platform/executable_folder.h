#pragma once

// The folder of the running executable, found without an application object
// (velmar-cli runs some commands without one): where the program finds the
// modules it loads.

#include <QString>

namespace velmar {

// "" when the system does not say.
QString runningExecutableFolder();

} // namespace velmar
