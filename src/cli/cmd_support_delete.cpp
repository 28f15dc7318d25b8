// velmar-cli support-delete --collection NAME SUPPORT [--yes]: deletes a
// support with its directories and files, after the browse view's question.

#include "cli/command.h"
#include "cli/store_session.h"
#include "store/catalogue.h"
#include "store/maintenance.h"

namespace velmar::cli {

namespace {

int runSupportDelete(const QStringList& arguments, QTextStream&, QTextStream& err) {
    const ParsedOptions options =
        parseOptions(arguments, {QStringLiteral("--collection")}, {QStringLiteral("--yes")});
    const QString collection = options.values.value(QStringLiteral("--collection"));
    if (!options.error.isEmpty() || collection.isEmpty() || options.positional.size() != 1) {
        if (!options.error.isEmpty())
            err << options.error << '\n';
        err << "Utilisation : velmar-cli support-delete --collection NOM SUPPORT [--yes]\n";
        return 2;
    }
    CollectionsRegistry registry(cliStorePaths());
    const auto lock = openCollectionForWriting(registry, collection, err);
    if (!lock)
        return 1;
    int support = 0;
    if (!FindSupportByName(registry.database(), options.positional.first(), support)) {
        err << "Ce support n'existe pas !\n";
        return 1;
    }
    const bool deleted = SupprimerSupport(registry.database(), support);
    registry.CloseCollection();
    return deleted ? 0 : 1;
}

const CommandRegistration registration(
    {QStringLiteral("support-delete"),
     QStringLiteral("support-delete --collection NOM SUPPORT [--yes] : efface un support et son contenu"),
     runSupportDelete});

} // namespace

} // namespace velmar::cli
