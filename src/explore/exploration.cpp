#include "explore/exploration.h"

#include "app/dialogs.h"
#include "app/session.h"
#include "explore/drive_panel.h"
#include "explore/exploration_failure.h"
#include "explore/exploration_phases.h"
#include "explore/work_files.h"

namespace velmar {

namespace {

bool alreadyCataloguedAndDeclined(ExplorationStore& store, const QString& serial) {
    if (store.countSupportsWithIdentifiant(serial) == 0)
        return false;
    return dialogs().message(QStringLiteral("Ce support a déjà été ajouté dans la collection.\n"
                                            "Souhaitez-vous malgré tout l'explorer ?"),
                             MessageStyle::Question) == MessageAnswer::No;
}

// A support whose earlier exploration never finished may be explored again
// under its name: the user agrees to replace it. False when the name stays taken.
bool unfinishedSupportReplaced(ExplorationStore& store, const QString& name) {
    int unfinished = 0;
    if (!store.findUnfinishedSupport(name, unfinished))
        return true;
    if (dialogs().message(QStringLiteral("L'exploration précédente du support « ") + name +
                              QStringLiteral(" » n'a pas abouti.\nSouhaitez-vous la remplacer par une "
                                             "nouvelle exploration ?"),
                          MessageStyle::Question) != MessageAnswer::Yes)
        return false;
    return store.deleteSupport(unfinished);
}

// After a failed write the counters say what the collection really holds.
void countStoredRows(const ExplorationContext& context, int support, ExplorationCounters& counters) {
    counters.directories = context.store.storedDirectories(support);
    counters.programs = counters.archives = counters.associated = 0;
    const QHash<QString, qint64> byExtension = context.store.storedFilesByExtension(support);
    for (auto it = byExtension.cbegin(); it != byExtension.cend(); ++it) {
        bool program = false;
        bool archive = false;
        context.analysis.classify(it.key(), program, archive);
        (program ? counters.programs : archive ? counters.archives : counters.associated) += it.value();
    }
}

// Commits, writes the totals and, unless a write failed, clears the mark of an
// unfinished exploration.
ExplorationOutcome finishExploration(const ExplorationContext& context, const QString& name, int support,
                                     ExplorationCounters& counters) {
    context.store.commit();
    storeFailed(context, counters);
    context.store.updateSupportTotals(name);
    if (!counters.failed)
        context.store.explorationFinished(support);
    storeFailed(context, counters);
    if (counters.failed)
        countStoredRows(context, support, counters);
    return counters.failed ? ExplorationOutcome::Failed : ExplorationOutcome::Completed;
}

} // namespace

void runExplorationPhases(const ExplorationRequest& request, const ExplorationContext& context, int support,
                          ExplorationCounters& counters) {
    keepLocalTimeZoneLoaded();
    ExplorationDisplay& display = context.display;
    display.phasesStarting();
    display.showPhase(ExplorationPhase::ListingDirectories);
    context.progress.yield();

    const DataLayout& paths = session().paths;
    ExplorationWorkFiles::removeLeftOvers(paths.tmpDir);
    const ExplorationWorkFiles workFiles(paths.tmpDir);
    const PhaseSetup setup{request,
                           context,
                           support,
                           workFiles.listFile(),
                           workFiles.recordsFile(),
                           workFiles,
                           session().logMode ? paths.logFile : QString(),
                           paths.ignoredDirsFile,
                           paths.ignoredExtsFile,
                           paths.analysedTypesFile};
    const qint64 records = Exploration_RechRepertoires(setup, counters);
    if (counters.failed)
        return;

    display.showDirectoryProgress(PhaseProgress::at(100));
    context.progress.yield();
    display.showPhase(ExplorationPhase::ReadingFiles);
    Exploration_MemoFichiers(setup, records, counters);
}

ExplorationOutcome runExploration(const ExplorationRequest& request, const ExplorationContext& context,
                                  ExplorationCounters& counters) {
    if (request.supportName.isEmpty()) {
        dialogs().message(QStringLiteral("Le support n'a pas été nommé."), MessageStyle::Exclamation);
        return ExplorationOutcome::Refused;
    }
    const QString name = request.supportName.left(kSupportNameLength);
    if (!unfinishedSupportReplaced(context.store, name))
        return ExplorationOutcome::Refused;
    const QString serial = serialText(request.volume.serial);
    if (alreadyCataloguedAndDeclined(context.store, serial))
        return ExplorationOutcome::Cancelled;
    if (!context.store.addSupport(name, request.volume.rootPath, request.supportType, serial,
                                  request.volume.label))
        return storeFailed(context, counters) ? ExplorationOutcome::Failed : ExplorationOutcome::Refused;
    int support = 0;
    context.store.findSupportByName(name, support);

    runExplorationPhases(request, context, support, counters);
    return finishExploration(context, name, support, counters);
}

} // namespace velmar
