#include "app/startup.h"

#include "app/dialogs.h"
#include "app/files.h"
#include "platform/platform.h"

#include "version.h"

#include <QDir>
#include <QFileInfo>

namespace velmar {

namespace {

bool require(const QString& path, const QString& message) {
    if (FichierExiste(path))
        return true;
    dialogs().message(message, MessageStyle::Critical);
    return false;
}

// The lists of Ini/ and TypesLecteur/, in the order the start-up checks them.
struct ListFile {
    QString path;
    QString message;
    bool readByExploration;
};

QList<ListFile> listFiles(const DataLayout& p) {
    return {
        {p.analysedTypesFile, QStringLiteral("Fichiers des types analysés introuvable !"), true},
        {p.supportTypesFile, QStringLiteral("Fichier des types de lecteurs introuvable !"), false},
        {p.ignoredDirsFile,
         QStringLiteral("Fichier de configuration des répertoires à ignorer introuvable !"), true},
        {p.ignoredExtsFile,
         QStringLiteral("Fichier de configuration des extensions à ignorer introuvable (") +
             QDir::toNativeSeparators(p.ignoredExtsFile) + QStringLiteral(") !"),
         true},
    };
}

bool requireLists(const DataLayout& p, bool explorationOnly) {
    for (const ListFile& list : listFiles(p))
        if ((list.readByExploration || !explorationOnly) && !require(list.path, list.message))
            return false;
    return true;
}

void createRegistryIfMissing(const QString& path) {
    QString error;
    if (!FichierExiste(path) && !writeTextLines(path, {QStringLiteral("0")}, &error))
        dialogs().message(error, MessageStyle::Critical);
}

} // namespace

bool checkExplorationLists(const DataLayout& p) {
    return requireLists(p, true);
}

bool isLogArgument(const QStringList& arguments) {
    return arguments.size() > 1 && arguments.at(1).toUpper() == QLatin1String("LOG");
}

QString versionLine() {
    return QStringLiteral("Version " VELMAR_VERSION_TEXT);
}

QString mainWindowTitle() {
    return applicationTitle() + QStringLiteral("  (version " VELMAR_VERSION_TEXT ")");
}

StartupOutcome runStartupChecks(Session& s, const DataLayout& paths, const QStringList& arguments,
                                const StatusCallback& status) {
    s.paths = paths;
    if (!platform().claimSingleInstance(s.paths.dataDir))
        return StartupOutcome::AlreadyRunning;

    s.logMode = isLogArgument(arguments);
    s.paths.logFile = s.logMode ? s.paths.tmpDir + QStringLiteral("LogAnalyse.txt") : QString();
    status(QStringLiteral("Démarrage..."));

    const DataLayout& p = s.paths;
    if (!QFileInfo(p.dataDir).isDir()) {
        dialogs().message(QStringLiteral("Répertoire des données inexistant !"), MessageStyle::Critical);
        return StartupOutcome::Fatal;
    }
    createRegistryIfMissing(p.registryFile);
    if (!require(p.modelDatabase, QStringLiteral("Modèle de base de données introuvable !")) ||
        !require(p.optionNamesFile, QStringLiteral("Fichiers des noms de paramètres introuvable !")) ||
        !require(p.optionValuesFile, QStringLiteral("Fichiers des valeurs de paramètres introuvable !")))
        return StartupOutcome::Fatal;

    s.settings.LoadOptionNames(p.optionNamesFile, 0, true);
    s.settings.LoadValues(p.optionValuesFile, 0);

    if (!requireLists(p, false))
        return StartupOutcome::Fatal;

    QDir().mkpath(p.tmpDir);
    return StartupOutcome::Continue;
}

} // namespace velmar
