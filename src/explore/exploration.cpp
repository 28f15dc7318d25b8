#include "explore/exploration.h"

#include "app/dialogs.h"
#include "app/session.h"
#include "explore/drive_panel.h"
#include "explore/exploration_phases.h"

#include <QFile>

namespace velmar {

namespace {

constexpr int kSupportNameLength = 50;

bool alreadyCataloguedAndDeclined(ExplorationStore& store, const QString& serial) {
    if (store.countSupportsWithIdentifiant(serial) == 0)
        return false;
    return dialogs().message(QStringLiteral("Ce support a déjà été ajouté dans la collection.\n"
                                            "Souhaitez-vous malgré tout l'explorer ?"),
                             MessageStyle::Question) == MessageAnswer::No;
}

} // namespace

ExplorationOutcome runExploration(const ExplorationRequest& request, const ExplorationContext& context,
                                  ExplorationCounters& counters) {
    if (request.supportName.isEmpty()) {
        dialogs().message(QStringLiteral("Le support n'a pas été nommé."), MessageStyle::Exclamation);
        return ExplorationOutcome::Refused;
    }
    const QString name = request.supportName.left(kSupportNameLength);
    const QString serial = serialText(request.volume.serial);
    if (alreadyCataloguedAndDeclined(context.store, serial))
        return ExplorationOutcome::Cancelled;
    if (!context.store.addSupport(name, request.volume.rootPath, request.supportType, serial))
        return ExplorationOutcome::Refused;
    int support = 0;
    context.store.findSupportByName(name, support);

    keepLocalTimeZoneLoaded();
    context.display.phasesStarting();
    ExplorationDisplay& display = context.display;
    display.showText(QStringLiteral("Label39"), QStringLiteral("Analyse des répertoires"));
    display.showText(QStringLiteral("Label38"), QStringLiteral("Génération de la liste des répertoires"));
    context.progress.yield();

    const DataLayout& paths = session().paths;
    const PhaseSetup setup{request,
                           context,
                           support,
                           paths.tmpDir + QStringLiteral("ListeRep.tmp"),
                           paths.tmpDir + QStringLiteral("ListeFichiers.tmp"),
                           session().logMode ? paths.logFile : QString(),
                           paths.ignoredDirsFile,
                           paths.ignoredExtsFile,
                           paths.analysedTypesFile};
    const qint64 records = Exploration_RechRepertoires(setup, counters);

    display.showText(QStringLiteral("Label7"), QStringLiteral("100 %"));
    display.showGauge(QStringLiteral("Image7"), 26);
    context.progress.yield();
    display.showText(QStringLiteral("Label38"), QString());
    display.showText(QStringLiteral("Label39"), QStringLiteral("Analyse des fichiers"));
    Exploration_MemoFichiers(setup, records, counters);

    display.showGauge(QStringLiteral("Image7"), 26);
    QFile::remove(setup.recordsFile);
    context.store.updateSupportTotals(name);
    return ExplorationOutcome::Completed;
}

} // namespace velmar
