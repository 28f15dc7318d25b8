// velmar-cli explore --collection NAME --name SUPPORT [--type N] [--deep]
//   [--infos] [--crc] [--exclude-dirs] [--exclude-ext] [--yes] PATH
// Explores PATH into a collection: the mounted volume holding PATH is the
// drive, and the catalogue's paths are relative to that volume's root.

#include "app/session.h"
#include "cli/command.h"
#include "cli/store_session.h"
#include "explore/drive_panel.h"
#include "explore/exploration.h"
#include "explore/probe_analysis.h"
#include "store/catalogue_writer.h"

#include <QDir>
#include <QFileInfo>

namespace velmar::cli {

namespace {

// The phases' percentages on standard error, one line each time one changes.
class ErrorStreamDisplay final : public ExplorationDisplay {
public:
    explicit ErrorStreamDisplay(QTextStream& err) : m_err(err) {}
    void showText(const QString& control, const QString& text) override {
        if (control == QLatin1String("Label7"))
            m_err << "Répertoires : " << text << '\n';
        else if (control == QLatin1String("Label18"))
            m_err << "Fichiers : " << text << '\n';
        m_err.flush();
    }
    void showGauge(const QString&, int) override {}
    void phasesStarting() override {}

private:
    QTextStream& m_err;
};

struct ExploreArguments {
    QString collection;
    QString path;
    bool typeGiven = false;
    ExplorationRequest request;
};

bool parse(const QStringList& args, ExploreArguments& a, QTextStream& err) {
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString& arg = args.at(i);
        auto value = [&](QString& into) {
            if (i + 1 >= args.size())
                return false;
            into = args.at(++i);
            return true;
        };
        QString number;
        if (arg == QLatin1String("--collection") && value(a.collection))
            continue;
        if (arg == QLatin1String("--name") && value(a.request.supportName))
            continue;
        if (arg == QLatin1String("--type") && value(number)) {
            a.request.supportType = number.toInt();
            a.typeGiven = true;
            continue;
        }
        if (arg == QLatin1String("--deep"))
            a.request.deep = true;
        else if (arg == QLatin1String("--infos"))
            a.request.readInfos = true;
        else if (arg == QLatin1String("--crc"))
            a.request.computeCrc = true;
        else if (arg == QLatin1String("--exclude-dirs"))
            a.request.excludeDirectories = true;
        else if (arg == QLatin1String("--exclude-ext"))
            a.request.excludeExtensions = true;
        else if (arg == QLatin1String("--yes"))
            continue;
        else if (!arg.startsWith(QLatin1String("--")) && a.path.isEmpty())
            a.path = arg;
        else {
            err << "Argument inattendu : " << arg << '\n';
            return false;
        }
    }
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
        << "Exploration arrêtée\t" << (c.stopped ? "oui" : "non") << '\n';
}

int runExplore(const QStringList& arguments, QTextStream& out, QTextStream& err) {
    ExploreArguments a;
    if (!parse(arguments, a, err)) {
        err << "Utilisation : velmar-cli explore --collection NOM --name SUPPORT [--type N] [--deep] "
               "[--infos] "
               "[--crc] [--exclude-dirs] [--exclude-ext] [--yes] CHEMIN\n";
        return 2;
    }
    if (!QFileInfo(a.path).isDir()) {
        err << "Le répertoire « " << a.path << " » est introuvable.\n";
        return 1;
    }
    const StorePaths store = cliStorePaths();
    session().paths = DataLayout(QFileInfo(store.dataDir + QStringLiteral("..")).absoluteFilePath());
    QDir().mkpath(session().paths.tmpDir);
    if (!volumeHolding(platform().volumes(), a.path, a.request.volume)) {
        err << "Aucun volume monté ne contient « " << a.path << " ».\n";
        return 1;
    }
    a.request.startDirectory = QFileInfo(a.path).absoluteFilePath();
    if (!a.typeGiven)
        a.request.supportType = supportTypeForKeyword(readSupportTypes(session().paths.supportTypesFile),
                                                      driveKeyword(a.request.volume));
    CollectionsRegistry registry(store);
    if (!loadRegistry(registry, err))
        return 1;
    const int n = registry.FindCollection(a.collection);
    if (n == 0 || !registry.OpenCollection(n))
        return 1;
    CatalogueWriter writer(registry.database());
    ProbeAnalysis analysis;
    ErrorStreamDisplay display(err);
    NoProgress progress;
    ExplorationCounters counters;
    const ExplorationOutcome outcome =
        runExploration(a.request, {writer, analysis, display, progress}, counters);
    writer.commit();
    if (!writer.lastError().isEmpty())
        err << "Erreur de la base de données : " << writer.lastError() << '\n';
    registry.CloseCollection();
    if (outcome != ExplorationOutcome::Completed)
        return 1;
    printCounters(counters, out);
    return writer.lastError().isEmpty() ? 0 : 1;
}

const CommandRegistration registration({QStringLiteral("explore"),
                                        QStringLiteral("explore --collection NOM --name SUPPORT ... CHEMIN : "
                                                       "explore un support dans une collection"),
                                        runExplore});

} // namespace

} // namespace velmar::cli
