#include "cli/store_session.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

namespace velmar::cli {

StorePaths cliStorePaths() {
    const QString overridden = qEnvironmentVariable("VELMAR_DATA_DIR");
    if (!overridden.isEmpty())
        return StorePaths::fromDataDir(overridden);
    return StorePaths::fromDataDir(QCoreApplication::applicationDirPath() + QStringLiteral("/Data/"));
}

QStringList positionalArguments(const QStringList& arguments) {
    QStringList positional = arguments;
    positional.removeAll(QStringLiteral("--yes"));
    return positional;
}

bool loadRegistry(CollectionsRegistry& registry, QTextStream& err) {
    if (registry.LoadRegistry())
        return true;
    err << "Impossible de lire le registre des collections "
        << QDir::toNativeSeparators(registry.paths().registryFile()) << ".\n";
    return false;
}

} // namespace velmar::cli
