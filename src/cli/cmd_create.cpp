// velmar-cli create NAME: a new collection, copied from the model database.

#include "cli/command.h"
#include "cli/store_session.h"

namespace velmar::cli {

namespace {

int runCreate(const QStringList& arguments, QTextStream&, QTextStream& err) {
    const QStringList names = positionalArguments(arguments);
    if (names.size() != 1 || names.first().isEmpty()) {
        err << "Utilisation : velmar-cli create NOM\n";
        return 2;
    }
    CollectionsRegistry registry(cliStorePaths());
    if (!loadRegistry(registry, err))
        return 1;
    const bool created = registry.createCollection(names.first());
    registry.CloseCollection();
    return created ? 0 : 1;
}

const CommandRegistration registration({QStringLiteral("create"),
                                        QStringLiteral("create NOM : crée une collection"), runCreate});

} // namespace

} // namespace velmar::cli
