#pragma once

// The collections registry as the store subcommands see it: the data
// directory beside the executable ("Data/"), or VELMAR_DATA_DIR when set.

#include "store/registry.h"

#include <QMap>
#include <QStringList>

namespace velmar::cli {

StorePaths cliStorePaths();

// Arguments without the "--yes" switch.
QStringList positionalArguments(const QStringList& arguments);

// A registry loaded from the registry file; false (with the reason on `err`)
// when the file cannot be read.
bool loadRegistry(CollectionsRegistry& registry, QTextStream& err);

// Loads the registry and opens the collection named `name`; false when either
// fails (the registry's own messages say why).
bool openCollectionNamed(CollectionsRegistry& registry, const QString& name, QTextStream& err);

// The same, then the collection's writer lock; null when any step failed.
std::unique_ptr<WriterLocks> openCollectionForWriting(CollectionsRegistry& registry, const QString& name,
                                                      QTextStream& err);

// Options of the form "--option VALUE": the arguments left once they are taken
// out, and each option's value ("" when absent).
struct ParsedOptions {
    QMap<QString, QString> values;
    QStringList flags;      // options without a value that were given
    QStringList positional; // everything else, in order
    QString error;          // an unknown option or a missing value
};
ParsedOptions parseOptions(const QStringList& arguments, const QStringList& valueOptions,
                           const QStringList& flagOptions);

} // namespace velmar::cli
