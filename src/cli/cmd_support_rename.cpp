// velmar-cli support-rename --collection NAME OLD NEW: renames a support of a
// collection, as the browse view's support menu does.

#include "cli/command.h"
#include "cli/store_session.h"
#include "store/catalogue.h"
#include "store/maintenance.h"

namespace velmar::cli {

namespace {

int runSupportRename(const QStringList& arguments, QTextStream&, QTextStream& err) {
    const ParsedOptions options = parseOptions(arguments, {QStringLiteral("--collection")}, {});
    const QString collection = options.values.value(QStringLiteral("--collection"));
    if (!options.error.isEmpty() || collection.isEmpty() || options.positional.size() != 2) {
        if (!options.error.isEmpty())
            err << options.error << '\n';
        err << "Utilisation : velmar-cli support-rename --collection NOM ANCIEN NOUVEAU\n";
        return 2;
    }
    CollectionsRegistry registry(cliStorePaths());
    const auto lock = openCollectionForWriting(registry, collection, err);
    if (!lock)
        return 1;
    int support = 0;
    if (!FindSupportByName(registry.database(), options.positional.at(0), support)) {
        err << "Ce support n'existe pas !\n";
        return 1;
    }
    QString renamed;
    const bool done = RenameSupportTo(registry.database(), support, options.positional.at(1), renamed);
    registry.CloseCollection();
    return done ? 0 : 1;
}

const CommandRegistration
    registration({QStringLiteral("support-rename"),
                  QStringLiteral("support-rename --collection NOM ANCIEN NOUVEAU : renomme un support"),
                  runSupportRename});

} // namespace

} // namespace velmar::cli
