#pragma once

// The collections registry as the store subcommands see it, in the data
// folder the window would use too.

#include "app/data_location.h"
#include "store/registry.h"

#include <QMap>
#include <QStringList>

namespace velmar::cli {

// The data folder in use, laid out from the defaults at its first use (a
// failure is reported on standard error, and the registry then fails to load).
DataLocation cliDataLocation();
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

// The number of the support named `name` in the open collection, 0 for an
// empty name (the whole collection); false, said on `err`, when there is none.
bool supportNumber(db::Database& db, const QString& name, int& number, QTextStream& err);

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

// Opens the collection named by "--collection", then finds the support named
// by "--support" (0, the whole collection, when it is absent); false when
// either fails, said on `err`.
bool openCollectionAndSupport(CollectionsRegistry& registry, const ParsedOptions& options, int& support,
                              QTextStream& err);

} // namespace velmar::cli
