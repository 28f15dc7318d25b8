#include "cli/store_session.h"

#include "store/catalogue.h"

#include <QCoreApplication>
#include <QDir>
#include <QTextStream>

namespace velmar::cli {

DataLocation cliDataLocation() {
    const DataLocation location = chooseDataLocation(QCoreApplication::applicationDirPath());
    QString error;
    if (!seedDataFolder(location, error))
        QTextStream(stderr) << error << '\n';
    return location;
}

StorePaths cliStorePaths() {
    return StorePaths::fromDataDir(cliDataLocation().dataDir);
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

bool openCollectionNamed(CollectionsRegistry& registry, const QString& name, QTextStream& err) {
    if (!loadRegistry(registry, err))
        return false;
    const int n = registry.FindCollection(name);
    return n != 0 && registry.OpenCollection(n);
}

std::unique_ptr<WriterLocks> openCollectionForWriting(CollectionsRegistry& registry, const QString& name,
                                                      QTextStream& err) {
    if (!openCollectionNamed(registry, name, err))
        return {};
    return registry.lockOpenCollection();
}

bool supportNumber(db::Database& db, const QString& name, int& number, QTextStream& err) {
    number = 0;
    if (name.isEmpty() || FindSupportByName(db, name, number))
        return true;
    err << "Le support « " << name << " » n'est pas dans cette collection.\n";
    return false;
}

ParsedOptions parseOptions(const QStringList& arguments, const QStringList& valueOptions,
                           const QStringList& flagOptions) {
    ParsedOptions parsed;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString& arg = arguments.at(i);
        if (valueOptions.contains(arg)) {
            if (i + 1 >= arguments.size()) {
                parsed.error = QStringLiteral("Valeur manquante après ") + arg;
                return parsed;
            }
            parsed.values.insert(arg, arguments.at(++i));
        } else if (flagOptions.contains(arg)) {
            parsed.flags << arg;
        } else if (arg.startsWith(QLatin1String("--"))) {
            parsed.error = QStringLiteral("Argument inattendu : ") + arg;
            return parsed;
        } else {
            parsed.positional << arg;
        }
    }
    return parsed;
}

bool openCollectionAndSupport(CollectionsRegistry& registry, const ParsedOptions& options, int& support,
                              QTextStream& err) {
    return openCollectionNamed(registry, options.values.value(QStringLiteral("--collection")), err) &&
           supportNumber(registry.database(), options.values.value(QStringLiteral("--support")), support,
                         err);
}

} // namespace velmar::cli
