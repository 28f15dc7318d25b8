// velmar-cli rename OLD NEW: renames a collection; its file keeps its number.

#include "cli/command.h"
#include "cli/store_session.h"

namespace velmar::cli {

namespace {

int runRename(const QStringList& arguments, QTextStream&, QTextStream& err) {
    const QStringList names = positionalArguments(arguments);
    if (names.size() != 2) {
        err << "Utilisation : velmar-cli rename ANCIEN NOUVEAU\n";
        return 2;
    }
    CollectionsRegistry registry(cliStorePaths());
    if (!loadRegistry(registry, err))
        return 1;
    if (registry.FindCollection(names.at(0)) == 0)
        return 1;
    return registry.renameCollectionTo(names.at(0), names.at(1)) ? 0 : 1;
}

const CommandRegistration registration({QStringLiteral("rename"),
                                        QStringLiteral("rename ANCIEN NOUVEAU : renomme une collection"),
                                        runRename});

} // namespace

} // namespace velmar::cli
