// velmar-cli delete-all [--yes]: deletes every collection after confirmation.

#include "cli/command.h"
#include "cli/store_session.h"

namespace velmar::cli {

namespace {

int runDeleteAll(const QStringList& arguments, QTextStream&, QTextStream& err) {
    if (!positionalArguments(arguments).isEmpty()) {
        err << "Utilisation : velmar-cli delete-all [--yes]\n";
        return 2;
    }
    CollectionsRegistry registry(cliStorePaths());
    if (!loadRegistry(registry, err))
        return 1;
    return registry.askDeleteAllCollections() ? 0 : 1;
}

const CommandRegistration registration({QStringLiteral("delete-all"),
                                        QStringLiteral("delete-all [--yes] : efface toutes les collections"),
                                        runDeleteAll});

} // namespace

} // namespace velmar::cli
