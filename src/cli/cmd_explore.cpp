// velmar-cli explore [--update] --collection NAME --name SUPPORT [--type N]
//   [--deep] [--infos] [--crc] [--exclude-dirs] [--exclude-ext] [--yes] PATH
// Explores PATH into a collection: the mounted volume holding PATH is the
// drive, and the catalogue's paths are relative to that volume's root. With
// --update, the support SUPPORT already catalogued is made to match PATH.

#include "app/session.h"
#include "app/startup.h"
#include "cli/command.h"
#include "cli/store_session.h"
#include "explore/drive_panel.h"
#include "explore/exploration.h"
#include "explore/probe_analysis.h"
#include "explore/support_update.h"
#include "platform/stop_signals.h"
#include "store/catalogue_writer.h"

#include <QDir>
#include <QFileInfo>

namespace velmar::cli {

namespace {

// The phases' percentages on standard error, one line each time one changes.
class ErrorStreamDisplay final : public ExplorationDisplay {
public:
    explicit ErrorStreamDisplay(QTextStream& err) : m_err(err) {}
    void showDirectoryProgress(const PhaseProgress& progress) override { print("Répertoires : ", progress); }
    void showFileProgress(const PhaseProgress& progress) override { print("Fichiers : ", progress); }

private:
    void print(const char* phase, const PhaseProgress& progress) {
        m_err << phase << progress.percentage << " %\n";
        m_err.flush();
    }

    QTextStream& m_err;
};

// SIGINT and SIGTERM stop the exploration as "Arrêter" answered Yes does: the
// walk tests this where the window tests its button.
class SignalStop final : public Progress {
public:
    void yield() override {}
    bool stopRequested() const override { return stopSignalReceived() != 0; }
};

struct ExploreArguments {
    QString collection;
    QString path;
    bool typeGiven = false;
    bool update = false;
    ExplorationRequest request;
};

bool parse(const QStringList& args, ExploreArguments& a, QTextStream& err) {
    const ParsedOptions options = parseOptions(
        args, {QStringLiteral("--collection"), QStringLiteral("--name"), QStringLiteral("--type")},
        {QStringLiteral("--deep"), QStringLiteral("--infos"), QStringLiteral("--crc"),
         QStringLiteral("--exclude-dirs"), QStringLiteral("--exclude-ext"), QStringLiteral("--yes"),
         QStringLiteral("--update")});
    QString error = options.error;
    if (error.isEmpty() && options.positional.size() > 1)
        error = QStringLiteral("Argument inattendu : ") + options.positional.at(1);
    if (!error.isEmpty()) {
        err << error << '\n';
        return false;
    }
    a.collection = options.values.value(QStringLiteral("--collection"));
    a.request.supportName = options.values.value(QStringLiteral("--name"));
    a.typeGiven = options.values.contains(QStringLiteral("--type"));
    a.request.supportType = options.values.value(QStringLiteral("--type")).toInt();
    a.request.deep = options.flags.contains(QStringLiteral("--deep"));
    a.request.readInfos = options.flags.contains(QStringLiteral("--infos"));
    a.request.computeCrc = options.flags.contains(QStringLiteral("--crc"));
    a.request.excludeDirectories = options.flags.contains(QStringLiteral("--exclude-dirs"));
    a.request.excludeExtensions = options.flags.contains(QStringLiteral("--exclude-ext"));
    a.update = options.flags.contains(QStringLiteral("--update"));
    a.path = options.positional.value(0);
    return !a.collection.isEmpty() && !a.path.isEmpty();
}

void printCounters(const ExplorationCounters& c, QTextStream& out) {
    out << "Répertoires ajoutés\t" << c.directories << '\n'
        << "Répertoires exclus\t" << c.excludedDirectories << '\n'
        << "Fichiers trouvés\t" << c.files << '\n'
        << "Programmes ajoutés\t" << c.programs << '\n'
        << "Archives ajoutées\t" << c.archives << '\n'
        << "Fichiers associés ajoutés\t" << c.associated << '\n'
        << "Fichiers exclus\t" << c.excludedFiles << '\n'
        << "Fichiers illisibles\t" << c.unreadable << '\n'
        << "Fichiers laissés de côté (nom trop long)\t" << c.leftOut << '\n'
        << "Répertoires illisibles\t" << c.unreadableDirectories << '\n'
        << "Répertoires au chemin trop long\t" << c.longPaths << '\n'
        << "Exploration arrêtée\t" << (c.stopped ? "oui" : "non") << '\n';
}

// The exploration proper, once the collection is open. A stop by a signal
// exits with 128 + its number, as a shell reports a process the signal ended.
int exploreInto(CollectionsRegistry& registry, const ExploreArguments& a, QTextStream& out,
                QTextStream& err) {
    CatalogueWriter writer(registry.database());
    ProbeAnalysis analysis;
    ErrorStreamDisplay display(err);
    SignalStop progress;
    catchStopSignals();
    ExplorationCounters counters;
    UpdateSummary summary;
    const ExplorationContext context{writer, analysis, display, progress};
    const ExplorationOutcome outcome = a.update ? runUpdate(a.request, context, writer, counters, summary)
                                                : runExploration(a.request, context, counters);
    writer.commit();
    registry.CloseCollection();
    if (outcome == ExplorationOutcome::Refused || outcome == ExplorationOutcome::Cancelled)
        return 1;
    printCounters(counters, out);
    if (outcome == ExplorationOutcome::Failed)
        return 1;
    if (const int signal = stopSignalReceived()) {
        err << "Exploration arrêtée par le signal " << stopSignalName(signal)
            << (a.update ? " : le support n'a pas été modifié.\n"
                         : " : les fichiers trouvés jusque-là sont enregistrés.\n");
        return 128 + signal;
    }
    if (a.update)
        out << "Mise à jour\t" << summary.text() << '\n';
    return 0;
}

int runExplore(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    ExploreArguments a;
    if (!parse(arguments, a, err)) {
        err << "Utilisation : velmar-cli explore [--update] --collection NOM --name SUPPORT [--type N] "
               "[--deep] "
               "[--infos] "
               "[--crc] [--exclude-dirs] [--exclude-ext] [--yes] CHEMIN\n";
        return 2;
    }
    if (!QFileInfo(a.path).isDir()) {
        err << "Le répertoire « " << a.path << " » est introuvable.\n";
        return 1;
    }
    const DataLocation location = cliDataLocation();
    const StorePaths store = StorePaths::fromDataDir(location.dataDir);
    session().paths = DataLayout(location.rootDir, location.dataDir);
    QDir().mkpath(session().paths.tmpDir);
    if (!checkExplorationLists(session().paths))
        return 1;
    if (!volumeHolding(platform().volumes(), a.path, a.request.volume)) {
        err << "Aucun volume monté ne contient « " << a.path << " ».\n";
        return 1;
    }
    a.request.startDirectory = QFileInfo(a.path).absoluteFilePath();
    if (!a.typeGiven)
        a.request.supportType = supportTypeForKeyword(readSupportTypes(session().paths.supportTypesFile),
                                                      driveKeyword(a.request.volume));
    CollectionsRegistry registry(store);
    const auto lock = openCollectionForWriting(registry, a.collection, err);
    if (!lock)
        return 1;
    return exploreInto(registry, a, out, err);
}

const CommandRegistration
    registration({QStringLiteral("explore"),
                  QStringLiteral("explore [--update] --collection NOM --name SUPPORT ... "
                                 "CHEMIN : explore un support dans une collection, ou "
                                 "le met à jour"),
                  runExplore});

} // namespace

} // namespace velmar::cli
