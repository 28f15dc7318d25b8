// velmar-cli compact NAME: opens the collection and compacts its file.

#include "cli/command.h"
#include "cli/store_session.h"

namespace velmar::cli {

namespace {

int runCompact(const QStringList& arguments, QTextStream&, QTextStream& err) {
    const QStringList names = positionalArguments(arguments);
    if (names.size() != 1) {
        err << "Utilisation : velmar-cli compact NOM\n";
        return 2;
    }
    CollectionsRegistry registry(cliStorePaths());
    if (!loadRegistry(registry, err))
        return 1;
    const int n = registry.FindCollection(names.first());
    if (n == 0 || !registry.OpenCollection(n))
        return 1;
    const bool compacted = registry.compactOpenCollection();
    registry.CloseCollection();
    return compacted ? 0 : 1;
}

const CommandRegistration registration({QStringLiteral("compact"),
                                        QStringLiteral("compact NOM : compacte une collection"), runCompact});

} // namespace

} // namespace velmar::cli
