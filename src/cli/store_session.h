#pragma once

// The collections registry as the store subcommands see it: the data
// directory beside the executable ("Data/"), or VELMAR_DATA_DIR when set.

#include "store/registry.h"

#include <QStringList>

namespace velmar::cli {

StorePaths cliStorePaths();

// Arguments without the "--yes" switch.
QStringList positionalArguments(const QStringList& arguments);

// A registry loaded from the registry file; false (with the reason on `err`)
// when the file cannot be read.
bool loadRegistry(CollectionsRegistry& registry, QTextStream& err);

} // namespace velmar::cli
