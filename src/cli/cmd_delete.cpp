// velmar-cli delete NAME [--yes]: deletes one collection after confirmation;
// the following files are renumbered.

#include "cli/command.h"
#include "cli/store_session.h"

namespace velmar::cli {

namespace {

int runDelete(const QStringList& arguments, QTextStream&, QTextStream& err) {
    const QStringList names = positionalArguments(arguments);
    if (names.size() != 1) {
        err << "Utilisation : velmar-cli delete NOM [--yes]\n";
        return 2;
    }
    CollectionsRegistry registry(cliStorePaths());
    if (!loadRegistry(registry, err))
        return 1;
    return registry.askDeleteCollection(names.first()) ? 0 : 1;
}

const CommandRegistration registration({QStringLiteral("delete"),
                                        QStringLiteral("delete NOM [--yes] : efface une collection"),
                                        runDelete});

} // namespace

} // namespace velmar::cli
