// velmar-cli collections: one line per collection (number, name, file name,
// size phrase), tab-separated.

#include "app/files.h"
#include "app/phrases.h"
#include "cli/command.h"
#include "cli/store_session.h"

#include <QFileInfo>

namespace velmar::cli {

namespace {

int runCollections(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    if (!positionalArguments(arguments).isEmpty()) {
        err << "Utilisation : velmar-cli collections\n";
        return 2;
    }
    CollectionsRegistry registry(cliStorePaths());
    if (!loadRegistry(registry, err))
        return 1;
    for (int n = 1; n <= registry.count(); ++n) {
        const QString file = registry.paths().collectionFile(n);
        const QString size =
            FichierExiste(file) ? sizePhrase(TailleFichier(file), false) : QStringLiteral("introuvable");
        out << n << '\t' << registry.names().at(n - 1) << '\t' << QFileInfo(file).fileName() << '\t' << size
            << '\n';
    }
    out << registry.summaryLine(registry.count()) << '\n';
    return 0;
}

const CommandRegistration registration({QStringLiteral("collections"),
                                        QStringLiteral("collections : liste des collections"),
                                        runCollections});

} // namespace

} // namespace velmar::cli
