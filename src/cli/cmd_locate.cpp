// velmar-cli locate --collection NAME SUPPORT PATH [--wait SECONDS]
// The native path of a catalogued file on the mounted medium of its support.
//
// Only the volume whose serial is the support's counts, unlike the window,
// which takes the path on whatever drive has it first: the command names its
// support, and a script acting on the printed path must not be handed a file
// of another medium that happens to share the path.

#include "app/data_layout.h"
#include "app/support_types.h"
#include "cli/command.h"
#include "cli/store_session.h"
#include "store/catalogued_file.h"
#include "store/support_medium.h"

#include <QDir>

namespace velmar::cli {

namespace {

constexpr std::chrono::seconds kLookInterval{1};

int usage(QTextStream& err) {
    err << "Utilisation : velmar-cli locate --collection NOM SUPPORT CHEMIN [--wait SECONDES]\n";
    return 2;
}

bool waitSeconds(const ParsedOptions& options, int& seconds, QTextStream& err) {
    const QString text = options.values.value(QStringLiteral("--wait"), QStringLiteral("0"));
    bool ok = false;
    seconds = text.toInt(&ok);
    if (ok && seconds >= 0)
        return true;
    err << "La durée d'attente doit être un nombre entier de secondes : " << text << '\n';
    return false;
}

QString typeLabel(int type) {
    const DataLocation location = cliDataLocation();
    return supportTypeLabel(readSupportTypes(DataLayout(location.rootDir, location.dataDir).supportTypesFile),
                            type);
}

// Whether the medium is mounted, waiting up to `seconds` for it; the
// request to insert it comes first, so that a user knows what to insert.
bool mediumMounted(const SupportMedium& medium, int seconds, QList<Volume>& volumes, QTextStream& err) {
    volumes = platform().volumes();
    if (supportMediumMounted(volumes, medium))
        return true;
    err << insertionRequest(medium, typeLabel(medium.type)) << '\n';
    if (seconds == 0)
        return false;
    err << "En attente du support pendant " << seconds << " s au plus…\n";
    err.flush();
    volumes = waitForSupportMedium(medium, QDeadlineTimer(std::chrono::seconds(seconds)), kLookInterval);
    if (supportMediumMounted(volumes, medium))
        return true;
    err << "Le support « " << medium.name << " » n'a pas été inséré à temps.\n";
    return false;
}

// Prints where the file is, or why it cannot be reached.
int locate(const SupportMedium& medium, const QString& relativePath, int seconds, QTextStream& out,
           QTextStream& err) {
    QList<Volume> volumes;
    if (!mediumMounted(medium, seconds, volumes, err))
        return 1;
    const QString found = findOnSupportMedium(volumes, medium, relativePath);
    if (found.isEmpty()) {
        err << "Le fichier " << relativePath << " n'a pas été trouvé sur le support « " << medium.name
            << " » inséré.\n";
        return 1;
    }
    out << QDir::toNativeSeparators(found) << '\n';
    return 0;
}

int locateIn(db::Database& db, const QString& supportName, const QString& path, int seconds, QTextStream& out,
             QTextStream& err) {
    int support = 0;
    if (!supportNumber(db, supportName, support, err))
        return 1;
    SelectedFile file;
    QString relativePath;
    SupportMedium medium;
    if (!findCataloguedFile(db, support, path, file)) {
        err << "Le fichier " << path << " n'est pas dans le catalogue du support « " << supportName
            << " ».\n";
        return 1;
    }
    if (!FichierSelectionne_RenvoieInfos(db, file, relativePath) || !readSupportMedium(db, support, medium))
        return 1;
    return locate(medium, relativePath, seconds, out, err);
}

int runLocate(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    const ParsedOptions options =
        parseOptions(arguments, {QStringLiteral("--collection"), QStringLiteral("--wait")}, {});
    if (!options.error.isEmpty()) {
        err << options.error << '\n';
        return usage(err);
    }
    int seconds = 0;
    if (!options.values.contains(QStringLiteral("--collection")) || options.positional.size() != 2 ||
        options.positional.first().isEmpty())
        return usage(err);
    if (!waitSeconds(options, seconds, err))
        return 2;
    CollectionsRegistry registry(cliStorePaths());
    if (!openCollectionNamed(registry, options.values.value(QStringLiteral("--collection")), err))
        return 1;
    const int status =
        locateIn(registry.database(), options.positional.at(0), options.positional.at(1), seconds, out, err);
    registry.CloseCollection();
    return status;
}

const CommandRegistration
    registration({QStringLiteral("locate"),
                  QStringLiteral("locate --collection NOM SUPPORT CHEMIN [--wait SECONDES] : "
                                 "le chemin d'un fichier sur son support inséré"),
                  runLocate});

} // namespace

} // namespace velmar::cli
