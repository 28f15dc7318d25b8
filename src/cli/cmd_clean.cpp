// velmar-cli clean --collection NAME: purges the directories that hold
// nothing, as the window's maintenance panel does, then counts again the files
// and bytes of every support.

#include "cli/command.h"
#include "cli/store_session.h"
#include "store/maintenance.h"

namespace velmar::cli {

namespace {

int runClean(const QStringList& arguments, QTextStream&, QTextStream& err) {
    const ParsedOptions options = parseOptions(arguments, {QStringLiteral("--collection")}, {});
    const QString collection = options.values.value(QStringLiteral("--collection"));
    if (!options.error.isEmpty() || collection.isEmpty() || !options.positional.isEmpty()) {
        if (!options.error.isEmpty())
            err << options.error << '\n';
        err << "Utilisation : velmar-cli clean --collection NOM\n";
        return 2;
    }
    CollectionsRegistry registry(cliStorePaths());
    const auto lock = openCollectionForWriting(registry, collection, err);
    if (!lock)
        return 1;
    const bool cleaned =
        NettoyerRepertoires(registry.database()) >= 0 && RecomputeSupportTotals(registry.database());
    registry.CloseCollection();
    return cleaned ? 0 : 1;
}

const CommandRegistration registration(
    {QStringLiteral("clean"),
     QStringLiteral("clean --collection NOM : efface les répertoires vides et recalcule les totaux"),
     runClean});

} // namespace

} // namespace velmar::cli
